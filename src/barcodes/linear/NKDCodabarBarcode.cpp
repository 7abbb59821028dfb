#include "barcodes/linear/NKDCodabarBarcode.h"
#include <cstring>

namespace {
constexpr char kCharacters[] = "0123456789-$:/.+ABCD";
constexpr const char* kPatterns[] = {
    "101010011",  "101011001",  "101001011",  "110010101",  "101101001",  "110101001",
    "100101011",  "100101101",  "100110101",  "110100101",  "101001101",  "101100101",
    "1101011011", "1101101011", "1101101101", "1011011011", "1011001001", "1001001011",
    "1010010011", "1010011001"};
constexpr char kGap = '0';

bool isStartStop(char c) { return c >= 'A' && c <= 'D'; }
}  // namespace

BarString NKDCodabarBarcode::_encodeChar(char c) const
{
    const char* found = c ? std::strchr(kCharacters, c) : nullptr;
    return found ? BarString(kPatterns[found - kCharacters]) : BarString();
}

bool NKDCodabarBarcode::addsStartStop() const
{
    QByteArray bytes;
    asciiContent(&bytes);
    return !bytes.isEmpty() && !isStartStop(bytes.front()) && !isStartStop(bytes.back());
}

bool NKDCodabarBarcode::isContentValid() const
{
    if (!NKDBarcode::isContentValid())
        return false;
    QByteArray bytes;
    asciiContent(&bytes);
    // Letters stand only as the first and last character, and then at both ends.
    const qsizetype ends = addsStartStop() || bytes.isEmpty() ? 0 : 1;
    if (ends == 1 && (bytes.size() < 2 || !isStartStop(bytes.front()) || !isStartStop(bytes.back())))
        return false;
    for (qsizetype i = ends; i < bytes.size() - ends; ++i) {
        if (isStartStop(bytes[i]))
            return false;
    }
    return true;
}

BarString NKDCodabarBarcode::initiator() const
{
    return addsStartStop() ? _encodeChar('A') + kGap : BarString();
}

BarString NKDCodabarBarcode::terminator() const
{
    return addsStartStop() ? kGap + _encodeChar('A') : BarString();
}

BarString NKDCodabarBarcode::barcode() const
{
    QByteArray bytes;
    if (!asciiContent(&bytes))
        return {};
    BarString bars;
    for (char c : bytes) {
        if (!bars.empty())
            bars += kGap;
        bars += _encodeChar(c);
    }
    return bars;
}

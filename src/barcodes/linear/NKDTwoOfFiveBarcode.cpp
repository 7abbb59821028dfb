#include "barcodes/linear/NKDTwoOfFiveBarcode.h"

namespace {
// Elements of the digits 0..9, N narrow and W wide.
constexpr const char* kDigitElements[] = {"NNWWN", "WNNNW", "NWNNW", "WWNNN", "NNWNW",
                                          "WNWNN", "NWWNN", "NNNWW", "WNNWN", "NWNWN"};

bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

bool NKDInterleavedTwoOfFiveBarcode::_getBarForDigit(char digit, int barNumber)
{
    if (!isDigit(digit) || barNumber < 0 || barNumber > 4)
        return true;
    return kDigitElements[digit - '0'][barNumber] == 'N';
}

bool NKDInterleavedTwoOfFiveBarcode::isContentValid() const
{
    QByteArray bytes;
    if (!asciiContent(&bytes))
        return false;
    for (char c : bytes) {
        if (!isDigit(c))
            return false;
    }
    return true;
}

QByteArray NKDInterleavedTwoOfFiveBarcode::digitsToEncode() const
{
    QByteArray digits;
    asciiContent(&digits);
    if (hasCheckDigit())
        digits.append(char(checkDigit()));
    return digits;
}

BarString NKDInterleavedTwoOfFiveBarcode::barcode() const
{
    QByteArray digits = digitsToEncode();
    if (digits.size() % 2 != 0)
        digits.prepend('0');
    BarString bars;
    for (qsizetype i = 0; i + 1 < digits.size(); i += 2) {
        for (int k = 0; k < 5; ++k) {
            bars += _getBarForDigit(digits[i], k) ? "1" : "111";
            bars += _getBarForDigit(digits[i + 1], k) ? "0" : "000";
        }
    }
    return bars;
}

void NKDInterleavedTwoOfFiveBarcode::generateChecksum()
{
    QByteArray digits;
    asciiContent(&digits);
    if (digits.size() % 2 != 0)
        digits.prepend('0');
    int sum = 0;
    for (qsizetype i = 0; i + 1 < digits.size(); i += 2) {
        const int first = isDigit(digits[i]) ? digits[i] - '0' : 0;
        const int second = isDigit(digits[i + 1]) ? digits[i + 1] - '0' : 0;
        sum += 3 * first + second;
    }
    setCheckDigit('0' + (10 - sum % 10) % 10);
}

BarString NKDIndustrialTwoOfFiveBarcode::barcode() const
{
    BarString bars;
    for (char digit : digitsToEncode()) {
        for (int k = 0; k < 5; ++k)
            bars += _getBarForDigit(digit, k) ? "10" : "1110";
    }
    return bars;
}

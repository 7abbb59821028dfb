#include "barcodes/linear/NKDModifiedPlesseyBarcode.h"

namespace {
constexpr const char* kZero = "1000";
constexpr const char* kOne = "1110";

bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

BarString NKDModifiedPlesseyBarcode::nibbleModules(int value)
{
    BarString bars;
    for (int bit = 0; bit < 4; ++bit)
        bars += (value >> bit) & 1 ? kOne : kZero;
    return bars;
}

void NKDModifiedPlesseyBarcode::initWithContent(const QString& content, bool printsCaption)
{
    NKDBarcode::initWithContent(content.toUpper(), printsCaption);
    generateChecksum();
    calculateWidth();
}

BarString NKDModifiedPlesseyBarcode::_encodeChar(char c) const
{
    return isDigit(c) ? nibbleModules(c - '0') : BarString();
}

BarString NKDModifiedPlesseyBarcode::initiator() const
{
    return BarString(kOne) + kOne + kZero + kOne;
}

BarString NKDModifiedPlesseyBarcode::terminator() const
{
    return BarString("111") + kZero + kZero + kOne + kOne;
}

char NKDModifiedPlesseyBarcode::checkDigitFor(const QByteArray& content)
{
    // The characters at odd positions from the right, rightmost first, read as a number up to
    // the first non-digit, are doubled and their digit sum taken. Doubling a digit of 5 or more
    // carries one into the next place, which lowers the digit sum by 9, so the sum comes digit
    // by digit without ever forming the number.
    int total = 0;
    bool inNumber = true;
    for (qsizetype i = content.size() - 1, position = 1; i >= 0; --i, ++position) {
        const char c = content[i];
        if (position % 2 == 0) {
            total += c - '0';
            continue;
        }
        inNumber = inNumber && isDigit(c);
        if (inNumber) {
            const int digit = c - '0';
            total += 2 * digit - (digit >= 5 ? 9 : 0);
        }
    }
    const int r = ((total % 10) + 10) % 10;
    return char('0' + (r == 0 ? 0 : 10 - r));
}

void NKDModifiedPlesseyBarcode::generateChecksum()
{
    QByteArray bytes;
    asciiContent(&bytes);
    setCheckDigit(checkDigitFor(bytes));
}

BarString NKDModifiedPlesseyHexBarcode::_encodeChar(char c) const
{
    const BarString digit = NKDModifiedPlesseyBarcode::_encodeChar(c);
    if (!digit.empty())
        return digit;
    return c >= 'A' && c <= 'F' ? nibbleModules(c - 'A' + 10) : BarString();
}

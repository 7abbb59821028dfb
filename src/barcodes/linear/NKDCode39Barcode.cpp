#include "barcodes/linear/NKDCode39Barcode.h"
#include <cstring>
#include <iterator>

namespace {
// Characters in order of their check value, with their element widths
// (bar, space, bar, ... five bars and four spaces; 1 = wide).
constexpr char kCharacters[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
constexpr const char* kElements[] = {
    "000110100", "100100001", "001100001", "101100000", "000110001", "100110000", "001110000",
    "000100101", "100100100", "001100100", "100001001", "001001001", "101001000", "000011001",
    "100011000", "001011000", "000001101", "100001100", "001001100", "000011100", "100000011",
    "001000011", "101000010", "000010011", "100010010", "001010010", "000000111", "100000110",
    "001000110", "000010110", "110000001", "011000001", "111000000", "010010001", "110010000",
    "011010000", "010000101", "110000100", "011000100", "010101000", "010100010", "010001010",
    "000101010"};
constexpr const char* kStartStopElements = "010010100";

BarString modulesFor(const char* elements)
{
    BarString bars;
    for (int k = 0; k < 9; ++k) {
        const char module = k % 2 == 0 ? '1' : '0';
        bars.append(elements[k] == '1' ? 2 : 1, module);
    }
    bars += '0';  // gap between characters
    return bars;
}

int checkValue(char c)
{
    const char* found = c ? std::strchr(kCharacters, c) : nullptr;
    return found ? int(found - kCharacters) : -1;
}

// Full ASCII: the shift pair for printable characters plain Code 39 does not encode (or uses
// as shifts), indexed from '!' (33).
constexpr const char* kFullAsciiPairs[] = {
    "/A", "/B", "/C", "/D", "/E", "/F", "/G", "/H", "/I", "/J", "/K", "/L", nullptr, nullptr,
    "/O",                                                                 // ! .. /
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,  // 0..9
    "/Z", "%F", "%G", "%H", "%I", "%J", "%V",                             // : .. @
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,                 // A..Z
    "%K", "%L", "%M", "%N", "%O", "%W",                                   // [ .. `
    "+A", "+B", "+C", "+D", "+E", "+F", "+G", "+H", "+I", "+J", "+K", "+L", "+M", "+N", "+O",
    "+P", "+Q", "+R", "+S", "+T", "+U", "+V", "+W", "+X", "+Y", "+Z",     // a..z
    "%P", "%Q", "%R", "%S"};                                              // { .. ~
static_assert(std::size(kFullAsciiPairs) == '~' - '!' + 1);
}  // namespace

BarString NKDCode39Barcode::plainPattern(char c)
{
    if (c == '*')
        return modulesFor(kStartStopElements);
    const int value = checkValue(c);
    return value < 0 ? BarString() : modulesFor(kElements[value]);
}

void NKDCode39Barcode::initWithContent(const QString& content, bool printsCaption)
{
    NKDBarcode::initWithContent(content.toUpper(), printsCaption);
}

BarString NKDCode39Barcode::_encodeChar(char c) const
{
    return plainPattern(c);
}

BarString NKDCode39Barcode::initiator() const
{
    return plainPattern('*');
}

BarString NKDCode39Barcode::terminator() const
{
    return plainPattern('*');
}

void NKDCode39Barcode::generateChecksum()
{
    QByteArray bytes;
    asciiContent(&bytes);
    int sum = 0;
    for (char c : bytes)
        sum += qMax(0, checkValue(c));
    setCheckDigit(kCharacters[sum % 43]);
    calculateWidth();
}

void NKDExtendedCode39Barcode::initWithContent(const QString& content, bool printsCaption)
{
    NKDCode39Barcode::initWithContent(content, printsCaption);
    setContent(content);
}

BarString NKDExtendedCode39Barcode::_encodeChar(char c) const
{
    if (c < ' ' || c > '~')
        return {};
    if (c == ' ')
        return plainPattern(c);
    const char* pair = kFullAsciiPairs[c - '!'];
    if (!pair)
        return plainPattern(c);
    return plainPattern(pair[0]) + plainPattern(pair[1]);
}

QString NKDExtendedCode39Barcode::getRequirementDescription() const
{
    return QStringLiteral("Character set: 0..9, A..Z, a..z, and  space, _, ., $, /, +, %, *, lenght = 7 + 1 "
                          "check digit (Calculated).");
}

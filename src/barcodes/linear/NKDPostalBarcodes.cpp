#include "barcodes/linear/NKDPostalBarcodes.h"
#include <algorithm>
#include <iterator>

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }

float millimetresToPoints(float mm) { return mm * 72.0f / 25.4f; }

// The two tall bars (1..5) of each Postnet digit.
constexpr int kPostnetTall[10][2] = {{1, 2}, {4, 5}, {3, 5}, {3, 4}, {2, 5},
                                     {2, 4}, {2, 3}, {1, 5}, {1, 4}, {1, 3}};

// RM4SCC: a character's value v is row v / 6 and column v % 6; the row chooses the two bars
// (1..4) with ascenders, the column the two with descenders, from the same list.
constexpr int kRoyalMailPairs[6][2] = {{3, 4}, {2, 4}, {2, 3}, {1, 4}, {1, 3}, {1, 2}};

int royalMailValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return -1;
}

char royalMailCharacter(int value)
{
    return value < 10 ? char('0' + value) : char('A' + value - 10);
}

// Descriptor of bar 0..3 of a character; four trackers for a character outside the set.
PostalBar royalMailBar(char c, int bar)
{
    const int value = royalMailValue(c);
    if (value < 0)
        return Tracker;
    const int* top = kRoyalMailPairs[value / 6];
    const int* bottom = kRoyalMailPairs[value % 6];
    const int number = bar + 1;
    const bool ascends = top[0] == number || top[1] == number;
    const bool descends = bottom[0] == number || bottom[1] == number;
    return PostalBar((ascends ? Ascender : 0) | (descends ? Descender : 0));
}

// Japan Post symbols in check-value order, with their three bars.
constexpr char kJapanSymbols[] = "0123456789-:;<=>?./";
constexpr PostalBar kJapanBars[][3] = {
    {FullBar, Tracker, Tracker},       {FullBar, FullBar, Tracker},    {FullBar, Descender, Ascender},
    {Descender, FullBar, Ascender},    {FullBar, Ascender, Descender}, {FullBar, Tracker, FullBar},
    {Descender, Ascender, FullBar},    {Ascender, FullBar, Descender}, {Ascender, Descender, FullBar},
    {Tracker, FullBar, FullBar},       {Tracker, FullBar, Tracker},    {Descender, Ascender, Tracker},
    {Descender, Tracker, Ascender},    {Ascender, Descender, Tracker}, {Tracker, Descender, Ascender},
    {Ascender, Tracker, Descender},    {Tracker, Ascender, Descender}, {Tracker, Tracker, FullBar},
    {FullBar, FullBar, FullBar}};
static_assert(std::size(kJapanBars) == std::size(kJapanSymbols) - 1);
constexpr PostalBar kJapanStart[2] = {FullBar, Descender};
constexpr PostalBar kJapanStop[2] = {Descender, FullBar};
constexpr int kJapanSymbolCount = 20;

int japanValue(char symbol)
{
    const char* end = kJapanSymbols + std::size(kJapanSymbols) - 1;
    const char* found = std::find(kJapanSymbols, end, symbol);
    return found == end ? -1 : int(found - kJapanSymbols);
}
}  // namespace

// ---- Postnet ------------------------------------------------------------------------------

void NKDPostnetBarcode::initWithContent(const QString& content, bool printsCaption)
{
    NKDBarcode::initWithContent(content, printsCaption);
    setBarWidth(1.08f);
    generateChecksum();
    setHeight(9.0f);
    calculateWidth();
}

bool NKDPostnetBarcode::isContentValid() const
{
    QByteArray bytes;
    if (!asciiContent(&bytes) || !std::all_of(bytes.begin(), bytes.end(), isDigit))
        return false;
    return bytes.size() == 5 || bytes.size() == 9 || bytes.size() == 11;
}

BarString NKDPostnetBarcode::_encodeChar(char) const
{
    return "100100100100100";
}

void NKDPostnetBarcode::generateChecksum()
{
    QByteArray bytes;
    asciiContent(&bytes);
    int sum = 0;
    for (char c : bytes)
        sum += isDigit(c) ? c - '0' : 0;
    setCheckDigit('0' + (10 - sum % 10) % 10);
}

char NKDPostnetBarcode::digitAt(int digitIndex) const
{
    QByteArray bytes;
    asciiContent(&bytes);
    if (digitIndex < bytes.size())
        return bytes[digitIndex];
    return hasCheckDigit() ? char(checkDigit()) : '\0';
}

bool NKDPostnetBarcode::isTallBar(char digit, int bar, bool* digitFound)
{
    *digitFound = isDigit(digit);
    if (!*digitFound)
        return false;
    const int* tall = kPostnetTall[digit - '0'];
    return tall[0] == bar || tall[1] == bar;
}

float NKDPostnetBarcode::_heightForDigit(int digitIndex, int bar) const
{
    bool digit = false;
    const bool tall = isTallBar(digitAt(digitIndex), bar, &digit);
    if (!digit)
        return 0;
    return tall ? kTall : kShort;
}

float NKDPostnetBarcode::barTop(int index) const
{
    const int last = int(completeBarcode().size()) - 1;
    if (index == 0 || index == last)
        return 9.0f;  // frame bars
    const int digit = (index - 3) / 15;
    const int bar = (index - 15 * digit) / 3;
    return _heightForDigit(digit, bar) * 72.0f;
}

float NKDPlanetBarcode::_heightForDigit(int digitIndex, int bar) const
{
    bool digit = false;
    const bool tall = isTallBar(digitAt(digitIndex), bar, &digit);
    return digit && tall ? kShort : kTall;
}

// ---- Royal Mail ---------------------------------------------------------------------------

void NKDRoyalMailBarcode::initWithContent(const QString& content, bool)
{
    NKDBarcode::initWithContent(content.toUpper(), false);
    setBarWidth(1.4173229f);
    generateChecksum();
    setHeight(14.3149605f);
    calculateWidth();
}

void NKDRoyalMailBarcode::setContent(const QString& content)
{
    NKDBarcode::setContent(content);
    asciiContent(&bytes_);
}

BarString NKDRoyalMailBarcode::_encodeChar(char c) const
{
    return royalMailValue(c) >= 0 ? "10101010" : "";
}

void NKDRoyalMailBarcode::generateChecksum()
{
    int topSum = 0;
    int bottomSum = 0;
    for (char c : bytes_) {
        int top = 0;
        int bottom = 0;
        for (int bar = 0; bar < 4; ++bar) {
            const PostalBar descriptor = royalMailBar(c, bar);
            top = top << 1 | ((descriptor & Ascender) ? 1 : 0);
            bottom = bottom << 1 | ((descriptor & Descender) ? 1 : 0);
        }
        topSum = (topSum + top / 2) % 6;
        bottomSum = (bottomSum + bottom / 2) % 6;
    }
    const int row = topSum == 0 ? 5 : topSum - 1;
    const int column = bottomSum == 0 ? 5 : bottomSum - 1;
    setCheckDigit(royalMailCharacter(row * 6 + column));
}

PostalBar NKDRoyalMailBarcode::_barDescriptor(int index) const
{
    if (index == 0)
        return Ascender;
    if (index >= (bytes_.size() + 1) * 8 + 2)
        return FullBar;
    const int k = index - 2;
    const int character = k / 8;
    const char c = character < bytes_.size() ? bytes_[character] : char(checkDigit());
    return royalMailBar(c, (k % 8) / 2);
}

float NKDRoyalMailBarcode::barTop(int index) const
{
    return millimetresToPoints((_barDescriptor(index) & Ascender) ? 5.05f : 3.15f);
}

float NKDRoyalMailBarcode::barBottom(int index) const
{
    return millimetresToPoints((_barDescriptor(index) & Descender) ? 0.0f : 1.9f);
}

// ---- Japan Post ---------------------------------------------------------------------------

void JapanPostBarcode::initWithContent(const QString& content, bool, float, float height, float, int)
{
    set_Barcode_Orientation(0);
    setContent(content);
    NKDBarcode::setHeight(height >= 8.0f && height <= 11.5f ? height : 10.0f);
    calculateWidth();
}

void JapanPostBarcode::setContent(const QString& content)
{
    QByteArray ascii;
    asciiSource_ = toAscii(content, &ascii);
    QByteArray symbols;
    QString readable;
    for (QChar ch : content.toUpper()) {
        const ushort c = ch.unicode();
        if (c >= 'A' && c <= 'Z') {
            const int offset = c - 'A';
            const char control = offset < 10 ? ':' : offset < 20 ? ';' : '<';
            symbols += control;
            symbols += char('0' + offset % 10);
        } else if ((c >= '0' && c <= '9') || c == '-') {
            symbols += char(c);
        } else {
            continue;
        }
        readable += ch;
    }
    if (symbols.size() > kJapanSymbolCount) {
        // Each readable character ends in exactly one digit or hyphen symbol.
        symbols.truncate(kJapanSymbolCount);
        const auto kept = std::count_if(symbols.begin(), symbols.end(),
                                        [](char s) { return isDigit(s) || s == '-'; });
        readable.truncate(kept);
    }
    symbols += QByteArray(kJapanSymbolCount - symbols.size(), '=');
    japanpostContents_ = symbols;
    NKDBarcode::setContent(readable);
    generateChecksum();
}

void JapanPostBarcode::setHeight(float height)
{
    const float clamped = std::clamp(height, 8.5f, 11.5f);
    NKDBarcode::setHeight(clamped);
    NKDBarcode::setBarWidth(clamped / 6.0f);
    calculateWidth();
}

void JapanPostBarcode::setBarWidth(float barWidth)
{
    const float clamped = std::clamp(barWidth, 1.3333334f, 1.9166666f);
    NKDBarcode::setBarWidth(clamped);
    NKDBarcode::setHeight(6.0f * clamped);
    calculateWidth();
}

bool JapanPostBarcode::isContentValid() const
{
    const QString postalCode = content().left(7);
    return asciiSource_ && postalCode.size() == 7 &&
           std::all_of(postalCode.begin(), postalCode.end(), [](QChar c) { return c >= '0' && c <= '9'; });
}

BarString JapanPostBarcode::barcode() const
{
    const qsizetype symbols = japanpostContents_.size() + (hasCheckDigit() ? 1 : 0);
    BarString bars;
    for (qsizetype i = 0; i < symbols; ++i)
        bars += "101010";
    return bars;
}

void JapanPostBarcode::generateChecksum()
{
    int sum = 0;
    for (char symbol : japanpostContents_)
        sum += qMax(0, japanValue(symbol));
    const int value = sum % 19 == 0 ? 0 : 19 - sum % 19;
    setCheckDigit(kJapanSymbols[value]);
}

PostalBar JapanPostBarcode::_barDescriptor(int index) const
{
    if (index < 4)
        return kJapanStart[index / 2];
    const int symbolCount = int(japanpostContents_.size()) + (hasCheckDigit() ? 1 : 0);
    const int symbol = (index - 4) / 6;
    if (symbol >= symbolCount)
        return kJapanStop[std::min(1, (index - 4 - symbolCount * 6) / 2)];
    const char c = symbol < japanpostContents_.size() ? japanpostContents_[symbol] : char(checkDigit());
    const int value = japanValue(c);
    return value < 0 ? Tracker : kJapanBars[value][((index - 4) % 6) / 2];
}

float JapanPostBarcode::barTop(int index) const
{
    const float mm = ((_barDescriptor(index) & Ascender) ? 3.6f : 2.4f) * height() / 10.0f;
    return mm / 0.3527777777777777f;
}

float JapanPostBarcode::barBottom(int index) const
{
    const float mm = ((_barDescriptor(index) & Descender) ? 0.0f : 1.2f) * height() / 10.0f;
    return mm / 0.3527777777777777f;
}

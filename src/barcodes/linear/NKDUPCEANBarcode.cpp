#include "barcodes/linear/NKDUPCEANBarcode.h"
#include <QByteArray>
#include <QList>
#include <QStringList>
#include <algorithm>

namespace {
constexpr const char* kLeftOdd[] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                                    "0110001", "0101111", "0111011", "0110111", "0001011"};
constexpr const char* kCentreGuard = "01010";
// Even-parity positions 1..6 ('G') keyed by the first EAN-13 digit.
constexpr const char* kEAN13Parity[] = {"LLLLLL", "LLGLGG", "LLGGLG", "LLGGGL", "LGLLGG",
                                        "LGGLLG", "LGGGLL", "LGLGLG", "LGLGGL", "LGGLGL"};
// Even-parity positions 1..6 ('E') keyed by the check digit, for number system 0.
constexpr const char* kUPCEParity[] = {"EEEOOO", "EEOEOO", "EEOOEO", "EEOOOE", "EOEEOO",
                                       "EOOEEO", "EOOOEE", "EOEOEO", "EOEOOE", "EOOEOE"};
constexpr float kGuardBottom = 3.6f;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

BarString swapHandedness(const BarString& bars)
{
    BarString swapped(bars.size(), '0');
    std::transform(bars.begin(), bars.end(), swapped.begin(), [](char c) { return c == '0' ? '1' : '0'; });
    return swapped;
}

BarString swapParity(const BarString& bars)
{
    BarString swapped = swapHandedness(bars);
    std::reverse(swapped.begin(), swapped.end());
    return swapped;
}

// ---- Shared -------------------------------------------------------------------------------

BarString NKDAbstractUPCEANBarcode::_encodeChar(char c) const
{
    return isDigit(c) ? BarString(kLeftOdd[c - '0']) : BarString();
}

QString NKDAbstractUPCEANBarcode::rightCaption() const
{
    return hasCheckDigit() ? QString(QChar(checkDigit())) : QString();
}

QList<CaptionGroup> NKDAbstractUPCEANBarcode::captionGroups() const
{
    const QStringList texts = caption().split(u'\t');
    const QList<std::pair<int, int>> modules = captionModules();
    QList<CaptionGroup> groups;
    for (qsizetype i = 0; i < texts.size() && i < modules.size(); ++i)
        groups.append(CaptionGroup{texts[i].trimmed(), modules[i].first, modules[i].second});
    return groups;
}

void NKDAbstractUPCEANBarcode::calculateWidth()
{
    setWidth(content().isEmpty() ? 0.0f : float(completeBarcode().size()) * barWidth() * 1.2f);
}

bool NKDAbstractUPCEANBarcode::isGuardModule(int index, int length) const
{
    return index < 7 || (index >= 45 && index <= 49) || index > length - 7;
}

float NKDAbstractUPCEANBarcode::barBottom(int index) const
{
    const int length = int(completeBarcode().size());
    return isGuardModule(index, length) ? kGuardBottom : captionHeight() * 72.0f;
}

bool NKDAbstractUPCEANBarcode::isAllDigits(const QByteArray& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), isDigit);
}

char NKDAbstractUPCEANBarcode::checkDigitFor(const QByteArray& digits)
{
    int sum = 0;
    int weight = 3;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        sum += weight * (digits[i] - '0');
        weight = 4 - weight;
    }
    return char('0' + (10 - sum % 10) % 10);
}

void NKDAbstractUPCEANBarcode::generateChecksum()
{
    QByteArray bytes;
    if (asciiContent(&bytes) && bytes.size() == dataLength() && isAllDigits(bytes))
        setCheckDigit(checkDigitFor(bytes));
}

bool NKDAbstractUPCEANBarcode::hasVerifiedCheckDigit(const QByteArray& dataDigits) const
{
    return dataDigits.size() == dataLength() && isAllDigits(dataDigits) && hasCheckDigit() &&
           checkDigit() == checkDigitFor(dataDigits);
}

// ---- EAN-13 -------------------------------------------------------------------------------

void NKDEAN13Barcode::initWithContent(const QString& content, bool printsCaption)
{
    NKDBarcode::initWithContent(content, printsCaption);
    QByteArray bytes;
    asciiContent(&bytes);
    if (bytes.size() == dataLength() + 1) {
        setCheckDigit(bytes.back());
        setContent(content.left(dataLength()));
    } else {
        generateChecksum();
    }
    calculateWidth();
}

bool NKDEAN13Barcode::isContentValid() const
{
    QByteArray bytes;
    return asciiContent(&bytes) && hasVerifiedCheckDigit(bytes);
}

bool NKDEAN13Barcode::_parityForSystemDigit(char systemDigit, int index)
{
    if (!isDigit(systemDigit) || index < 1 || index > 6)
        return false;
    return kEAN13Parity[systemDigit - '0'][index - 1] == 'G';
}

BarString NKDEAN13Barcode::barcode() const
{
    QByteArray bytes;
    if (!asciiContent(&bytes) || bytes.size() < 12)
        return {};
    BarString bars;
    for (int i = 1; i <= 6; ++i) {
        const BarString left = _encodeChar(bytes[i]);
        bars += _parityForSystemDigit(bytes[0], i) ? swapParity(left) : left;
    }
    bars += kCentreGuard;
    for (int i = 7; i < 12; ++i)
        bars += swapHandedness(_encodeChar(bytes[i]));
    return bars + swapHandedness(_encodeChar(checkCharacter()));
}

QString NKDEAN13Barcode::caption() const
{
    return QStringLiteral("  %1\t%2").arg(content().mid(1, 6), content().mid(7, 5)) + QChar(checkCharacter());
}

// ---- EAN-8 --------------------------------------------------------------------------------

bool NKDEAN8Barcode::isGuardModule(int index, int length) const
{
    return index < 4 || (index >= 31 && index <= 35) || index > length - 4;
}

BarString NKDEAN8Barcode::barcode() const
{
    QByteArray bytes;
    if (!asciiContent(&bytes) || bytes.size() < 7)
        return {};
    BarString bars;
    for (int i = 0; i < 4; ++i)
        bars += _encodeChar(bytes[i]);
    bars += kCentreGuard;
    for (int i = 4; i < 7; ++i)
        bars += swapHandedness(_encodeChar(bytes[i]));
    return bars + swapHandedness(_encodeChar(checkCharacter()));
}

QString NKDEAN8Barcode::caption() const
{
    return QStringLiteral(" %1\t%2").arg(content().mid(0, 4), content().mid(4, 3)) + QChar(checkCharacter());
}

// ---- UPC-A --------------------------------------------------------------------------------

void NKDUPCABarcode::initWithContent(const QString& content, bool printsCaption)
{
    NKDBarcode::initWithContent(content, printsCaption);
    QByteArray bytes;
    asciiContent(&bytes);
    if (bytes.size() == dataLength() + 1)
        setCheckDigit(bytes.back());
    else
        generateChecksum();
    calculateWidth();
}

bool NKDUPCABarcode::isContentValid() const
{
    QByteArray bytes;
    if (!asciiContent(&bytes) || bytes.size() < 11 || bytes.size() > 12)
        return false;
    const bool givenCheckMatches = bytes.size() == 11 || bytes.back() == char(checkDigit());
    return givenCheckMatches && hasVerifiedCheckDigit(bytes.left(11));
}

BarString NKDUPCABarcode::barcode() const
{
    QByteArray bytes;
    if (!asciiContent(&bytes) || bytes.size() < 11)
        return {};
    BarString bars;
    for (int i = 0; i < 6; ++i)
        bars += _encodeChar(bytes[i]);
    bars += kCentreGuard;
    for (int i = 6; i < 11; ++i)
        bars += swapHandedness(_encodeChar(bytes[i]));
    return bars + swapHandedness(_encodeChar(checkCharacter()));
}

QString NKDUPCABarcode::caption() const
{
    return QStringLiteral("%1\t%2").arg(content().mid(1, 5), content().mid(6, 5));
}

// ---- UPC-E --------------------------------------------------------------------------------

QByteArray NKDUPCEBarcode::UPCEToUPCA(const QByteArray& e)
{
    if (e.size() != 7 || !isAllDigits(e))
        return {};
    const char last = e[6];
    QByteArray a(1, e[0]);
    if (last <= '2')
        a += e.mid(1, 2) + last + "0000" + e.mid(3, 3);
    else if (last == '3')
        a += e.mid(1, 3) + "00000" + e.mid(4, 2);
    else if (last == '4')
        a += e.mid(1, 4) + "00000" + e.mid(5, 1);
    else
        a += e.mid(1, 5) + "0000" + last;
    return a;
}

QString NKDUPCEBarcode::UPCAToUPCE(const QString& upca)
{
    QByteArray a;
    if (!toAscii(upca, &a) || a.size() < 12 || !isAllDigits(a.left(12)))
        return {};
    // Characters numbered from 1: 1 number system, 2..6 manufacturer, 7..11 product.
    auto chars = [&a](int from, int to) { return a.mid(from - 1, to - from + 1); };
    QList<QByteArray> candidates;
    const QByteArray m3to5 = chars(4, 6);
    if (m3to5 == "000" || m3to5 == "100" || m3to5 == "200")
        candidates << chars(2, 3) + chars(9, 11) + chars(4, 4);
    if (chars(5, 6) == "00")
        candidates << chars(2, 4) + chars(10, 11) + "3";
    if (chars(6, 6) == "0")
        candidates << chars(2, 5) + chars(11, 11) + "4";
    if (a[10] >= '5')
        candidates << chars(2, 6) + chars(11, 11);
    // Only a shortening that expands back to the same value drops nothing but zeros.
    const QByteArray data = a.left(11);
    for (const QByteArray& candidate : candidates) {
        if (UPCEToUPCA(a.left(1) + candidate) == data)
            return QString::fromLatin1(candidate);
    }
    return {};
}

void NKDUPCEBarcode::initWithContent(const QString& content, bool printsCaption)
{
    NKDBarcode::initWithContent(content, printsCaption);
    QByteArray bytes;
    asciiContent(&bytes);
    if (bytes.size() == 11 && isAllDigits(bytes)) {
        const char check = checkDigitFor(bytes);
        const QString shortened = UPCAToUPCE(content + QChar(check));
        if (!shortened.isEmpty()) {
            setContent(content.left(1) + shortened);
            setCheckDigit(check);
        }
    } else if (bytes.size() == 8) {
        setCheckDigit(bytes.back());
        setContent(content.left(7));
    } else {
        generateChecksum();
    }
    calculateWidth();
}

void NKDUPCEBarcode::generateChecksum()
{
    QByteArray bytes;
    asciiContent(&bytes);
    const QByteArray expanded = UPCEToUPCA(bytes);
    if (!expanded.isEmpty())
        setCheckDigit(checkDigitFor(expanded));
}

bool NKDUPCEBarcode::isContentValid() const
{
    QByteArray bytes;
    if (!asciiContent(&bytes) || bytes.size() != 7 || (bytes[0] != '0' && bytes[0] != '1'))
        return false;
    const QByteArray expanded = UPCEToUPCA(bytes);
    return !expanded.isEmpty() && hasCheckDigit() && checkDigit() == checkDigitFor(expanded);
}

bool NKDUPCEBarcode::parityForDigit(int position) const
{
    if (!hasCheckDigit() || !isDigit(char(checkDigit())) || position < 1 || position > 6)
        return false;
    const bool even = kUPCEParity[checkDigit() - '0'][position - 1] == 'E';
    return content().startsWith(QLatin1Char('0')) ? even : !even;
}

bool NKDUPCEBarcode::isGuardModule(int index, int length) const
{
    return index < 7 || index > length - 4;
}

BarString NKDUPCEBarcode::barcode() const
{
    QByteArray bytes;
    if (!asciiContent(&bytes) || bytes.size() < 7)
        return {};
    BarString bars;
    for (int i = 1; i <= 6; ++i) {
        const BarString left = _encodeChar(bytes[i]);
        bars += parityForDigit(i) ? swapParity(left) : left;
    }
    return bars;
}

QString NKDUPCEBarcode::caption() const
{
    return content().mid(1, 6);
}

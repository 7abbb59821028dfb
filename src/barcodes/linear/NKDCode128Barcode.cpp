#include "barcodes/linear/NKDCode128Barcode.h"
#include <iterator>
#include "platform/Log.h"

namespace {
// Bar and space widths of the symbol values 0..106 (103..105 start A/B/C, 106 stop).
constexpr const char* kWidths[] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122", "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123", "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331", "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "2331112"};
static_assert(std::size(kWidths) == 107);

constexpr int kShift = 98;
constexpr int kStartA = 103;
constexpr int kStop = 106;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Set C: pairs of digits, an even number of them.
bool isSetCContent(const QByteArray& bytes)
{
    if (bytes.size() % 2 != 0)
        return false;
    for (char c : bytes) {
        if (!isDigit(c))
            return false;
    }
    return true;
}

bool isKnownSet(int codeSet) { return codeSet >= NKDCode128Barcode::SetA && codeSet <= NKDCode128Barcode::SetC; }
}  // namespace

BarString NKDCode128Barcode::symbolModules(int value)
{
    BarString bars;
    if (value < 0 || value >= int(std::size(kWidths)))
        return bars;
    const char* widths = kWidths[value];
    for (int k = 0; widths[k]; ++k)
        bars.append(size_t(widths[k] - '0'), k % 2 == 0 ? '1' : '0');
    return bars;
}

int NKDCode128Barcode::_valueForChar(char c, int codeSet)
{
    const int code = static_cast<unsigned char>(c);
    if (code > 127) {
        // Neither set has it: sets A and B together hold the 128 ASCII characters.
        Show_NSLog_Message(QStringLiteral("_valueForChar: received Unrecognized character %1").arg(QChar::fromLatin1(c)));
        return -1;
    }
    if (codeSet == SetA) {
        if (code < 32)
            return code + 64;
        return code <= 95 ? code - 32 : -1;
    }
    if (codeSet == SetB)
        return code >= 32 && code <= 127 ? code - 32 : -1;  // DEL is value 95 of set B
    return -1;
}

int NKDCode128Barcode::_bestCodeSetForContent(const QString& content)
{
    int digits = 0;
    int controls = 0;
    int lowerCase = 0;
    for (QChar ch : content) {
        const ushort c = ch.unicode();
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c < 32 || c == 127)
            ++controls;
        else if (c >= 'a' && c <= 'z')
            ++lowerCase;
    }
    if (digits == content.size() && digits % 2 == 0)
        return SetC;
    return controls > lowerCase ? SetA : SetB;
}

void NKDCode128Barcode::setContent(const QString& content)
{
    NKDBarcode::setContent(content);
    // Settled before the width is measured with the start symbol, which an unsettled set lacks.
    if (codeSet_ == Automatic)
        codeSet_ = _bestCodeSetForContent(content);
}

void NKDCode128Barcode::initWithContent(const QString& content, bool printsCaption)
{
    NKDBarcode::initWithContent(content, printsCaption);
    generateChecksum();
    calculateWidth();
}

bool NKDCode128Barcode::isContentValid() const
{
    QByteArray bytes;
    if (!isKnownSet(codeSet_) || !asciiContent(&bytes))
        return false;
    return codeSet_ != SetC || isSetCContent(bytes);
}

BarString NKDCode128Barcode::initiator() const
{
    if (isKnownSet(codeSet_))
        return symbolModules(kStartA + codeSet_);
    Show_NSLog_Message(QStringLiteral("Invalid codeSet value: %1").arg(codeSet_));
    return {};
}

BarString NKDCode128Barcode::_shiftCharacterForSet(int targetSet)
{
    // SHIFT takes the next character from the other of sets A and B; nothing shifts into set C.
    if (targetSet == SetA || targetSet == SetB)
        return symbolModules(kShift);
    Show_NSLog_Message(QStringLiteral("Invalid CodeSet value Supplied: %1").arg(targetSet));
    return {};
}

BarString NKDCode128Barcode::terminator() const
{
    return symbolModules(kStop);
}

BarString NKDCode128Barcode::_encodeChar(char c) const
{
    if (codeSet_ != SetA && codeSet_ != SetB)
        return {};
    const int value = _valueForChar(c, codeSet_);
    if (value >= 0)
        return symbolModules(value);
    const int other = codeSet_ == SetA ? SetB : SetA;
    return _shiftCharacterForSet(other) + symbolModules(_valueForChar(c, other));
}

std::vector<int> NKDCode128Barcode::bodyValues() const
{
    std::vector<int> values;
    if (!isContentValid())
        return values;
    QByteArray bytes;
    asciiContent(&bytes);
    if (codeSet_ == SetC) {
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
            values.push_back((bytes[i] - '0') * 10 + (bytes[i + 1] - '0'));
        return values;
    }
    const int other = codeSet_ == SetA ? SetB : SetA;
    for (char c : bytes) {
        const int value = _valueForChar(c, codeSet_);
        if (value >= 0) {
            values.push_back(value);
        } else {
            values.push_back(kShift);
            values.push_back(_valueForChar(c, other));
        }
    }
    return values;
}

BarString NKDCode128Barcode::barcode() const
{
    if (!isContentValid())
        return {};
    BarString bars;
    for (int value : bodyValues())
        bars += symbolModules(value);
    if (hasCheckDigit())
        bars += symbolModules(checkDigit());
    return bars;
}

void NKDCode128Barcode::generateChecksum()
{
    if (!isKnownSet(codeSet_)) {
        setCheckDigit(-1);
        return;
    }
    // Taken modulo 103 as it goes: the plain sum overflows for values of some ten thousand characters.
    constexpr int kModulus = 103;
    int sum = kStartA + codeSet_;
    int weight = 1;
    for (int value : bodyValues()) {
        sum = (sum + weight * value) % kModulus;
        weight = weight % kModulus + 1;
    }
    setCheckDigit(sum % kModulus);
}

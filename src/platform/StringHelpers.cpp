#include "platform/StringHelpers.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace {

struct BlankOrControl;

// How far runs of spaces, the most common blanks, reach into either end of [begin, end), a word of
// eight bytes at a time.
template <typename Unit>
void passSpaces(const Unit* units, qsizetype& begin, qsizetype& end)
{
    constexpr qsizetype kPerWord = 8 / sizeof(Unit);
    constexpr quint64 kSpaces = sizeof(Unit) == 1 ? 0x2020202020202020ULL : 0x0020002000200020ULL;
    const auto spaces = [units](qsizetype at) {
        quint64 word = 0;
        std::memcpy(&word, units + at, sizeof word);
        return word == kSpaces;
    };
    while (end - begin >= kPerWord && spaces(begin))
        begin += kPerWord;
    while (end - begin >= kPerWord && spaces(end - kPerWord))
        end -= kPerWord;
}

// Where the text is left once the code points that match are removed from both ends, in one pass
// each way: [begin, end).
template <typename Predicate>
std::pair<qsizetype, qsizetype> untrimmedPart(QStringView text, Predicate matches)
{
    const QChar* const units = text.constData();
    qsizetype begin = 0;
    qsizetype end = text.size();
    if constexpr (std::is_same_v<Predicate, BlankOrControl>)
        passSpaces(units, begin, end);
    while (begin < end) {
        const bool pair = begin + 1 < end && units[begin].isHighSurrogate() && units[begin + 1].isLowSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(units[begin], units[begin + 1]) : units[begin].unicode();
        if (!matches(c))
            break;
        begin += pair ? 2 : 1;
    }
    while (end > begin) {
        const bool pair = end - 2 >= begin && units[end - 1].isLowSurrogate() && units[end - 2].isHighSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(units[end - 2], units[end - 1]) : units[end - 1].unicode();
        if (!matches(c))
            break;
        end -= pair ? 2 : 1;
    }
    return {begin, end};
}

template <typename Predicate>
QString trimEnds(const QString& text, Predicate matches)
{
    const auto [begin, end] = untrimmedPart(text, matches);
    return text.mid(begin, end - begin);
}

bool isControlOrFormat(char32_t c)
{
    const QChar::Category category = QChar::category(c);
    return category == QChar::Other_Control || category == QChar::Other_Format;
}

// In ASCII these are the space, what comes before it, and DEL; looked up only past it. A type of
// its own, so that the trimming loops test ASCII inline: millions of lines are trimmed on import.
struct BlankOrControl {
    static bool ascii(uchar c) { return c <= 0x20 || c == 0x7F; }
    bool operator()(char32_t c) const
    {
        if (c < 0x80)
            return ascii(uchar(c));
        return QChar::isSpace(c) || isControlOrFormat(c);
    }
};
constexpr BlankOrControl isBlankOrControl;

bool isReservedInFileName(char32_t c)
{
    return std::u32string_view(U"/\\?%*|\"<>").find(c) != std::u32string_view::npos;
}

bool findPart(const QString& text, const QString& part, Qt::CaseSensitivity cs)
{
    return !part.isEmpty() && text.contains(part, cs);
}

}  // namespace

QString Trim_Str(const QString& text)
{
    // Most texts start and end with a visible ASCII character: nothing to trim, no lookups.
    const auto visibleAscii = [](QChar c) { return c.unicode() > 0x20 && c.unicode() < 0x7F; };
    if (text.isEmpty() || (visibleAscii(text.front()) && visibleAscii(text.back())))
        return text;
    // Blanks and control characters in one pass: trimmed one kind after the other, a blank behind
    // a zero-width space would stay, and trimming again would change the text again.
    return trimEnds(text, isBlankOrControl);
}

QStringView Trimmed_Part(QStringView text)
{
    const auto [begin, end] = untrimmedPart(text, isBlankOrControl);
    return text.sliced(begin, end - begin);
}

QByteArrayView Trimmed_Ascii_Part(QByteArrayView ascii)
{
    qsizetype begin = 0;
    qsizetype end = ascii.size();
    passSpaces(ascii.data(), begin, end);
    while (begin < end && BlankOrControl::ascii(uchar(ascii[begin])))
        ++begin;
    while (end > begin && BlankOrControl::ascii(uchar(ascii[end - 1])))
        --end;
    return ascii.sliced(begin, end - begin);
}

// Eight bytes at a time: one test for each.
bool Is_Ascii(QByteArrayView bytes)
{
    constexpr quint64 kHighBits = 0x8080808080808080ULL;
    qsizetype at = 0;
    for (quint64 word = 0; at + 8 <= bytes.size(); at += 8) {
        std::memcpy(&word, bytes.data() + at, sizeof word);
        if (word & kHighBits)
            return false;
    }
    return std::all_of(bytes.begin() + at, bytes.end(), [](char byte) { return uchar(byte) < 0x80; });
}

QString Trim_Str(QString&& text)
{
    const auto [begin, end] = untrimmedPart(text, isBlankOrControl);
    text.truncate(end);
    text.remove(0, begin);
    return std::move(text);
}

QString Well_Formed_Text(const QString& text)
{
    return Well_Formed_Text(QString(text));
}

QString Well_Formed_Text(QString&& text)
{
    const auto wellFormed = [](const QString& t) {
        return !t.contains(QChar(u'\0')) && QStringView(t).isValidUtf16();
    };
    if (wellFormed(text))
        return std::move(text);
    // Mended in place: NUL left out, a surrogate without its other half made U+FFFD.
    QChar* out = text.data();
    const QChar* const end = out + text.size();
    QChar* kept = out;
    for (const QChar* c = out; c < end; ++c) {
        if (c->isHighSurrogate() && c + 1 < end && c[1].isLowSurrogate()) {
            *kept++ = *c;
            *kept++ = *++c;
        } else if (c->isSurrogate()) {
            *kept++ = QChar(QChar::ReplacementCharacter);
        } else if (*c != QChar(u'\0')) {
            *kept++ = *c;
        }
    }
    text.truncate(kept - out);
    return std::move(text);
}

int Trailing_Number(const QString& text)
{
    qsizetype start = text.size();
    while (start > 0 && text.at(start - 1).isDigit())
        --start;
    bool number = false;
    const int n = text.mid(start).toInt(&number);
    return number ? n : -1;
}

QString Replace_Char_For_valid(const QString& text)
{
    return Trim_Str(text);
}

QString Replace_char_in_string(const QString& text, const QString& find, const QString& replacement)
{
    if (find.isEmpty())
        return text;
    return QString(text).replace(find, replacement, Qt::CaseSensitive);
}

QString Remove_Reserve_Char_In_File_Name(const QString& text)
{
    QString name = trimEnds(text, isReservedInFileName);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return Trim_Str(name);
}

QString Left_Str_substringToIndex(const QString& text, int n)
{
    n = qMax(n, 0);
    return n < text.size() ? text.left(n) : text;
}

QString Right_Str_substringFromIndex(const QString& text, int n)
{
    n = qMax(n, 0);
    return n >= text.size() ? text : text.right(n);
}

QString Read_Str_FromIndex(const QString& text, int n)
{
    return n < 0 || n > text.size() ? QString() : text.mid(n);
}

QString Read_Str_Upto_Index(const QString& text, int n)
{
    return n < 0 || n > text.size() ? QString() : text.left(n);
}

bool Find_Str(const QString& text, const QString& part)
{
    return findPart(text, part, Qt::CaseSensitive);
}

bool Find_Str_Case_Insensitive(const QString& text, const QString& part)
{
    return findPart(text, part, Qt::CaseInsensitive);
}

QString capitalizedWords(const QString& text)
{
    QString result = text.toLower();
    bool wordStart = true;
    for (QChar& c : result) {
        if (wordStart && c.isLetter())
            c = c.toUpper();
        wordStart = !c.isLetterOrNumber();
    }
    return result;
}

namespace {

// A run of digits or of anything else, starting at `from`.
QStringView runAt(QStringView text, qsizetype from)
{
    const bool digits = text[from].isDigit();
    qsizetype end = from;
    while (end < text.size() && text[end].isDigit() == digits)
        ++end;
    return text.mid(from, end - from);
}

QStringView withoutLeadingZeros(QStringView digits)
{
    qsizetype zeros = 0;
    while (zeros + 1 < digits.size() && digits[zeros] == u'0')
        ++zeros;
    return digits.mid(zeros);
}

// Digit runs by their value (leading zeros aside), other runs case-insensitively.
int compareNaturally(QStringView a, QStringView b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const QStringView left = runAt(a, i), right = runAt(b, j);
        i += left.size(), j += right.size();
        int order = 0;
        if (left[0].isDigit() && right[0].isDigit()) {
            const QStringView l = withoutLeadingZeros(left), r = withoutLeadingZeros(right);
            order = l.size() != r.size() ? (l.size() < r.size() ? -1 : 1) : l.compare(r);
        } else {
            order = left.compare(right, Qt::CaseInsensitive);
        }
        if (order != 0)
            return order;
    }
    return (a.size() - i) < (b.size() - j) ? -1 : (a.size() - i) > (b.size() - j) ? 1 : 0;
}

}  // namespace

// QCollator's numeric mode is not there in every locale (the C locale has none), so the comparison
// is our own.
bool naturalLess(const QString& a, const QString& b)
{
    const int order = compareNaturally(a, b);
    return order != 0 ? order < 0 : a < b;
}

void sortNaturally(QStringList& names)
{
    std::stable_sort(names.begin(), names.end(), naturalLess);
}

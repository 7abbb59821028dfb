// Rich text to plain text for series imports: a reader of the RTF group and control-word syntax
// that keeps the text of every run and drops what only describes how it looks.
#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "data/RtfCodePage.h"
#include "data/SeriesTextImport.h"

namespace SeriesTextImport {

namespace {

// Words are looked up by the standard library's hash, which costs a document of a million
// paragraphs least.
using Word = std::string_view;

// Groups whose content is not document text.
const std::unordered_set<Word>& skippedDestinations()
{
    static const std::unordered_set<Word> names = {
        "fonttbl", "colortbl", "stylesheet", "info", "pict", "object", "header", "headerl",
        "headerr", "headerf", "footer", "footerl", "footerr", "footerf", "listtable",
        "listoverridetable", "revtbl", "rsidtbl", "generator", "xmlnstbl", "themedata",
        "colorschememapping", "latentstyles", "datastore", "fldinst", "filetbl", "pgdsctbl",
        "nonshppict", "shpinst", "template", "author", "operator", "title", "subject", "keywords",
        "comment", "doccomm", "userprops", "expandedcolortbl", "listtext", "pntext", "pntxta",
        "pntxtb", "ftnsep", "ftnsepc", "aftnsep", "aftnsepc", "background", "shppict",
    };
    return names;
}

// What a control word does that the text depends on.
struct WordMeaning {
    enum Kind { None, Binary, Unicode, UnicodeSkip, NumberedCodePage, CodePage, Character } kind;
    int value;  // the code page, or the character
};

const std::unordered_map<Word, WordMeaning>& wordMeanings()
{
    using W = WordMeaning;
    static const std::unordered_map<Word, WordMeaning> meanings = {
        {"bin", {W::Binary, 0}},        {"u", {W::Unicode, 0}},           {"uc", {W::UnicodeSkip, 0}},
        {"ansicpg", {W::NumberedCodePage, 0}}, {"ansi", {W::CodePage, 1252}}, {"mac", {W::CodePage, 10000}},
        {"pc", {W::CodePage, 437}},      {"pca", {W::CodePage, 850}},       {"par", {W::Character, '\n'}},
        {"line", {W::Character, '\n'}},  {"sect", {W::Character, '\n'}},   {"page", {W::Character, '\n'}},
        {"row", {W::Character, '\n'}},   {"tab", {W::Character, '\t'}},    {"cell", {W::Character, '\t'}},
        {"emdash", {W::Character, 0x2014}}, {"endash", {W::Character, 0x2013}}, {"bullet", {W::Character, 0x2022}},
        {"lquote", {W::Character, 0x2018}}, {"rquote", {W::Character, 0x2019}}, {"ldblquote", {W::Character, 0x201C}},
        {"rdblquote", {W::Character, 0x201D}}, {"emspace", {W::Character, ' '}}, {"enspace", {W::Character, ' '}},
        {"qmspace", {W::Character, ' '}},
    };
    return meanings;
}

// Control words are at most 32 letters: letters past these name nothing.
constexpr qsizetype kMaxWordLetters = 32;

// Whether a word of its length and first letter stands in either table: most words of a document
// (\f0, \fs24, \b) stand in neither, and are passed without hashing them.
class KnownWordShapes {
public:
    KnownWordShapes()
    {
        for (const auto& [word, meaning] : wordMeanings())
            add(word);
        for (const Word word : skippedDestinations())
            add(word);
    }
    bool mayHold(qsizetype length, char first) const
    {
        return size_t(length) < kLengths && (m_firstLetters[size_t(length)] & bit(first)) != 0;
    }

private:
    static constexpr size_t kLengths = kMaxWordLetters + 1;
    // Upper and lower case letters are bits 1 to 26 and 33 to 58.
    static quint64 bit(char letter) { return quint64(1) << (letter & 0x3F); }
    void add(Word word) { m_firstLetters[word.size()] |= bit(word.front()); }

    std::array<quint64, kLengths> m_firstLetters{};
};

const KnownWordShapes& knownWordShapes()
{
    static const KnownWordShapes shapes;
    return shapes;
}

struct GroupState {
    bool skipped = false;
    int unicodeSkip = 1;  // characters after "\uN" that stand in for it in older readers
};

// The bytes of a document read from a device a chunk at a time. The reader holds where it stands
// among the bytes at hand (a cursor) and asks for more as it needs them; it looks at every byte of
// markup, so that a byte at hand costs it no more than a comparison of two pointers.
class RtfBytes {
public:
    // Where the reading stands, and the end of the bytes at hand.
    struct Cursor {
        const uchar* at = nullptr;
        const uchar* end = nullptr;
        qsizetype atHand() const { return end - at; }
    };

    // Zeros behind the bytes at hand: they end a word or a number as the end of the document
    // does, so that the reader looks at the bytes of one without counting those at hand.
    static constexpr qsizetype kPadding = 64;

    explicit RtfBytes(QIODevice& device) : _device(device) {}

    // Whether the byte ends a run of plain text.
    static bool isMarkup(uchar byte) { return kMarkupBytes[byte]; }

    // Makes `wanted` bytes at hand from the cursor on, or all that are left of the document; true
    // when any are. The cursor is moved with the bytes.
    bool want(Cursor& cursor, qsizetype wanted)
    {
        if (cursor.atHand() < wanted)
            cursor = readOn(cursor, wanted);
        return cursor.atHand() > 0;
    }

    // The plain text from the cursor to the next byte that is markup or a line end, as far as the
    // bytes at hand go; the cursor is passed over it.
    QByteArrayView plainText(Cursor& cursor)
    {
        // Between markup, runs are mostly a few bytes: looked at one by one before searching.
        const uchar* const start = cursor.at;
        const uchar* const near = std::min(cursor.end, start + kNearBytes);
        const uchar* end = start;
        while (end < near && !kMarkupBytes[*end])
            ++end;
        if (end == near && end < cursor.end)
            end = nextMarkup(end, cursor.end);
        cursor.at = end;
        return QByteArrayView(start, end - start);
    }

    // The cursor that many bytes on, reading on as far as they go.
    Q_NEVER_INLINE Cursor skip(Cursor cursor, qint64 count)
    {
        while (count > 0) {
            const qsizetype passed = qsizetype(std::min<qint64>(count, cursor.atHand()));
            cursor.at += passed;
            count -= passed;
            if (count > 0 && !want(cursor, 1))
                break;
        }
        return cursor;
    }

private:
    static constexpr qint64 kChunkBytes = qint64(1) << 20;
    static constexpr qsizetype kNearBytes = 16;

    // The bytes that end a run of plain text.
    static constexpr std::array<char, 5> kMarkup = {'{', '}', '\\', '\r', '\n'};
    static constexpr std::array<bool, 256> kMarkupBytes = [] {
        std::array<bool, 256> markup{};
        for (const char byte : kMarkup)
            markup[uchar(byte)] = true;
        return markup;
    }();

    const uchar* begin() const { return reinterpret_cast<const uchar*>(_chunk.constData()); }

    // The next byte of markup from `from` on, or `end`.
    const uchar* nextMarkup(const uchar* from, const uchar* end)
    {
        const qsizetype offset = from - begin();
        qsizetype found = end - begin();
        for (size_t kind = 0; kind < kMarkup.size(); ++kind) {
            qsizetype& next = _nextMarkup[kind];
            if (next < offset) {
                const void* byte = std::memchr(from, kMarkup[kind], size_t(end - from));
                next = byte ? static_cast<const uchar*>(byte) - begin() : end - begin();
            }
            found = std::min(found, next);
        }
        return begin() + found;
    }

    // Kept out of the reader's loop, which asks for bytes at every token and reads on once a chunk.
    Q_NEVER_INLINE Cursor readOn(Cursor cursor, qsizetype wanted)
    {
        // What is left moves to the front, the next chunk is read in behind it.
        qsizetype filled = cursor.atHand();
        if (filled > 0)
            std::memmove(_chunk.data(), cursor.at, size_t(filled));
        _nextMarkup.fill(-1);
        while (!_ended && filled < wanted) {
            _chunk.resize(filled + kChunkBytes + kPadding);
            const qint64 read = _device.read(_chunk.data() + filled, kChunkBytes);
            filled += qsizetype(std::max<qint64>(read, 0));
            _ended = read <= 0;
        }
        if (_chunk.size() < filled + kPadding)
            _chunk.resize(filled + kPadding);
        std::memset(_chunk.data() + filled, 0, size_t(kPadding));
        return {begin(), begin() + filled};
    }

    QIODevice& _device;
    // The bytes read and not yet passed, then kPadding zeros.
    QByteArray _chunk;
    bool _ended = false;
    // Where the next byte of each kind of kMarkup stands in the chunk (its size when there is
    // none): found again only once the reading has passed it.
    std::array<qsizetype, kMarkup.size()> _nextMarkup{-1, -1, -1, -1, -1};
};

// Control words are ASCII whatever the locale. Their bytes are looked up: a word costs a few
// instructions, and a document may hold a hundred million of them.
enum ByteKind : uchar { Letter = 1, Digit = 2 };
constexpr std::array<uchar, 256> kByteKinds = [] {
    std::array<uchar, 256> kinds{};
    for (int byte = 'a'; byte <= 'z'; ++byte)
        kinds[size_t(byte)] = kinds[size_t(byte - 'a' + 'A')] = Letter;
    for (int byte = '0'; byte <= '9'; ++byte)
        kinds[size_t(byte)] = Digit;
    return kinds;
}();

bool isLetter(uchar byte)
{
    return kByteKinds[byte] & Letter;
}

bool isDigit(uchar byte)
{
    return kByteKinds[byte] & Digit;
}

// The value of a hexadecimal digit; -1 for any other byte.
int hexDigit(uchar byte)
{
    if (isDigit(byte))
        return byte - '0';
    const int lower = byte | 0x20;
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

class RtfReader {
public:
    RtfReader(QIODevice& rtf, const TextPieces& take) : _rtf(rtf), _take(take) {}

    // False when groups nest too deeply to follow.
    bool read()
    {
        using Cursor = RtfBytes::Cursor;
        // The cursor stays in this function's hands, so that each byte costs no memory traffic.
        Cursor at;
        while (!_stopped && _rtf.want(at, kTokenBytes)) {
            // Markup is looked at byte by byte, a group or a word at a time; plain text in runs.
            const uchar c = *at.at;
            if (!RtfBytes::isMarkup(c)) {
                addText(_rtf.plainText(at));
                continue;
            }
            ++at.at;
            if (c == '{' && _depth == kMaxRtfGroupDepth)
                return false;
            if (c == '{')
                openGroup();
            else if (c == '}')
                closeGroup();
            else if (c == '\\')
                controlSequence(at);
        }
        flushBytes();
        hand();
        return true;
    }

private:
    using Cursor = RtfBytes::Cursor;

    // A run of plain text is decoded this many bytes at a time (the code page's decoder keeps a
    // character cut at the end for the next).
    static constexpr qsizetype kMaxPendingBytes = 64 * 1024;
    // The text is handed on in pieces of about this many units: many short runs at once.
    static constexpr qsizetype kPieceUnits = 64 * 1024;
    // A parameter's sign and digits.
    static constexpr qsizetype kMaxParameterLength = 12;
    // What a token of markup takes but for a word of more letters than any word has: "\", the
    // word, its parameter and the blank after it.
    static constexpr qsizetype kTokenBytes = 1 + kMaxWordLetters + kMaxParameterLength + 1;

    GroupState& group() { return _groups[_depth]; }

    void openGroup()
    {
        flushBytes();
        _groups[_depth + 1] = _groups[_depth];
        ++_depth;
        _groupStart = true;
    }

    void closeGroup()
    {
        flushBytes();
        if (_depth > 0)
            --_depth;
        _groupStart = false;
    }

    // What follows a "\\", at hand; the cursor is passed over it.
    void controlSequence(Cursor& at)
    {
        if (at.atHand() == 0)
            return;
        const uchar c = *at.at;
        if (isLetter(c)) {
            controlWord(at);
            return;
        }
        ++at.at;
        _groupStart = false;
        switch (c) {
        case '\'':
            hexByte(at);
            break;
        case '\\':
        case '{':
        case '}':
            addByte(char(c));
            break;
        case '~':
            addCharacter(QChar(0x00A0));
            break;
        case '_':
            addCharacter(QChar(0x2011));
            break;
        case '*':
            // "{\*\name ...}": a destination that readers which do not know it skip.
            group().skipped = true;
            break;
        case '\r':
        case '\n':
            addCharacter(u'\n');
            break;
        default:
            break;  // "\-" optional hyphen, "\:" index separator and the like
        }
    }

    // The two bytes after "\'", at hand unless the document ends first. Only two hexadecimal
    // digits make a byte: anything else ("\' a", "\'-1", one digit) gives no character.
    void hexByte(Cursor& at)
    {
        const QByteArrayView digits(at.at, std::min<qsizetype>(at.atHand(), 2));
        at.at += digits.size();
        const int high = digits.size() == 2 ? hexDigit(uchar(digits[0])) : -1;
        const int low = digits.size() == 2 ? hexDigit(uchar(digits[1])) : -1;
        // A byte of text as any other, a stand-in for "\uN" or not: a long run of them is decoded
        // and handed on a piece at a time.
        if (high >= 0 && low >= 0)
            addByte(char(high * 16 + low));
    }

    // A word and its parameter are read straight from the bytes at hand, where both stand but for
    // a word of more letters than any word has. Most words of a document name nothing here
    // (\f0, \fs24, \b): those are passed a run at a time.
    void controlWord(Cursor& at)
    {
        for (;;) {
            const char* const letters = reinterpret_cast<const char*>(at.at);
            const qsizetype length = passLetters(at);
            if (length == kMaxWordLetters) {
                applyLongWord(at, letters);
                return;
            }
            if (_knownShapes.mayHold(length, letters[0])) {
                at = applyWord(at, Word(letters, size_t(length)));
                return;
            }
            passParameter(at);
            _groupStart = false;
            consumeUnicodeStandIn();
            if (at.atHand() <= kTokenBytes || at.at[0] != '\\' || !isLetter(at.at[1]))
                return;
            ++at.at;
        }
    }

    // Passes the letters of a word from the cursor, at its first, on, as far as a word goes; how
    // many it passed.
    static qsizetype passLetters(Cursor& at)
    {
        const uchar* end = at.at + 1;
        while (isLetter(*end))
            ++end;
        const qsizetype letters = std::min(qsizetype(end - at.at), kMaxWordLetters);
        at.at += letters;
        return letters;
    }

    // A word of the most letters a word has, which the cursor has passed: the letters past them
    // name nothing, and reading on over them moves the bytes at hand.
    void applyLongWord(Cursor& at, const char* letters)
    {
        std::copy_n(letters, kMaxWordLetters, _longWord.begin());
        while (_rtf.want(at, kTokenBytes) && isLetter(*at.at))
            ++at.at;
        _rtf.want(at, kTokenBytes);
        at = applyWord(at, Word(_longWord.data(), _longWord.size()));
    }

    // Passes the parameter after a word, its sign and at most twelve characters, and the blank
    // that ends it; *value the parameter, when there is one. Its bytes are at hand, or the zeros
    // behind the document's last.
    static void passParameter(Cursor& at, std::optional<qint64>* value = nullptr)
    {
        const bool negative = at.at[0] == '-' && isDigit(at.at[1]);
        const uchar* const digits = at.at + (negative ? 1 : 0);
        const uchar* end = digits;
        while (isDigit(*end))
            ++end;
        // Twelve characters at most, the sign counted: the value cannot overflow.
        const qsizetype count = std::min(qsizetype(end - digits), kMaxParameterLength - (negative ? 1 : 0));
        if (value && count > 0) {
            qint64 parameter = 0;
            for (qsizetype i = 0; i < count; ++i)
                parameter = parameter * 10 + (digits[i] - '0');
            *value = negative ? -parameter : parameter;
        }
        at.at = digits + count;
        if (*at.at == ' ')
            ++at.at;
    }

    // The cursor after the word's parameter and what the word takes. Called for few words, it
    // is handed the cursor and gives it back, so that the reader's loop keeps the cursor to itself.
    Cursor applyWord(Cursor at, Word word)
    {
        std::optional<qint64> parameter;
        passParameter(at, &parameter);
        const bool startOfGroup = _groupStart;
        _groupStart = false;
        // The word stays among the bytes at hand while it is looked up: nothing is read before.
        const qint64 binary = apply(word, parameter.has_value(), parameter.value_or(0), startOfGroup);
        return binary > 0 ? _rtf.skip(at, binary) : at;
    }

    // The word's effect; how many bytes of binary data follow it (after "\bin"), which are never text.
    qint64 apply(Word word, bool hasParameter, qint64 parameter, bool startOfGroup)
    {
        const auto found = _meanings.find(word);
        const WordMeaning meaning = found == _meanings.cend() ? WordMeaning{WordMeaning::None, 0} : found->second;
        if (meaning.kind == WordMeaning::Binary)
            return parameter;
        if (startOfGroup && skippedDestinations().count(word) > 0) {
            group().skipped = true;
            return 0;
        }
        if (meaning.kind == WordMeaning::Unicode && hasParameter) {
            flushBytes();
            addCharacter(QChar(char16_t(parameter < 0 ? parameter + 65536 : parameter)));
            _standInsLeft = group().unicodeSkip;
            return 0;
        }
        if (consumeUnicodeStandIn())
            return 0;
        switch (meaning.kind) {
        case WordMeaning::UnicodeSkip: group().unicodeSkip = int(std::clamp<qint64>(parameter, 0, 16)); break;
        case WordMeaning::NumberedCodePage:
            if (hasParameter)
                selectCodePage(parameter);
            break;
        case WordMeaning::CodePage: selectCodePage(meaning.value); break;
        case WordMeaning::Character: addCharacter(QChar(char16_t(meaning.value))); break;
        default: break;
        }
        return 0;
    }

    // The bytes before the word are in the page in force before it.
    void selectCodePage(qint64 number)
    {
        flushBytes();
        _codePage.select(int(std::clamp<qint64>(number, -1, INT_MAX)));
    }

    // Drops one character that follows "\uN" for readers without Unicode; true when it did.
    bool consumeUnicodeStandIn()
    {
        if (_standInsLeft <= 0)
            return false;
        --_standInsLeft;
        return true;
    }

    void addByte(char byte) { addText(QByteArrayView(&byte, 1)); }

    // Plain text of the document: each byte after "\uN" stands in for its character.
    void addText(QByteArrayView text)
    {
        _groupStart = false;
        while (!text.isEmpty() && consumeUnicodeStandIn())
            text = text.sliced(1);
        if (text.isEmpty() || group().skipped)
            return;
        // The bytes wait in room of their own, which a byte alone, as an escape gives, reaches
        // without a call; a run longer than the room is decoded where it stands.
        if (_pending + text.size() > kMaxPendingBytes) {
            flushBytes();
            if (text.size() >= kMaxPendingBytes) {
                _codePage.decode(text, _text);
                handWhenFull();
                return;
            }
        }
        std::memcpy(_bytes.get() + _pending, text.data(), size_t(text.size()));
        _pending += text.size();
    }

    void addCharacter(QChar c)
    {
        if (group().skipped)
            return;
        flushBytes();
        _text.append(c);
        handWhenFull();
    }

    void flushBytes()
    {
        if (_pending == 0)
            return;
        _codePage.decode(QByteArrayView(_bytes.get(), _pending), _text);
        _pending = 0;
        handWhenFull();
    }

    void handWhenFull()
    {
        if (_text.size() >= kPieceUnits)
            hand();
    }

    void hand()
    {
        if (!_text.isEmpty())
            _stopped = _stopped || !_take(_text);
        _text.resize(0);
    }

    RtfBytes _rtf;
    const TextPieces& _take;
    const std::unordered_map<Word, WordMeaning>& _meanings = wordMeanings();
    const KnownWordShapes& _knownShapes = knownWordShapes();
    bool _stopped = false;
    // The document's state and that of each group it is in, which starts as the one around it.
    // Groups open and close by the million in some documents: their states stand in place.
    GroupState _groups[kMaxRtfGroupDepth + 1];
    int _depth = 0;
    bool _groupStart = false;
    int _standInsLeft = 0;
    std::array<char, kMaxWordLetters> _longWord;
    RtfCodePage _codePage;
    const std::unique_ptr<char[]> _bytes = std::make_unique<char[]>(kMaxPendingBytes);  // not yet decoded
    qsizetype _pending = 0;
    QString _text;  // decoded, not yet handed on
};

}  // namespace

bool rtfTextPieces(QIODevice& rtf, const TextPieces& take)
{
    return RtfReader(rtf, take).read();
}

}  // namespace SeriesTextImport

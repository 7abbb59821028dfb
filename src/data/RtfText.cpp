// Rich text to plain text for series imports: a reader of the RTF group and control-word syntax
// that keeps the text of every run and drops what only describes how it looks.
#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
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
    bool mayHold(Word word) const { return word.size() < kLengths && (m_firstLetters[word.size()] & bit(word.front())) != 0; }

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

// The bytes of a document read from a device a chunk at a time, with a few bytes of look-ahead.
class RtfBytes {
public:
    explicit RtfBytes(QIODevice& device) : _device(device) {}

    // Whether the byte ends a run of plain text.
    static bool isMarkup(int byte)
    {
        for (const char markup : kMarkup) {
            if (byte == markup)
                return true;
        }
        return false;
    }

    // The byte `ahead` places on, or -1 past the end.
    int peek(qsizetype ahead = 0)
    {
        const bool here = _at + ahead < _chunk.size() || available(ahead + 1);
        return here ? static_cast<unsigned char>(_chunk.constData()[_at + ahead]) : -1;
    }
    // Passes the byte peek() has just given.
    void pass() { ++_at; }
    int get()
    {
        const int byte = peek();
        _at += byte >= 0 ? 1 : 0;
        return byte;
    }
    // The plain text from here to the next byte that is markup or a line end, as far as the bytes
    // at hand go (empty at such a byte); it is passed.
    QByteArrayView plainText()
    {
        if (!available(1))
            return {};
        qsizetype end = _chunk.size();
        for (size_t kind = 0; kind < kMarkup.size(); ++kind) {
            qsizetype& next = _nextMarkup[kind];
            if (next < _at) {
                next = QByteArrayView(_chunk).indexOf(kMarkup[kind], _at);
                next = next < 0 ? _chunk.size() : next;
            }
            end = std::min(end, next);
        }
        const QByteArrayView text = QByteArrayView(_chunk).sliced(_at, end - _at);
        _at = end;
        return text;
    }
    void skip(qint64 count)
    {
        while (count > 0 && available(1)) {
            const qsizetype passed = qsizetype(std::min<qint64>(count, _chunk.size() - _at));
            _at += passed;
            count -= passed;
        }
    }

private:
    static constexpr qint64 kChunkBytes = qint64(1) << 20;

    // The bytes that end a run of plain text.
    static constexpr std::array<char, 5> kMarkup = {'{', '}', '\\', '\r', '\n'};

    bool available(qsizetype wanted)
    {
        if (_chunk.size() - _at >= wanted)
            return true;
        // What is left moves to the front, the next chunk is read in behind it.
        const qsizetype left = _chunk.size() - _at;
        std::memmove(_chunk.data(), _chunk.constData() + _at, size_t(left));
        _chunk.resize(left);
        _at = 0;
        _nextMarkup.fill(-1);
        while (_chunk.size() < wanted) {
            const qsizetype had = _chunk.size();
            _chunk.resize(had + kChunkBytes);
            const qint64 read = _device.read(_chunk.data() + had, kChunkBytes);
            _chunk.resize(had + std::max<qint64>(read, 0));
            if (read <= 0)
                return false;
        }
        return true;
    }

    QIODevice& _device;
    QByteArray _chunk;
    qsizetype _at = 0;
    // Where the next byte of each kind of kMarkup stands in the chunk (its size when there is
    // none): found again only once the reading has passed it.
    std::array<qsizetype, kMarkup.size()> _nextMarkup{-1, -1, -1, -1, -1};
};

// Control words are ASCII whatever the locale.
bool isLetter(int byte)
{
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
}

bool isDigit(int byte)
{
    return byte >= '0' && byte <= '9';
}

// The value of a hexadecimal digit; -1 for any other byte.
int hexDigit(int byte)
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
        for (int c = 0; !_stopped && (c = _rtf.peek()) >= 0;) {
            // Markup is looked at byte by byte, a group or a word at a time; plain text in runs.
            if (!RtfBytes::isMarkup(c)) {
                addText(_rtf.plainText());
                continue;
            }
            _rtf.get();
            if (c == '{' && _depth == kMaxRtfGroupDepth)
                return false;
            if (c == '{')
                openGroup();
            else if (c == '}')
                closeGroup();
            else if (c == '\\')
                controlSequence();
        }
        flushBytes();
        hand();
        return true;
    }

private:
    // A run of plain text is decoded this many bytes at a time (the code page's decoder keeps a
    // character cut at the end for the next).
    static constexpr qsizetype kMaxPendingBytes = 64 * 1024;
    // The text is handed on in pieces of about this many units: many short runs at once.
    static constexpr qsizetype kPieceUnits = 64 * 1024;
    // A parameter's sign and digits.
    static constexpr int kMaxParameterLength = 12;

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

    void controlSequence()
    {
        const int c = _rtf.peek();
        if (c < 0)
            return;
        if (isLetter(c)) {
            controlWord();
            return;
        }
        _rtf.get();
        _groupStart = false;
        switch (c) {
        case '\'':
            hexByte();
            return;
        case '\\':
        case '{':
        case '}':
            addByte(char(c));
            return;
        case '~':
            addCharacter(QChar(0x00A0));
            return;
        case '_':
            addCharacter(QChar(0x2011));
            return;
        case '*':
            // "{\*\name ...}": a destination that readers which do not know it skip.
            group().skipped = true;
            return;
        case '\r':
        case '\n':
            addCharacter(u'\n');
            return;
        default:
            return;  // "\-" optional hyphen, "\:" index separator and the like
        }
    }

    void hexByte()
    {
        char digits[2];
        qsizetype length = 0;
        while (length < 2 && _rtf.peek() >= 0)
            digits[length++] = char(_rtf.get());
        const int high = length == 2 ? hexDigit(digits[0]) : -1;
        const int low = length == 2 ? hexDigit(digits[1]) : -1;
        bool ok = high >= 0 && low >= 0;
        // Two digits, as nearly all are, read at once; anything else as Qt reads a number.
        const int value = ok ? high * 16 + low : QByteArray::fromRawData(digits, length).toInt(&ok, 16);
        // A byte of text as any other, a stand-in for "\uN" or not: a long run of them is decoded
        // and handed on a piece at a time.
        if (ok)
            addByte(char(value));
    }

    void controlWord()
    {
        char letters[kMaxWordLetters];
        qsizetype length = 0;
        for (int c = _rtf.peek(); isLetter(c); c = _rtf.peek()) {
            if (length < kMaxWordLetters)
                letters[length++] = char(c);
            _rtf.pass();
        }
        const Word word(letters, size_t(length));
        bool hasParameter = false;
        qint64 parameter = 0;
        const bool negative = _rtf.peek() == '-' && isDigit(_rtf.peek(1));
        if (negative || isDigit(_rtf.peek())) {
            qsizetype characters = negative ? 1 : 0;
            if (negative)
                _rtf.pass();
            // At most twelve digits: the value cannot overflow.
            for (int c = _rtf.peek(); characters < kMaxParameterLength && isDigit(c); c = _rtf.peek(), ++characters) {
                parameter = parameter * 10 + (c - '0');
                _rtf.pass();
            }
            hasParameter = true;
            parameter = negative ? -parameter : parameter;
        }
        if (_rtf.peek() == ' ')
            _rtf.pass();
        const bool startOfGroup = _groupStart;
        _groupStart = false;
        apply(word, hasParameter, parameter, startOfGroup);
    }

    void apply(Word word, bool hasParameter, qint64 parameter, bool startOfGroup)
    {
        const bool mayBeKnown = _knownShapes.mayHold(word);
        const auto found = mayBeKnown ? _meanings.find(word) : _meanings.cend();
        const WordMeaning meaning = found == _meanings.cend() ? WordMeaning{WordMeaning::None, 0} : found->second;
        if (meaning.kind == WordMeaning::Binary) {
            // Binary data of the stated length follows; it is never text.
            _rtf.skip(parameter);
            return;
        }
        if (startOfGroup && mayBeKnown && skippedDestinations().count(word) > 0) {
            group().skipped = true;
            return;
        }
        if (meaning.kind == WordMeaning::Unicode && hasParameter) {
            flushBytes();
            addCharacter(QChar(char16_t(parameter < 0 ? parameter + 65536 : parameter)));
            _standInsLeft = group().unicodeSkip;
            return;
        }
        if (consumeUnicodeStandIn())
            return;
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
        // A byte alone, as an escape gives, at a fraction of the cost of a run.
        if (text.size() == 1)
            _bytes.append(text.front());
        else
            _bytes.append(text);
        if (_bytes.size() >= kMaxPendingBytes)
            flushBytes();
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
        if (_bytes.isEmpty())
            return;
        _codePage.decode(_bytes, _text);
        _bytes.resize(0);
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
    RtfCodePage _codePage;
    QByteArray _bytes;
    QString _text;  // decoded, not yet handed on
};

}  // namespace

bool rtfTextPieces(QIODevice& rtf, const TextPieces& take)
{
    return RtfReader(rtf, take).read();
}

}  // namespace SeriesTextImport

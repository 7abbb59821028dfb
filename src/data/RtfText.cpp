// Rich text to plain text for series imports: a reader of the RTF group and control-word syntax
// that keeps the text of every run and drops what only describes how it looks.
#include <QList>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <cctype>
#include <optional>

#include "data/SeriesTextImport.h"

namespace SeriesTextImport {

namespace {

// Groups whose content is not document text.
const QSet<QByteArray>& skippedDestinations()
{
    static const QSet<QByteArray> names = {
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

// Decodes the bytes of "\'hh" escapes and plain characters in the document's code page.
class CodePage {
public:
    void select(int number)
    {
        _number = number;
        _decoder = QStringDecoder(QByteArray("windows-" + QByteArray::number(number)).constData());
        if (!_decoder.isValid() && number == 10000)
            _decoder = QStringDecoder("macintosh");
        if (!_decoder.isValid())
            _decoder = QStringDecoder(QByteArray("cp" + QByteArray::number(number)).constData());
    }

    QString decode(const QByteArray& bytes)
    {
        if (_decoder.isValid())
            return _decoder.decode(bytes);
        // Without a converter for the page, Windows-1252 (the RTF default) by hand, else Latin-1.
        QString text;
        text.reserve(bytes.size());
        for (const char byte : bytes) {
            const auto code = static_cast<unsigned char>(byte);
            text += (_number == 1252 && code >= 0x80 && code < 0xA0) ? QChar(kWindows1252High[code - 0x80])
                                                                      : QChar(code);
        }
        return text;
    }

private:
    static constexpr char16_t kWindows1252High[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    int _number = 1252;
    QStringDecoder _decoder;
};

struct GroupState {
    bool skipped = false;
    int unicodeSkip = 1;  // characters after "\uN" that stand in for it in older readers
};

class RtfReader {
public:
    explicit RtfReader(const QByteArray& rtf) : _rtf(rtf) { _codePage.select(1252); }

    // The text, or none when groups nest too deeply to follow.
    std::optional<QString> read()
    {
        _groups.append(GroupState{});
        while (_at < _rtf.size()) {
            const char c = _rtf.at(_at++);
            if (c == '{' && _groups.size() > kMaxRtfGroupDepth)
                return std::nullopt;
            if (c == '{')
                openGroup();
            else if (c == '}')
                closeGroup();
            else if (c == '\\')
                controlSequence();
            else if (c != '\r' && c != '\n')
                addByte(c);
        }
        flushBytes();
        return _text;
    }

private:
    GroupState& group() { return _groups.last(); }

    void openGroup()
    {
        flushBytes();
        _groups.append(_groups.last());
        _groupStart = true;
    }

    void closeGroup()
    {
        flushBytes();
        if (_groups.size() > 1)
            _groups.removeLast();
        _groupStart = false;
    }

    void controlSequence()
    {
        if (_at >= _rtf.size())
            return;
        const char c = _rtf.at(_at);
        if (std::isalpha(static_cast<unsigned char>(c))) {
            controlWord();
            return;
        }
        ++_at;
        _groupStart = false;
        switch (c) {
        case '\'':
            hexByte();
            return;
        case '\\':
        case '{':
        case '}':
            addByte(c);
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
        const QByteArray hex = _rtf.mid(_at, 2);
        _at += hex.size();
        bool ok = false;
        const int value = hex.toInt(&ok, 16);
        if (!ok)
            return;
        if (consumeUnicodeStandIn())
            return;
        if (!group().skipped)
            _bytes.append(char(value));
    }

    void controlWord()
    {
        const qsizetype start = _at;
        while (_at < _rtf.size() && std::isalpha(static_cast<unsigned char>(_rtf.at(_at))))
            ++_at;
        const QByteArray word = _rtf.mid(start, _at - start);
        bool hasParameter = false;
        qint64 parameter = 0;
        const qsizetype numberStart = _at;
        if (_at < _rtf.size() && _rtf.at(_at) == '-')
            ++_at;
        while (_at < _rtf.size() && std::isdigit(static_cast<unsigned char>(_rtf.at(_at))) && _at - numberStart < 12)
            ++_at;
        if (_at > numberStart && !(_at - numberStart == 1 && _rtf.at(numberStart) == '-')) {
            hasParameter = true;
            parameter = _rtf.mid(numberStart, _at - numberStart).toLongLong();
        } else {
            _at = numberStart;
        }
        if (_at < _rtf.size() && _rtf.at(_at) == ' ')
            ++_at;
        const bool startOfGroup = _groupStart;
        _groupStart = false;
        apply(word, hasParameter, parameter, startOfGroup);
    }

    void apply(const QByteArray& word, bool hasParameter, qint64 parameter, bool startOfGroup)
    {
        if (word == "bin") {
            // Binary data of the stated length follows; it is never text.
            _at += std::clamp<qint64>(parameter, 0, _rtf.size() - _at);
            return;
        }
        if (startOfGroup && skippedDestinations().contains(word)) {
            group().skipped = true;
            return;
        }
        if (word == "u" && hasParameter) {
            flushBytes();
            addCharacter(QChar(char16_t(parameter < 0 ? parameter + 65536 : parameter)));
            _standInsLeft = group().unicodeSkip;
            return;
        }
        if (consumeUnicodeStandIn())
            return;
        if (word == "uc") {
            group().unicodeSkip = int(std::clamp<qint64>(parameter, 0, 16));
        } else if (word == "ansicpg" && hasParameter) {
            flushBytes();
            _codePage.select(int(parameter));
        } else if (word == "ansi") {
            _codePage.select(1252);
        } else if (word == "mac") {
            _codePage.select(10000);
        } else if (word == "pc") {
            _codePage.select(437);
        } else if (word == "pca") {
            _codePage.select(850);
        } else if (word == "par" || word == "line" || word == "sect" || word == "page" || word == "row") {
            addCharacter(u'\n');
        } else if (word == "tab" || word == "cell") {
            addCharacter(u'\t');
        } else if (word == "emdash") {
            addCharacter(QChar(0x2014));
        } else if (word == "endash") {
            addCharacter(QChar(0x2013));
        } else if (word == "bullet") {
            addCharacter(QChar(0x2022));
        } else if (word == "lquote") {
            addCharacter(QChar(0x2018));
        } else if (word == "rquote") {
            addCharacter(QChar(0x2019));
        } else if (word == "ldblquote") {
            addCharacter(QChar(0x201C));
        } else if (word == "rdblquote") {
            addCharacter(QChar(0x201D));
        } else if (word == "emspace" || word == "enspace" || word == "qmspace") {
            addCharacter(u' ');
        }
    }

    // Drops one character that follows "\uN" for readers without Unicode; true when it did.
    bool consumeUnicodeStandIn()
    {
        if (_standInsLeft <= 0)
            return false;
        --_standInsLeft;
        return true;
    }

    void addByte(char byte)
    {
        _groupStart = false;
        if (consumeUnicodeStandIn() || group().skipped)
            return;
        _bytes.append(byte);
    }

    void addCharacter(QChar c)
    {
        if (group().skipped)
            return;
        flushBytes();
        _text += c;
    }

    void flushBytes()
    {
        if (_bytes.isEmpty())
            return;
        _text += _codePage.decode(_bytes);
        _bytes.clear();
    }

    const QByteArray& _rtf;
    qsizetype _at = 0;
    QList<GroupState> _groups;
    bool _groupStart = false;
    int _standInsLeft = 0;
    CodePage _codePage;
    QByteArray _bytes;
    QString _text;
};

}  // namespace

QString rtfToText(const QByteArray& rtf, bool* ok)
{
    std::optional<QString> text = RtfReader(rtf).read();
    if (ok)
        *ok = text.has_value();
    return text.value_or(QString());
}

}  // namespace SeriesTextImport

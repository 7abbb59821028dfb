#include "data/XmlPieceReader.h"

#include <QFile>
#include <algorithm>
#include <cstring>
#include <expat.h>
#include <memory>
#include <string>

namespace {

using Result = XmlPieceReader::Result;
using Step = XmlPieceReader::Step;
using SpreadsheetXml::BlankText;

// The parser is fed this much at a time, so that the bytes of one unfinished piece are known.
constexpr qint64 kBlockBytes = qint64(1) << 16;
// The readers look a few levels down; anything deeper is passed over.
constexpr size_t kMaxEnteredDepth = 64;

std::string_view localName(const char* qualified)
{
    const char* colon = std::strrchr(qualified, ':');
    return colon ? colon + 1 : qualified;
}

// One taken element, built from the parser's events.
class PieceBuilder {
public:
    explicit PieceBuilder(BlankText blanks) : _blanks(blanks) {}
    bool building() const { return _depth > 0; }

    void start(const char* name, const char** attributes)
    {
        flushText(false);
        _current = (_depth++ == 0 ? pugi::xml_node(_document) : _current).append_child(name);
        for (const char** pair = attributes; pair[0]; pair += 2)
            _current.append_attribute(pair[0]).set_value(pair[1]);
    }

    void text(const char* data, int length) { _text.append(data, length); }

    // The element built when the one taken has ended, else null.
    pugi::xml_node end()
    {
        flushText(true);
        const pugi::xml_node ended = _current;
        _current = _current.parent();
        return --_depth == 0 ? ended : pugi::xml_node();
    }

    void reset() { _document.reset(); }

private:
    // Text runs between two tags (CDATA sections, references) become one text node. Blank text
    // is kept only where it is an element's one child (a cell of one space), as loadPart keeps
    // it, and only when blanks are kept at all; blanks between elements are layout and never
    // become nodes.
    void flushText(bool atEnd)
    {
        if (_text.empty())
            return;
        const bool blank = std::all_of(_text.cbegin(), _text.cend(), [](char c) {
            return c == ' ' || c == '\t' || c == '\r' || c == '\n';
        });
        const bool onlyChild = atEnd && !_current.first_child();
        if (!blank || (_blanks == BlankText::Keep && onlyChild))
            _current.append_child(pugi::node_pcdata).set_value(_text.c_str());
        _text.clear();
    }

    const BlankText _blanks;
    pugi::xml_document _document;
    pugi::xml_node _current;
    std::string _text;  // keeps its capacity from one text to the next
    int _depth = 0;
};

struct ParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

class StreamRead {
public:
    StreamRead(QFile& file, BlankText blanks, const XmlPieceReader::Decide& decide, const XmlPieceReader::Visit& visit)
        : _file(file), _parser(XML_ParserCreate(nullptr)), _piece(blanks), _decide(decide), _visit(visit)
    {
        XML_SetUserData(_parser.get(), this);
        XML_SetElementHandler(_parser.get(), &StreamRead::onStart, &StreamRead::onEnd);
        XML_SetCharacterDataHandler(_parser.get(), &StreamRead::onText);
    }

    Result run()
    {
        for (;;) {
            const qint64 from = _piece.building() ? _takenStart : _lastEvent;
            if (_fed - from > XmlPieceReader::kMaxPieceBytes)
                return Result::TooLarge;
            const QByteArray block = _file.read(kBlockBytes);
            _fed += block.size();
            const bool last = block.isEmpty();
            if (XML_Parse(_parser.get(), block.constData(), int(block.size()), last) != XML_STATUS_OK)
                return _ended ? _result : Result::Broken;
            if (last)
                return _ended ? _result : Result::Broken;
        }
    }

private:
    // Nothing after this is read; the read's result is `result`.
    void end(Result result)
    {
        _ended = true;
        _result = result;
        XML_StopParser(_parser.get(), XML_FALSE);
    }

    void noteEvent() { _lastEvent = XML_GetCurrentByteIndex(_parser.get()); }

    static void onStart(void* self, const char* name, const char** attributes)
    {
        static_cast<StreamRead*>(self)->startElement(name, attributes);
    }
    static void onEnd(void* self, const char*) { static_cast<StreamRead*>(self)->endElement(); }
    static void onText(void* self, const char* data, int length)
    {
        auto* read = static_cast<StreamRead*>(self);
        read->noteEvent();
        if (read->_piece.building())
            read->_piece.text(data, length);
    }

    void startElement(const char* name, const char** attributes)
    {
        noteEvent();
        if (_piece.building()) {
            _piece.start(name, attributes);
            return;
        }
        if (_skipDepth > 0) {
            ++_skipDepth;
            return;
        }
        const std::string_view local = localName(name);
        Step step = _decide(_entered, local);
        if (step == Step::Enter && _entered.size() >= kMaxEnteredDepth)
            step = Step::Skip;
        switch (step) {
        case Step::Stop: end(Result::Read); break;
        case Step::Skip: _skipDepth = 1; break;
        case Step::Take:
            _takenStart = _lastEvent;
            _piece.start(name, attributes);
            break;
        case Step::Enter: _entered.emplace_back(local); break;
        }
    }

    void endElement()
    {
        noteEvent();
        if (_piece.building()) {
            const pugi::xml_node taken = _piece.end();
            if (!taken)
                return;
            const bool goOn = _visit(taken);
            _piece.reset();
            if (!goOn) {
                end(Result::Stopped);
                return;
            }
        } else if (_skipDepth > 0) {
            --_skipDepth;
        } else {
            _entered.pop_back();
        }
        // After the root element nothing more is read.
        if (_entered.empty() && _skipDepth == 0)
            end(Result::Read);
    }

    QFile& _file;
    std::unique_ptr<std::remove_pointer_t<XML_Parser>, ParserFree> _parser;
    PieceBuilder _piece;
    const XmlPieceReader::Decide& _decide;
    const XmlPieceReader::Visit& _visit;
    bool _ended = false;
    Result _result = Result::Read;
    qint64 _fed = 0;         // bytes handed to the parser
    qint64 _lastEvent = 0;   // where the parser stood at its last event
    qint64 _takenStart = 0;  // where the taken element began
    int _skipDepth = 0;
    XmlPieceReader::Path _entered;
};

}  // namespace

XmlPieceReader::Result XmlPieceReader::read(const QString& path, BlankText blanks, const Decide& decide, const Visit& visit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result::Missing;
    return StreamRead(file, blanks, decide, visit).run();
}

#include "data/XmlPieceReader.h"

#include <QFile>
#include <algorithm>
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

// One taken element built as a document and handed to the visitor.
class DocumentBuilder : public XmlPieceReader::Builder {
public:
    explicit DocumentBuilder(const XmlPieceReader::Visit& visit) : _visit(visit) {}

    bool start(const char* name, const char** attributes) override
    {
        _current = (_current ? _current : pugi::xml_node(_document)).append_child(name);
        for (const char** pair = attributes; pair[0]; pair += 2)
            _current.append_attribute(pair[0]).set_value(pair[1]);
        return true;
    }
    void text(std::string& text) override { _current.append_child(pugi::node_pcdata).set_value(text.c_str()); }
    void end() override { _current = _current.parent().type() == pugi::node_element ? _current.parent() : pugi::xml_node(); }
    bool taken() override
    {
        const bool goOn = _visit(_document.first_child());
        _document.reset();
        return goOn;
    }

private:
    const XmlPieceReader::Visit& _visit;
    pugi::xml_document _document;
    pugi::xml_node _current;
};

struct ParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

class StreamRead {
public:
    StreamRead(QFile& file, BlankText blanks, const XmlPieceReader::Decide& decide, XmlPieceReader::Builder& builder)
        : _file(file), _parser(XML_ParserCreate(nullptr)), _blanks(blanks), _decide(decide), _builder(builder)
    {
        XML_SetUserData(_parser.get(), this);
        listenOutside();
        XML_SetStartDoctypeDeclHandler(_parser.get(), &StreamRead::onDoctype);
    }

    Result run()
    {
        QByteArray block(kBlockBytes, Qt::Uninitialized);
        for (;;) {
            const qint64 from = _inside ? _takenStart : _lastEvent;
            if (_fed - from > XmlPieceReader::kMaxPieceBytes)
                return Result::TooLarge;
            const qint64 size = std::max<qint64>(0, _file.read(block.data(), kBlockBytes));
            _fed += size;
            const bool last = size == 0;
            if (XML_Parse(_parser.get(), block.constData(), int(size), last) != XML_STATUS_OK)
                return _ended ? _result : Result::Broken;
            if (last)
                return _ended ? _result : Result::Broken;
        }
    }

private:
    // The parser calls one set of handlers outside a taken element, which decide what becomes of
    // each element met, and another inside one, which hand every event to the builder.
    void listenOutside()
    {
        XML_SetElementHandler(_parser.get(), &StreamRead::onStartOutside, &StreamRead::onEndOutside);
        XML_SetCharacterDataHandler(_parser.get(), &StreamRead::onTextOutside);
    }
    void listenInside()
    {
        XML_SetElementHandler(_parser.get(), &StreamRead::onStartInside, &StreamRead::onEndInside);
        XML_SetCharacterDataHandler(_parser.get(), &StreamRead::onTextInside);
    }

    // Text runs between two tags (CDATA sections, references) become one text. Blank text is
    // kept only where it is an element's one child (a cell of one space), as loadPart keeps it,
    // and only when blanks are kept at all; blanks between elements are layout and never text.
    void flushText(bool atEnd)
    {
        if (_text.empty())
            return;
        const bool blank = _text.find_first_not_of(" \t\r\n") == std::string::npos;
        const bool onlyChild = atEnd && !_current.holds;
        if (!blank || (_blanks == BlankText::Keep && onlyChild)) {
            _builder.text(_text);
            _current.holds = true;
        }
        _text.clear();
    }

    // Nothing after this is read; the read's result is `result`. The parser still reports the
    // end of an empty element ("<x/>") whose start ended the read: no handler hears it.
    void end(Result result)
    {
        _ended = true;
        _result = result;
        XML_SetElementHandler(_parser.get(), nullptr, nullptr);
        XML_SetCharacterDataHandler(_parser.get(), nullptr);
        XML_StopParser(_parser.get(), XML_FALSE);
    }

    // Where the parser stands is wanted only outside a taken element: inside one, the bytes
    // since its start are what count.
    void noteEvent() { _lastEvent = XML_GetCurrentByteIndex(_parser.get()); }

    static void onDoctype(void* self, const char*, const char*, const char*, int)
    {
        auto* read = static_cast<StreamRead*>(self);
        if (!read->_ended)
            read->end(Result::Declares);
    }
    static void onStartOutside(void* self, const char* name, const char** attributes)
    {
        static_cast<StreamRead*>(self)->startOutside(name, attributes);
    }
    static void onEndOutside(void* self, const char*) { static_cast<StreamRead*>(self)->endOutside(); }
    static void onTextOutside(void* self, const char*, int) { static_cast<StreamRead*>(self)->noteEvent(); }
    static void onStartInside(void* self, const char* name, const char** attributes)
    {
        static_cast<StreamRead*>(self)->startInside(name, attributes);
    }
    static void onEndInside(void* self, const char*) { static_cast<StreamRead*>(self)->endInside(); }
    // Text no one wants is not even gathered; it decides nothing for the elements around.
    static void onTextInside(void* self, const char* data, int length)
    {
        auto* read = static_cast<StreamRead*>(self);
        if (read->_current.wantsText)
            read->_text.append(data, size_t(length));
    }

    void startOutside(const char* name, const char** attributes)
    {
        noteEvent();
        if (_skipDepth > 0) {
            ++_skipDepth;
            return;
        }
        const std::string_view local = SpreadsheetXml::localName(name);
        Step step = _decide(_entered, local);
        if (step == Step::Enter && _entered.size() >= kMaxEnteredDepth)
            step = Step::Skip;
        switch (step) {
        case Step::Stop: end(Result::Read); break;
        case Step::Skip: _skipDepth = 1; break;
        case Step::Take:
            _takenStart = _lastEvent;
            _inside = true;
            listenInside();
            _current = {false, _builder.start(name, attributes)};
            break;
        case Step::Enter: _entered.emplace_back(local); break;
        }
    }

    void endOutside()
    {
        noteEvent();
        if (_skipDepth > 0)
            --_skipDepth;
        else
            _entered.pop_back();
        endAfterRoot();
    }

    void startInside(const char* name, const char** attributes)
    {
        flushText(false);
        _current.holds = true;
        if (_outerDepth == _outer.size())
            growOuter();
        _outer[_outerDepth++] = _current;
        _current = {false, _builder.start(name, attributes)};
    }

    // Out of the per-element path: the stack seldom grows.
    [[gnu::noinline]] void growOuter() { _outer.resize(2 * _outer.size() + 16); }

    void endInside()
    {
        flushText(true);
        _builder.end();
        if (_outerDepth > 0) {
            _current = _outer[--_outerDepth];
            return;
        }
        _inside = false;
        listenOutside();
        noteEvent();
        if (!_builder.taken()) {
            end(Result::Stopped);
            return;
        }
        endAfterRoot();
    }

    // After the root element nothing more is read.
    void endAfterRoot()
    {
        if (_entered.empty() && _skipDepth == 0)
            end(Result::Read);
    }

    QFile& _file;
    std::unique_ptr<std::remove_pointer_t<XML_Parser>, ParserFree> _parser;
    const BlankText _blanks;
    const XmlPieceReader::Decide& _decide;
    XmlPieceReader::Builder& _builder;
    struct Open {
        bool holds;      // it has a child yet
        bool wantsText;  // the builder wants its text
    };
    bool _inside = false;      // in a taken element
    Open _current{};           // its innermost open element
    std::vector<Open> _outer;  // the open elements around that one, the first _outerDepth
    size_t _outerDepth = 0;
    std::string _text;         // keeps its capacity from one text to the next
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
    DocumentBuilder builder(visit);
    return read(path, blanks, decide, builder);
}

XmlPieceReader::Result XmlPieceReader::read(const QString& path, BlankText blanks, const Decide& decide, Builder& builder)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result::Missing;
    return StreamRead(file, blanks, decide, builder).run();
}

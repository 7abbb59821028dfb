#include "data/XmlPieceReader.h"

#include <QFile>
#include <algorithm>
#include <atomic>
#include <expat.h>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

namespace {

using Result = XmlPieceReader::Result;
using Step = XmlPieceReader::Step;
using SpreadsheetXml::BlankText;

// The parser is fed this much at a time, so that the bytes of one unfinished piece are known.
constexpr qint64 kBlockBytes = qint64(1) << 16;
// The readers look a few levels down; anything deeper is passed over.
constexpr size_t kMaxEnteredDepth = 64;
// How far past its share of the part the start of a piece is looked for.
constexpr qint64 kPieceStartSearchBytes = qint64(1) << 20;
// The place of a piece that does not follow.
constexpr qint64 kNoPiece = std::numeric_limits<qint64>::max();

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

// The pieces of a read in pieces: where each begins, whether the piece before reached it, and
// whether it still counts. Pieces after the first are planned by the first at its first taken
// element, and read on threads of their own.
class StreamRead;

class PiecesRun {
public:
    PiecesRun(const QString& path, BlankText blanks, const XmlPieceReader::Decide& decide, std::string_view startName,
              const std::vector<XmlPieceReader::Builder*>& builders, qint64 minPieceBytes,
              const std::function<void(int, Result)>& pieceEnded, const std::function<void(int)>& pieceDropped)
        : _path(path), _blanks(blanks), _decide(decide), _startName(startName), _builders(builders),
          _minPieceBytes(minPieceBytes), _pieceEnded(pieceEnded), _pieceDropped(pieceDropped), _pieces(builders.size())
    {
    }

    XmlPieceReader::PiecesResult run();
    std::string_view startName() const { return _startName; }
    // At the first taken element so named, which starts at `offset` inside the elements
    // `enclosing` (their names as written): the pieces after the first are placed and started.
    // Where the second begins, or kNoPiece.
    qint64 plan(qint64 offset, const std::vector<std::string>& enclosing, const char* takenName, const char* encoding);
    qint64 startOf(int index) const { return index < _count ? _pieces[size_t(index)].start : kNoPiece; }
    const std::vector<std::string>& enclosing() const { return _enclosing; }
    bool dropped(int index) const { return _pieces[size_t(index)].dropped.load(std::memory_order_relaxed); }
    // The pieces from `index` on are no part of the part.
    void drop(int index)
    {
        for (int i = index; i < _count; ++i) {
            if (!_pieces[size_t(i)].dropped.exchange(true, std::memory_order_relaxed) && _pieceDropped)
                _pieceDropped(i);
        }
    }
    void reached(int index) { _pieces[size_t(index)].reached = true; }

private:
    struct Piece {
        qint64 start = 0;  // in the file
        std::atomic<bool> dropped{false};
        bool reached = false;    // by the piece before, which then ended
        bool uncertain = false;  // its builder stopped it while the next piece was read
        Result result = Result::Read;
        std::thread thread;
    };
    void readPiece(int index);
    Result run(StreamRead& read, int index);
    qint64 pieceStartFrom(QFile& file, qint64 from, const QByteArray& startTag) const;

    const QString _path;
    const BlankText _blanks;
    const XmlPieceReader::Decide& _decide;
    const std::string_view _startName;
    const std::vector<XmlPieceReader::Builder*>& _builders;
    const qint64 _minPieceBytes;
    const std::function<void(int, Result)>& _pieceEnded;
    const std::function<void(int)>& _pieceDropped;
    std::vector<Piece> _pieces;
    int _count = 1;  // pieces planned
    std::vector<std::string> _enclosing;
    std::string _encoding;
    bool _encodingDeclared = false;
};

class StreamRead {
public:
    StreamRead(QFile& file, BlankText blanks, const XmlPieceReader::Decide& decide, XmlPieceReader::Builder& builder,
               const char* encoding = nullptr)
        : _file(file), _parser(XML_ParserCreate(encoding)), _blanks(blanks), _decide(decide), _builder(builder)
    {
        XML_SetUserData(_parser.get(), this);
        listenOutside();
        XML_SetStartDoctypeDeclHandler(_parser.get(), &StreamRead::onDoctype);
    }

    // Stopped by its builder without learning whether the next piece, which may have counted
    // towards the stop, is one.
    bool uncertain() const { return _stoppedBeforeNext; }

    // Makes this the read of piece `index`: the first notes the part's encoding and plans the
    // pieces at its first taken element; a later one opens the elements around it, as the
    // first met them, and reads from its start on.
    bool readAsPiece(PiecesRun& pieces, int index)
    {
        _pieces = &pieces;
        _piece = index;
        if (index == 0) {
            XML_SetXmlDeclHandler(_parser.get(), &StreamRead::onDeclaration);
            return true;
        }
        _planned = true;
        _nextStart = pieces.startOf(index + 1);
        std::string opened;
        for (const std::string& name : pieces.enclosing())
            opened += '<' + name + '>';
        const qint64 start = pieces.startOf(index);
        _base = start - qint64(opened.size());
        _fed = qint64(opened.size());
        return _file.seek(start) && XML_Parse(_parser.get(), opened.data(), int(opened.size()), XML_FALSE) == XML_STATUS_OK;
    }

    Result run()
    {
        QByteArray block(kBlockBytes, Qt::Uninitialized);
        for (;;) {
            if (_pieces && _pieces->dropped(_piece))
                return Result::Stopped;
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
    // since its start are what count. Past the start of the next piece without having met it
    // there, the read goes on in that piece's place.
    void noteEvent()
    {
        _lastEvent = XML_GetCurrentByteIndex(_parser.get());
        if (_lastEvent + _base > _nextStart)
            dropNextPieces();
    }
    void dropNextPieces()
    {
        _pieces->drop(_piece + 1);
        _nextStart = kNoPiece;
    }

    // At a taken element of a read in pieces: the first piece plans the pieces at the first so
    // named; the start of the next piece, met where that one was, ends this one. False when the
    // read ends here.
    bool goOnAtTaken(const char* name, std::string_view local)
    {
        if (!_planned && local == _pieces->startName()) {
            _planned = true;
            _nextStart = _pieces->plan(_lastEvent + _base, _enteredNames, name,
                                       _encodingDeclared ? _declaredEncoding.c_str() : nullptr);
        }
        if (_lastEvent + _base != _nextStart)
            return true;
        if (_enteredNames != _pieces->enclosing()) {
            dropNextPieces();
            return true;
        }
        if (_stoppedBeforeNext) {
            // What stopped the builder was all in pieces that count.
            _stoppedBeforeNext = false;
            dropNextPieces();
            end(Result::Stopped);
            return false;
        }
        _pieces->reached(_piece + 1);
        _nextStart = kNoPiece;
        end(Result::Read);
        return false;
    }

    static void onDeclaration(void* self, const char*, const char* encoding, int)
    {
        auto* read = static_cast<StreamRead*>(self);
        read->_encodingDeclared = encoding != nullptr;
        read->_declaredEncoding = encoding ? encoding : "";
    }

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
            if (_pieces && !goOnAtTaken(name, local))
                break;
            if (_stoppedBeforeNext) {
                if (_nextStart == kNoPiece)
                    end(Result::Stopped);
                else
                    _skipDepth = 1;
                break;
            }
            _takenStart = _lastEvent;
            _inside = true;
            listenInside();
            _current = {false, _builder.start(name, attributes)};
            break;
        case Step::Enter:
            _entered.emplace_back(local);
            _enteredNames.emplace_back(name);
            break;
        }
    }

    void endOutside()
    {
        noteEvent();
        if (_skipDepth > 0) {
            --_skipDepth;
        } else {
            _entered.pop_back();
            _enteredNames.pop_back();
        }
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
            if (_nextStart == kNoPiece) {
                end(Result::Stopped);
                return;
            }
            _stoppedBeforeNext = true;
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
    std::vector<std::string> _enteredNames;  // as written, prefixes kept
    // A read in pieces.
    PiecesRun* _pieces = nullptr;
    int _piece = 0;
    bool _planned = false;
    qint64 _base = 0;                // where in the file the parser's first byte lies
    qint64 _nextStart = kNoPiece;    // where the next piece begins, while it is still to be met
    bool _encodingDeclared = false;
    std::string _declaredEncoding;
    // Its builder stopped it while the next piece was still read, which may have counted
    // towards the stop: it reads on, building nothing, to learn whether that piece is one.
    bool _stoppedBeforeNext = false;
};

XmlPieceReader::PiecesResult PiecesRun::run()
{
    XmlPieceReader::PiecesResult result;
    QFile file(_path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.result = Result::Missing;
    } else {
        StreamRead read(file, _blanks, _decide, *_builders.front());
        read.readAsPiece(*this, 0);
        result.result = run(read, 0);
    }
    _pieceEnded(0, result.result);
    if (_count > 1 && !_pieces[1].reached)
        drop(1);
    for (int i = 1; i < _count; ++i)
        _pieces[size_t(i)].thread.join();
    while (result.kept < _count && _pieces[size_t(result.kept)].reached)
        ++result.kept;
    const Piece& last = _pieces[size_t(result.kept - 1)];
    if (result.kept > 1)
        result.result = last.result;
    result.uncertain = last.uncertain;
    return result;
}

Result PiecesRun::run(StreamRead& read, int index)
{
    const Result result = read.run();
    _pieces[size_t(index)].uncertain = read.uncertain();
    return read.uncertain() ? Result::Stopped : result;
}

void PiecesRun::readPiece(int index)
{
    Piece& piece = _pieces[size_t(index)];
    QFile file(_path);
    if (!file.open(QIODevice::ReadOnly)) {
        piece.result = Result::Missing;
    } else {
        StreamRead read(file, _blanks, _decide, *_builders[size_t(index)], _encodingDeclared ? _encoding.c_str() : nullptr);
        piece.result = read.readAsPiece(*this, index) ? run(read, index) : Result::Broken;
    }
    _pieceEnded(index, piece.result);
    if (index + 1 < _count && !_pieces[size_t(index) + 1].reached)
        drop(index + 1);
}

qint64 PiecesRun::plan(qint64 offset, const std::vector<std::string>& enclosing, const char* takenName,
                       const char* encoding)
{
    QFile file(_path);
    const qint64 rest = file.size() - offset;
    const qint64 wanted = std::min<qint64>(qint64(_pieces.size()), rest / std::max<qint64>(1, _minPieceBytes));
    if (wanted < 2 || !file.open(QIODevice::ReadOnly))
        return kNoPiece;
    const QByteArray startTag = QByteArray("<") + takenName;
    for (qint64 i = 1, previous = offset; i < wanted; ++i) {
        previous = pieceStartFrom(file, std::max(offset + rest / wanted * i, previous + 1), startTag);
        if (previous == kNoPiece)
            break;
        _pieces[size_t(_count++)].start = previous;
    }
    _enclosing = enclosing;
    _encodingDeclared = encoding != nullptr;
    _encoding = encoding ? encoding : "";
    for (int i = 1; i < _count; ++i)
        _pieces[size_t(i)].thread = std::thread([this, i] { readPiece(i); });
    return startOf(1);
}

// The first place from `from` on, not far past it, where the bytes are a start tag's beginning.
qint64 PiecesRun::pieceStartFrom(QFile& file, qint64 from, const QByteArray& startTag) const
{
    if (!file.seek(from))
        return kNoPiece;
    const QByteArray bytes = file.read(kPieceStartSearchBytes);
    for (qsizetype at = bytes.indexOf(startTag); at >= 0; at = bytes.indexOf(startTag, at + 1)) {
        const qsizetype after = at + startTag.size();
        if (after < bytes.size() && std::string_view(" \t\r\n/>").find(bytes[after]) != std::string_view::npos)
            return from + at;
    }
    return kNoPiece;
}

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

XmlPieceReader::PiecesResult XmlPieceReader::readInPieces(const QString& path, BlankText blanks, const Decide& decide,
                                                          std::string_view startName, const std::vector<Builder*>& builders,
                                                          qint64 minPieceBytes,
                                                          const std::function<void(int, Result)>& pieceEnded,
                                                          const std::function<void(int)>& pieceDropped)
{
    return PiecesRun(path, blanks, decide, startName, builders, minPieceBytes, pieceEnded, pieceDropped).run();
}

#include "data/XmlPieceReader.h"

#include <QFile>
#include <QXmlStreamReader>

namespace {

using Result = XmlPieceReader::Result;
using Step = XmlPieceReader::Step;
using SpreadsheetXml::BlankText;

// The stream is fed this much at a time, so that the bytes of one unfinished piece are known.
constexpr qint64 kBlockBytes = qint64(1) << 16;
// The readers look a few levels down; anything deeper is passed over.
constexpr size_t kMaxEnteredDepth = 64;

std::string localName(QStringView qualified)
{
    const qsizetype colon = qualified.lastIndexOf(QLatin1Char(':'));
    return qualified.mid(colon + 1).toUtf8().toStdString();
}

bool isBlank(const pugi::xml_node& node)
{
    if (node.type() != pugi::node_pcdata)
        return false;
    for (const char* c = node.value(); *c; ++c) {
        if (*c != ' ' && *c != '\t' && *c != '\r' && *c != '\n')
            return false;
    }
    return true;
}

// Blank text is kept only where it is an element's one child (a cell of one space), as
// loadPart keeps it; blanks between elements are layout.
void dropLayoutBlanks(pugi::xml_node element)
{
    if (element.first_child() == element.last_child())
        return;
    for (pugi::xml_node item = element.first_child(); item;) {
        const pugi::xml_node next = item.next_sibling();
        if (isBlank(item))
            element.remove_child(item);
        item = next;
    }
}

// One taken element, built from the stream's events.
class PieceBuilder {
public:
    explicit PieceBuilder(BlankText blanks) : _blanks(blanks) {}
    bool building() const { return _depth > 0; }

    void start(const QXmlStreamReader& xml)
    {
        flushText();
        _current = (_depth++ == 0 ? pugi::xml_node(_document) : _current).append_child(xml.qualifiedName().toUtf8().constData());
        for (const QXmlStreamAttribute& attribute : xml.attributes())
            _current.append_attribute(attribute.qualifiedName().toUtf8().constData())
                .set_value(attribute.value().toUtf8().constData());
    }

    void text(const QXmlStreamReader& xml)
    {
        if (!(xml.isWhitespace() && _blanks == BlankText::Drop))
            _text += xml.text().toUtf8();
    }

    // The element built when the one taken has ended, else null.
    pugi::xml_node end()
    {
        flushText();
        if (_blanks == BlankText::Keep)
            dropLayoutBlanks(_current);
        const pugi::xml_node ended = _current;
        _current = _current.parent();
        return --_depth == 0 ? ended : pugi::xml_node();
    }

    void reset() { _document.reset(); }

private:
    // Text runs between two tags (CDATA sections, references) become one text node.
    void flushText()
    {
        if (_text.isEmpty())
            return;
        _current.append_child(pugi::node_pcdata).set_value(_text.constData());
        _text.clear();
    }

    const BlankText _blanks;
    pugi::xml_document _document;
    pugi::xml_node _current;
    QByteArray _text;
    int _depth = 0;
};

class StreamRead {
public:
    StreamRead(QFile& file, BlankText blanks, const XmlPieceReader::Decide& decide, const XmlPieceReader::Visit& visit)
        : _file(file), _piece(blanks), _decide(decide), _visit(visit)
    {
    }

    Result run()
    {
        for (;;) {
            const QXmlStreamReader::TokenType token = _xml.readNext();
            if (_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError) {
                if (!feed())
                    return _result;
                continue;
            }
            if (_xml.hasError())
                return Result::Broken;
            _pieceStart = _fed;
            if (!handle(token))
                return _result;
        }
    }

private:
    // More of the file into the stream; false when there is none, or when one unfinished piece
    // (a text, a tag, the taken element) has grown past the bound.
    bool feed()
    {
        const qint64 from = _piece.building() ? _takenStart : _pieceStart;
        if (_fed - from > XmlPieceReader::kMaxPieceBytes) {
            _result = Result::TooLarge;
            return false;
        }
        const QByteArray block = _file.read(kBlockBytes);
        if (block.isEmpty()) {
            _result = Result::Broken;
            return false;
        }
        _fed += block.size();
        _xml.addData(block);
        return true;
    }

    // False when the read ends here (_result says how).
    bool handle(QXmlStreamReader::TokenType token)
    {
        switch (token) {
        case QXmlStreamReader::StartElement: return startElement();
        case QXmlStreamReader::EndElement: return endElement();
        case QXmlStreamReader::Characters:
            if (_piece.building())
                _piece.text(_xml);
            return true;
        case QXmlStreamReader::EndDocument: return false;
        default: return true;
        }
    }

    bool startElement()
    {
        if (_piece.building()) {
            _piece.start(_xml);
            return true;
        }
        if (_skipDepth > 0) {
            ++_skipDepth;
            return true;
        }
        const std::string name = localName(_xml.qualifiedName());
        Step step = _decide(_entered, name);
        if (step == Step::Enter && _entered.size() >= kMaxEnteredDepth)
            step = Step::Skip;
        switch (step) {
        case Step::Stop: return false;
        case Step::Skip: _skipDepth = 1; break;
        case Step::Take:
            _takenStart = _pieceStart;
            _piece.start(_xml);
            break;
        case Step::Enter: _entered.push_back(name); break;
        }
        return true;
    }

    bool endElement()
    {
        if (_piece.building()) {
            const pugi::xml_node taken = _piece.end();
            if (!taken)
                return true;
            const bool goOn = _visit(taken);
            _piece.reset();
            if (!goOn) {
                _result = Result::Stopped;
                return false;
            }
        } else if (_skipDepth > 0) {
            --_skipDepth;
        } else {
            _entered.pop_back();
        }
        // After the root element nothing more is read.
        return !(_entered.empty() && _skipDepth == 0 && !_piece.building());
    }

    QFile& _file;
    QXmlStreamReader _xml;
    PieceBuilder _piece;
    const XmlPieceReader::Decide& _decide;
    const XmlPieceReader::Visit& _visit;
    Result _result = Result::Read;
    qint64 _fed = 0;         // bytes handed to the stream
    qint64 _pieceStart = 0;  // _fed when the last token ended
    qint64 _takenStart = 0;  // _fed when the taken element began
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

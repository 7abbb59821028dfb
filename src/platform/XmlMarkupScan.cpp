#include "platform/XmlMarkupScan.h"

#include <expat.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// A reference to skip: where it starts, where it ends.
using Span = std::pair<size_t, size_t>;

const char* const kNoCharacter = "it holds a NUL character, or a reference to a character that does not exist";

struct ParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

bool isRefusedControl(unsigned code)
{
    return code >= 1 && code < 0x20 && code != 0x9 && code != 0xA && code != 0xD;
}

// Where character references to the controls below U+0020 that XML refuses stand (everything
// between "&#" and ";"), which lists have long carried.
std::vector<Span> controlReferences(std::string_view text)
{
    std::vector<Span> found;
    for (size_t at = text.find("&#"); at != text.npos; at = text.find("&#", at + 2)) {
        const bool hex = at + 2 < text.size() && text[at + 2] == 'x';
        const size_t digits = at + (hex ? 3 : 2);
        size_t end = digits;
        unsigned code = 0;
        for (; end < text.size(); ++end) {
            const char c = text[end];
            const int digit = c >= '0' && c <= '9' ? c - '0'
                              : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                            : -1;
            if (digit < 0)
                break;
            code = std::min(code * (hex ? 16 : 10) + unsigned(digit), 0x110000u);
        }
        if (end > digits && end < text.size() && text[end] == ';' && isRefusedControl(code))
            found.emplace_back(digits, end);
    }
    return found;
}

// The bytes without the spans.
QByteArray without(const QByteArray& bytes, const std::vector<Span>& spans)
{
    if (spans.empty())
        return bytes;
    QByteArray kept;
    kept.reserve(bytes.size());
    size_t from = 0;
    for (const auto& [start, end] : spans) {
        kept.append(bytes.constData() + from, qsizetype(start - from));
        from = end;
    }
    kept.append(bytes.constData() + from, qsizetype(size_t(bytes.size()) - from));
    return kept;
}

// Where the controls of a document stand, raw or as references, followed through expat's events
// in document order: a raw control may stand in the text of a string or a key, which the list
// writer writes as it is; a reference there too, and in markup that takes it as plain characters
// (a comment, an instruction, a CDATA section, the DOCTYPE's identifiers). Anywhere else (between
// elements, in a tag or an attribute) either is refused, as expat refuses it.
class ControlPlaces {
public:
    struct Place {
        size_t at;
        bool reference;
    };

    explicit ControlPlaces(std::vector<Place> places) : m_places(std::move(places)) {}

    // The places in [start, end) pass where they are allowed, those before `start` stood in
    // markup. The first that does not pass stays the first left.
    void pass(size_t start, size_t end, bool rawAllowed, bool referencesAllowed)
    {
        for (; m_passed < m_places.size() && m_places[m_passed].at < end; ++m_passed) {
            const Place& place = m_places[m_passed];
            if (place.at < start || !(place.reference ? referencesAllowed : rawAllowed))
                return;
        }
    }

    // Whether every place has passed; the first that did not is misplaced().
    bool allPassed() const { return m_passed == m_places.size(); }
    size_t misplaced() const { return m_places[m_passed].at; }

private:
    std::vector<Place> m_places;
    size_t m_passed = 0;
};

// The bytes with each control, raw or as a reference, made one that expat reads: a raw one a
// blank, a reference one to a tab. Their length is kept, so that the places expat reports stand
// in the bytes. The same bytes, and no places, when they hold none.
struct ReadableControls {
    QByteArray bytes;
    // A place inside each control or reference, in order.
    std::vector<ControlPlaces::Place> places;
};

ReadableControls controlsMadeReadable(const QByteArray& bytes)
{
    const std::string_view text(bytes.constData(), size_t(bytes.size()));
    ReadableControls readable{bytes, {}};
    for (size_t at = 0; at < text.size(); ++at) {
        if (isRefusedControl(uchar(text[at]))) {
            readable.places.push_back({at, false});
            readable.bytes[qsizetype(at)] = ' ';
        }
    }
    const auto raw = qsizetype(readable.places.size());
    for (const auto& [start, end] : controlReferences(text)) {
        readable.places.push_back({start, true});
        std::fill(readable.bytes.begin() + qsizetype(start), readable.bytes.begin() + qsizetype(end) - 1, '0');
        readable.bytes[qsizetype(end) - 1] = '9';
    }
    std::inplace_merge(readable.places.begin(), readable.places.begin() + raw, readable.places.end(),
                       [](const ControlPlaces::Place& a, const ControlPlaces::Place& b) { return a.at < b.at; });
    return readable;
}

// The markup as expat (Python's plistlib's parser) reads it, with what plistlib adds: an entity
// declaration is refused.
class ExpatCheck {
public:
    explicit ExpatCheck(bool utf8Given) : m_parser(XML_ParserCreate(utf8Given ? "UTF-8" : nullptr))
    {
        XML_SetUserData(m_parser.get(), this);
        XML_SetEntityDeclHandler(m_parser.get(), &ExpatCheck::onEntityDeclaration);
        XML_SetSkippedEntityHandler(m_parser.get(), &ExpatCheck::onSkippedEntity);
    }

    // Controls at the places, made readable beforehand, are let stand only where ControlPlaces
    // lets them.
    void keepControlsWhereAllowed(std::vector<ControlPlaces::Place> places)
    {
        m_controls.emplace(std::move(places));
        XML_SetElementHandler(m_parser.get(), &ExpatCheck::onElementStart, &ExpatCheck::onElementEnd);
        XML_SetCharacterDataHandler(m_parser.get(), &ExpatCheck::onCharacters);
        XML_SetCdataSectionHandler(m_parser.get(), &ExpatCheck::onCdataStart, &ExpatCheck::onCdataEnd);
        XML_SetCommentHandler(m_parser.get(), &ExpatCheck::onComment);
        XML_SetProcessingInstructionHandler(m_parser.get(), &ExpatCheck::onInstruction);
        XML_SetStartDoctypeDeclHandler(m_parser.get(), &ExpatCheck::onDoctype);
    }

    bool parse(const QByteArray& bytes)
    {
        const std::string_view text(bytes.constData(), size_t(bytes.size()));
        if (!m_parser) {
            m_why = QStringLiteral("there is no memory to read it");
            return false;
        }
        bool parsed = true;
        for (size_t at = 0; parsed && (at < text.size() || at == 0);) {
            const size_t piece = std::min(text.size() - at, kMaxPieceBytes);
            parsed = XML_Parse(m_parser.get(), text.data() + at, int(piece), at + piece == text.size()) == XML_STATUS_OK;
            at += std::max<size_t>(piece, 1);
        }
        if (parsed && m_controls && !m_controls->allPassed()) {
            m_why = QStringLiteral("it holds a control character outside a text (byte %1)").arg(m_controls->misplaced());
            parsed = false;
        }
        if (!parsed && m_why.isEmpty()) {
            const XML_Error code = XML_GetErrorCode(m_parser.get());
            m_why = code == XML_ERROR_BAD_CHAR_REF
                        ? QString::fromLatin1(kNoCharacter)
                        : QStringLiteral("%1 at line %2, column %3")
                              .arg(QString::fromLatin1(XML_ErrorString(code)))
                              .arg(XML_GetCurrentLineNumber(m_parser.get()))
                              .arg(XML_GetCurrentColumnNumber(m_parser.get()) + 1);
        }
        return parsed;
    }

    const QString& why() const { return m_why; }
    const std::vector<Span>& skipped() const { return m_skipped; }

private:
    // expat takes its input in pieces whose length an int holds.
    static constexpr size_t kMaxPieceBytes = size_t(1) << 30;

    static void onEntityDeclaration(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                                    const XML_Char*, const XML_Char*, const XML_Char*)
    {
        auto* check = static_cast<ExpatCheck*>(data);
        check->m_why = QStringLiteral("it declares an entity");
        XML_StopParser(check->m_parser.get(), XML_FALSE);
    }

    // An entity the external DTD might declare, which is not read: the reference is left out of
    // the text, as plistlib leaves it out.
    static void onSkippedEntity(void* data, const XML_Char*, int parameterEntity)
    {
        auto* check = static_cast<ExpatCheck*>(data);
        const XML_Index at = XML_GetCurrentByteIndex(check->m_parser.get());
        if (!parameterEntity && at >= 0)
            check->m_skipped.emplace_back(size_t(at), size_t(at) + size_t(XML_GetCurrentByteCount(check->m_parser.get())));
    }

    static void onElementStart(void* data, const XML_Char* name, const XML_Char**)
    {
        static_cast<ExpatCheck*>(data)->m_inText.push_back(std::strcmp(name, "string") == 0 || std::strcmp(name, "key") == 0);
    }
    static void onElementEnd(void* data, const XML_Char*) { static_cast<ExpatCheck*>(data)->m_inText.pop_back(); }
    static void onCdataStart(void* data) { static_cast<ExpatCheck*>(data)->m_inCdata = true; }
    static void onCdataEnd(void* data) { static_cast<ExpatCheck*>(data)->m_inCdata = false; }

    // A piece of character data: a text, a reference, a CDATA section's content.
    static void onCharacters(void* data, const XML_Char*, int)
    {
        auto* check = static_cast<ExpatCheck*>(data);
        const bool inText = !check->m_inText.empty() && check->m_inText.back();
        check->passControls(false, inText, inText || check->m_inCdata);
    }
    static void onComment(void* data, const XML_Char*) { static_cast<ExpatCheck*>(data)->passControls(false, false, true); }
    static void onInstruction(void* data, const XML_Char*, const XML_Char*)
    {
        static_cast<ExpatCheck*>(data)->passControls(false, false, true);
    }
    // Told at the end of the DOCTYPE's identifiers ("[" or ">"): the places since the last event
    // were in them.
    static void onDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int)
    {
        static_cast<ExpatCheck*>(data)->passControls(true, false, true);
    }

    // The controls of the current event pass, or stay to be refused once the parse is over;
    // `sinceLast` takes in those between the last event and this one too.
    void passControls(bool sinceLast, bool rawAllowed, bool referencesAllowed)
    {
        const auto start = size_t(XML_GetCurrentByteIndex(m_parser.get()));
        const size_t end = start + size_t(XML_GetCurrentByteCount(m_parser.get()));
        m_controls->pass(sinceLast ? 0 : start, end, rawAllowed, referencesAllowed);
    }

    std::unique_ptr<XML_ParserStruct, ParserFree> m_parser;
    QString m_why;
    std::vector<Span> m_skipped;
    std::optional<ControlPlaces> m_controls;
    // Whether each open element is a string or a key.
    std::vector<bool> m_inText;
    bool m_inCdata = false;
};

}  // namespace

std::optional<QByteArray> scannedPropertyListMarkup(const QByteArray& bytes, bool utf8Given, QString* why)
{
    const auto refuse = [why](const QString& reason) {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    if (bytes.contains('\0'))
        return refuse(QString::fromLatin1(kNoCharacter));
    ExpatCheck check(utf8Given);
    if (check.parse(bytes))
        return without(bytes, check.skipped());
    // expat refuses the controls, raw or as references: read again with them made readable.
    ReadableControls readable = controlsMadeReadable(bytes);
    if (readable.places.empty())
        return refuse(check.why());
    ExpatCheck again(utf8Given);
    again.keepControlsWhereAllowed(std::move(readable.places));
    if (!again.parse(readable.bytes))
        return refuse(again.why());
    return without(bytes, again.skipped());
}

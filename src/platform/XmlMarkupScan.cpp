#include "platform/XmlMarkupScan.h"

#include <expat.h>

#include <algorithm>
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

// The bytes with each control, raw or as a reference, made one that expat reads: a raw one a
// blank, a reference one to a tab. Their length is kept, so that the places expat reports stand
// in the bytes. The same bytes when they hold none.
QByteArray controlsMadeReadable(const QByteArray& bytes)
{
    const std::string_view text(bytes.constData(), size_t(bytes.size()));
    QByteArray readable = bytes;
    if (std::any_of(text.begin(), text.end(), [](char c) { return isRefusedControl(uchar(c)); }))
        std::replace_if(readable.begin(), readable.end(), [](char c) { return isRefusedControl(uchar(c)); }, ' ');
    for (const auto& [start, end] : controlReferences(text)) {
        std::fill(readable.begin() + qsizetype(start), readable.begin() + qsizetype(end) - 1, '0');
        readable[qsizetype(end) - 1] = '9';
    }
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

    std::unique_ptr<XML_ParserStruct, ParserFree> m_parser;
    QString m_why;
    std::vector<Span> m_skipped;
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
    const QByteArray readable = controlsMadeReadable(bytes);
    if (readable == bytes)
        return refuse(check.why());
    ExpatCheck again(utf8Given);
    if (!again.parse(readable))
        return refuse(again.why());
    return without(bytes, again.skipped());
}

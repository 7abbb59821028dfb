#include "platform/XmlMarkupScan.h"

#include <string_view>
#include <utility>
#include <vector>

namespace {

// A reference to skip: where it starts, where it ends.
using Span = std::pair<size_t, size_t>;

const char* const kNoCharacter = "it holds a NUL character, or a reference to a character that does not exist";

// Characters a reference may name: XML's, and the controls below U+0020 other than NUL, which
// property lists have long carried as references.
bool isReferableCharacter(quint64 code)
{
    return (code >= 0x1 && code <= 0xD7FF) || (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

bool isNameStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || uchar(c) >= 0x80;
}

bool isNameCharacter(char c)
{
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '.' || c == '-';
}

int digitValue(char c, bool hex)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (hex && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (hex && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

class MarkupScan {
public:
    explicit MarkupScan(std::string_view text) : m_text(text) {}

    bool run()
    {
        size_t at = 0;
        while ((at = m_text.find_first_of("<&]", at)) != m_text.npos) {
            if (m_text[at] == '&')
                at = reference(at, true);
            else if (m_text[at] == ']')
                at = m_text.substr(at).starts_with("]]>") ? refuse("\"]]>\" stands outside a CDATA section") : at + 1;
            else
                at = markup(at);
        }
        return m_why.isEmpty();
    }

    const QString& why() const { return m_why; }
    const std::vector<Span>& skipped() const { return m_skipped; }

private:
    size_t refuse(const char* why)
    {
        if (m_why.isEmpty())
            m_why = QString::fromLatin1(why);
        return m_text.npos;
    }

    // Past the end of what opens at `at` and ends with `close`; unclosed, the parser refuses it.
    size_t past(size_t at, std::string_view close) const
    {
        const size_t end = m_text.find(close, at);
        return end == m_text.npos ? m_text.npos : end + close.size();
    }

    size_t markup(size_t at)
    {
        const std::string_view rest = m_text.substr(at);
        if (rest.starts_with("<!--"))
            return past(at + 4, "-->");
        if (rest.starts_with("<![CDATA["))
            return past(at + 9, "]]>");
        if (rest.starts_with("<?"))
            return past(at + 2, "?>");
        if (rest.starts_with("<!DOCTYPE"))
            return doctype(at);
        return tag(at);
    }

    // A tag to its ">", its attribute values' references checked; none is skipped there.
    size_t tag(size_t at)
    {
        char quote = 0;
        for (size_t i = at + 1; i < m_text.size(); ++i) {
            const char c = m_text[i];
            if (quote && c == quote)
                quote = 0;
            else if (!quote && (c == '"' || c == '\''))
                quote = c;
            else if (!quote && c == '>')
                return i + 1;
            else if (quote && c == '&' && reference(i, false) == m_text.npos)
                return m_text.npos;
        }
        return m_text.npos;
    }

    // The document type: whether it names an external DTD, and no entity declared in it.
    size_t doctype(size_t at)
    {
        size_t i = at + 9;
        char quote = 0;
        for (; i < m_text.size(); ++i) {
            const char c = m_text[i];
            if (quote && c == quote)
                quote = 0;
            else if (!quote && (c == '"' || c == '\''))
                quote = c;
            else if (!quote && (c == '[' || c == '>'))
                break;
        }
        const std::string_view head = m_text.substr(at, i - at);
        m_externalDtd = head.find("SYSTEM") != head.npos || head.find("PUBLIC") != head.npos;
        if (i >= m_text.size() || m_text[i] == '>')
            return i + 1;
        const size_t subsetEnd = m_text.find(']', i);
        if (subsetEnd == m_text.npos)
            return m_text.npos;
        if (m_text.substr(i, subsetEnd - i).find("<!ENTITY") != m_text.npos)
            return refuse("it declares an entity");
        return past(subsetEnd, ">");
    }

    // A reference at `at` ("&" ... ";"): a character XML allows, a predefined entity, or, in text
    // under an external DTD, an entity that DTD may declare, skipped. Past it, or npos refused.
    size_t reference(size_t at, bool inText)
    {
        size_t i = at + 1;
        if (i < m_text.size() && m_text[i] == '#') {
            const bool hex = i + 1 < m_text.size() && m_text[i + 1] == 'x';
            i += hex ? 2 : 1;
            const size_t digits = i;
            quint64 code = 0;
            for (int digit = 0; i < m_text.size() && (digit = digitValue(m_text[i], hex)) >= 0; ++i)
                code = std::min<quint64>(code * (hex ? 16 : 10) + quint64(digit), 0x110000);
            if (i == digits || i >= m_text.size() || m_text[i] != ';')
                return refuse("a character reference is not closed by \";\"");
            if (!isReferableCharacter(code))
                return refuse(kNoCharacter);
            return i + 1;
        }
        if (i >= m_text.size() || !isNameStart(m_text[i]))
            return refuse("an \"&\" begins no reference");
        while (i < m_text.size() && isNameCharacter(m_text[i]))
            ++i;
        if (i >= m_text.size() || m_text[i] != ';')
            return refuse("an entity reference is not closed by \";\"");
        const std::string_view name = m_text.substr(at + 1, i - at - 1);
        if (name == "lt" || name == "gt" || name == "amp" || name == "apos" || name == "quot")
            return i + 1;
        if (!inText || !m_externalDtd)
            return refuse("it refers to an entity that is not declared");
        m_skipped.emplace_back(at, i + 1);
        return i + 1;
    }

    std::string_view m_text;
    bool m_externalDtd = false;
    std::vector<Span> m_skipped;
    QString m_why;
};

}  // namespace

std::optional<QByteArray> scannedPropertyListMarkup(const QByteArray& bytes, QString* why)
{
    if (bytes.contains('\0')) {
        if (why)
            *why = QString::fromLatin1(kNoCharacter);
        return std::nullopt;
    }
    MarkupScan scan(std::string_view(bytes.constData(), size_t(bytes.size())));
    if (!scan.run()) {
        if (why)
            *why = scan.why();
        return std::nullopt;
    }
    if (scan.skipped().empty())
        return bytes;
    QByteArray kept;
    kept.reserve(bytes.size());
    size_t from = 0;
    for (const auto& [start, end] : scan.skipped()) {
        kept.append(bytes.constData() + from, qsizetype(start - from));
        from = end;
    }
    kept.append(bytes.constData() + from, qsizetype(size_t(bytes.size()) - from));
    return kept;
}

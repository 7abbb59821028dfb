#include "platform/XmlDeclaredEncoding.h"

#include <expat.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/SingleByteCharacters.h"

namespace {

struct ParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

// Reads the declaration with expat, which hands a name it does not know itself to the handler and
// then refuses characters that move ASCII's markup characters.
class DeclarationRead {
public:
    DeclarationRead() : m_parser(XML_ParserCreate(nullptr))
    {
        if (!m_parser)
            return;
        XML_SetUserData(m_parser.get(), this);
        XML_SetXmlDeclHandler(m_parser.get(), &DeclarationRead::onDeclaration);
        XML_SetUnknownEncodingHandler(m_parser.get(), &DeclarationRead::onUnknownEncoding, this);
    }

    // Whether expat takes the declaration that ends before `end`.
    bool parse(std::string_view text, size_t end)
    {
        return m_parser && XML_Parse(m_parser.get(), text.data(), int(end), XML_FALSE) == XML_STATUS_OK;
    }

    // The name the declaration gives; empty without one.
    const QByteArray& encoding() const { return m_encoding; }
    // The characters of an encoding expat was told of.
    const std::optional<CharacterMap>& map() const { return m_map; }
    bool asked() const { return m_asked; }
    QString why() const
    {
        return !m_why.isEmpty() ? m_why
                                : QStringLiteral("it declares an encoding that is not read (%1)")
                                      .arg(QString::fromLatin1(XML_ErrorString(XML_GetErrorCode(m_parser.get()))));
    }

private:
    static void XMLCALL onDeclaration(void* data, const XML_Char*, const XML_Char* encoding, int)
    {
        static_cast<DeclarationRead*>(data)->m_encoding = encoding;
    }

    static int XMLCALL onUnknownEncoding(void* data, const XML_Char* name, XML_Encoding* info)
    {
        auto* read = static_cast<DeclarationRead*>(data);
        read->m_asked = true;
        read->m_map = singleByteCharacters(name, &read->m_why);
        if (!read->m_map)
            return XML_STATUS_ERROR;
        std::copy(read->m_map->begin(), read->m_map->end(), info->map);
        info->data = nullptr;
        info->convert = nullptr;
        info->release = nullptr;
        return XML_STATUS_OK;
    }

    std::unique_ptr<XML_ParserStruct, ParserFree> m_parser;
    QByteArray m_encoding;
    bool m_asked = false;
    std::optional<CharacterMap> m_map;
    QString m_why;
};

bool isExpatSingleByte(const QByteArray& encoding)
{
    return encoding.compare("ISO-8859-1", Qt::CaseInsensitive) == 0 || encoding.compare("US-ASCII", Qt::CaseInsensitive) == 0;
}

// Whether XML holds the character (expat takes the others for no character).
bool isXmlCharacter(int code)
{
    return code >= 0 && code <= 0xFFFD && (code < 0xD800 || code > 0xDFFF);
}

// The text from `start` on as UTF-8; none, with the reason in *why, at a byte that is no character.
std::optional<QByteArray> utf8Of(std::string_view text, size_t start, const CharacterMap& map, QString* why)
{
    std::array<QByteArray, 256> characters;
    for (size_t byte = 0; byte < characters.size(); ++byte) {
        const auto code = char32_t(map[byte]);
        if (isXmlCharacter(map[byte]))
            characters[byte] = QString::fromUcs4(&code, 1).toUtf8();
    }
    QByteArray utf8;
    utf8.reserve(qsizetype(text.size() - start));
    for (size_t at = start; at < text.size();) {
        // ASCII that stands for itself is copied a run at a time.
        size_t run = at;
        while (run < text.size() && uchar(text[run]) < 0x80 && map[uchar(text[run])] == uchar(text[run]))
            ++run;
        utf8.append(text.data() + at, qsizetype(run - at));
        if (run == text.size())
            break;
        const QByteArray& character = characters[uchar(text[run])];
        if (character.isEmpty()) {
            *why = QStringLiteral("byte %1 is no character of the encoding it declares").arg(run);
            return std::nullopt;
        }
        utf8 += character;
        at = run + 1;
    }
    return utf8;
}

}  // namespace

DeclaredEncoding readDeclaredEncoding(const QByteArray& bytes)
{
    const std::string_view text(bytes.constData(), size_t(bytes.size()));
    const std::string_view byteOrderMark = "\xef\xbb\xbf";
    const size_t start = text.starts_with(byteOrderMark) ? byteOrderMark.size() : 0;
    if (!text.substr(start).starts_with("<?xml"))
        return {};
    const size_t close = text.find("?>", start);
    if (close == text.npos)
        return {};
    DeclarationRead declaration;
    const bool parsed = declaration.parse(text, close + 2);
    if (declaration.asked() && !parsed)
        return {DeclaredEncoding::Kind::Refused, {}, declaration.why()};
    // expat's own single-byte encodings read as iconv reads them; after a UTF-8 byte-order mark
    // too, where expat takes the declared encoding.
    DeclaredEncoding decoded{DeclaredEncoding::Kind::Decoded, {}, {}};
    std::optional<CharacterMap> map = declaration.map();
    if (parsed && !declaration.asked() && isExpatSingleByte(declaration.encoding()))
        map = singleByteCharacters(declaration.encoding(), &decoded.why);
    // UTF-8 or UTF-16, none named, or a declaration expat refuses, as the markup check will.
    if (!map)
        return {};
    std::optional<QByteArray> utf8 = utf8Of(text, start, *map, &decoded.why);
    if (!utf8)
        return {DeclaredEncoding::Kind::Refused, {}, decoded.why};
    decoded.utf8 = std::move(*utf8);
    return decoded;
}

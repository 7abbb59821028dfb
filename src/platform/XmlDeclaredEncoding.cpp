#include "platform/XmlDeclaredEncoding.h"

#include <expat.h>
#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace {

// The character each byte stands for; -1 for a byte that is none.
using CharacterMap = std::array<int, 256>;

struct IconvClose {
    void operator()(void* converter) const { iconv_close(iconv_t(converter)); }
};
using Converter = std::unique_ptr<void, IconvClose>;

struct ParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

// What a few bytes decode to from the converter's initial state: characters, or that they are
// none (invalid) or only the start of one (incomplete).
struct Decoded {
    enum class Kind { Characters, Invalid, Incomplete } kind;
    std::wstring characters;
};

Decoded decoded(iconv_t converter, const char* bytes, size_t count)
{
    static_assert(sizeof(wchar_t) == 4, "iconv's WCHAR_T is taken for UTF-32");
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    std::array<wchar_t, 8> out{};
    char* in = const_cast<char*>(bytes);
    char* to = reinterpret_cast<char*>(out.data());
    size_t inLeft = count;
    size_t outLeft = sizeof out;
    if (iconv(converter, &in, &inLeft, &to, &outLeft) == size_t(-1))
        return {errno == EINVAL ? Decoded::Kind::Incomplete : Decoded::Kind::Invalid, {}};
    // A decoder that waits for a combining mark hands its character over now.
    iconv(converter, nullptr, nullptr, &to, &outLeft);
    return {Decoded::Kind::Characters, std::wstring(out.data(), reinterpret_cast<wchar_t*>(to))};
}

// The name without its punctuation: "LATIN1" for "Latin-1".
QByteArray bareName(const QByteArray& name)
{
    QByteArray bare = name;
    bare.removeIf([](char c) { return c == '-' || c == '_' || c == '.'; });
    return bare;
}

// A converter to UTF-32 from the encoding of that name. Python finds a codec by the name with its
// punctuation made "_" ("iso_8859_15", "windows_1252"), iconv by the name written with "-"
// ("ISO-8859-15") or without punctuation ("LATIN1"): each form is asked for.
Converter converterFrom(const QByteArray& name)
{
    for (const QByteArray& form : {name, QByteArray(name).replace('_', '-'), bareName(name)}) {
        const iconv_t converter = iconv_open("WCHAR_T", form.constData());
        if (converter != iconv_t(-1))
            return Converter(converter);
    }
    return Converter();
}

// A character where glibc's table of an encoding and Python's codec of that name differ, as Python
// has it.
struct PythonCharacter {
    std::string_view encoding;  // its bare name in lower case
    unsigned char byte;
    int character;
};

constexpr PythonCharacter kPythonCharacters[] = {
    // glibc's IBM table turns three controls around and has a bullet and an overline where Python
    // has the middle dot and the macron.
    {"cp856", 0x1A, 0x1A}, {"cp856", 0x1C, 0x1C}, {"cp856", 0x7F, 0x7F}, {"cp856", 0xEE, 0xAF}, {"cp856", 0xFA, 0xB7},
    // Python follows Apple's later tables: the euro, the increment sign and Apple's own sign.
    {"maccyrillic", 0xFF, 0x20AC},
    {"macintosh", 0xC6, 0x2206}, {"macintosh", 0xF0, 0xF8FF},
};

void takePythonsCharacters(const QByteArray& name, CharacterMap& map)
{
    const QByteArray bare = bareName(name).toLower();
    for (const PythonCharacter& python : kPythonCharacters) {
        if (python.encoding == bare.constData())
            map[python.byte] = python.character;
    }
}

// The characters of the encoding's 256 bytes, as Python decodes them for expat: each byte must give
// one character; a byte that cannot be decoded is none (where Python gives its replacement
// character, which it hands to expat as -1). A byte that begins a character of two bytes makes it
// a multi-byte encoding, which is refused, as are names iconv does not know.
std::optional<CharacterMap> singleByteCharacters(const QByteArray& name, QString* why)
{
    const Converter converter = converterFrom(name);
    if (!converter) {
        *why = QStringLiteral("it declares the unknown encoding %1").arg(QString::fromLatin1(name));
        return std::nullopt;
    }
    const auto multiByte = [&] {
        *why = QStringLiteral("it declares %1, a multi-byte encoding, which is not read").arg(QString::fromLatin1(name));
        return std::nullopt;
    };
    CharacterMap map{};
    for (int byte = 0; byte < 256; ++byte) {
        const char pair[2] = {char(byte), char(byte + 1)};
        const Decoded alone = decoded(iconv_t(converter.get()), pair, 1);
        if (alone.kind == Decoded::Kind::Characters && alone.characters.size() != 1)
            return multiByte();
        if (alone.kind == Decoded::Kind::Incomplete && byte < 255
            && decoded(iconv_t(converter.get()), pair, 2).kind == Decoded::Kind::Characters)
            return multiByte();
        map[size_t(byte)] = alone.kind == Decoded::Kind::Characters ? int(alone.characters[0]) : -1;
    }
    takePythonsCharacters(name, map);
    return map;
}

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

#include "platform/SingleByteCharacters.h"

#include <iconv.h>

#include <cerrno>
#include <memory>
#include <string>
#include <string_view>

namespace {

struct IconvClose {
    void operator()(void* converter) const { iconv_close(iconv_t(converter)); }
};
using Converter = std::unique_ptr<void, IconvClose>;

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

}  // namespace

// Each byte must give one character; a byte that cannot be decoded is none. A byte that begins a
// character of two bytes makes it a multi-byte encoding.
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

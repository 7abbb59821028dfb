#pragma once
// The encoding an XML property list declares, read as Python's plistlib reads it. Its parser,
// expat, knows UTF-8, UTF-16, ISO-8859-1 and US-ASCII itself and asks Python for any other name:
// the codec of that name decodes the 256 bytes one after the other, each must give one character
// (multi-byte encodings are refused), a byte it cannot decode is no character, and expat refuses
// an encoding that moves ASCII's markup characters. Here the characters of those bytes are
// singleByteCharacters' (platform/SingleByteCharacters.h), which names the edges where they are not
// Python's.
#include <QByteArray>
#include <QString>

struct DeclaredEncoding {
    enum class Kind {
        // UTF-8 or UTF-16, no encoding named, or a declaration the markup check refuses: the bytes
        // are read as they are.
        AsTheyAre,
        // A single-byte encoding, decoded: `utf8` holds the document (without a UTF-8 byte-order
        // mark, after which expat takes the declared encoding too).
        Decoded,
        // An encoding plistlib does not read, or a byte that is no character of it: `why`.
        Refused,
    };
    Kind kind = Kind::AsTheyAre;
    QByteArray utf8;
    QString why;
};

DeclaredEncoding readDeclaredEncoding(const QByteArray& bytes);

#pragma once
// The code page a rich-text document's bytes ("\'hh" escapes and plain text) are read in, as
// Python's codec of that page ("cp437", "cp1252"; the Macintosh's Roman "mac_roman") reads them:
// a page of one byte a character by its 256 characters as singleByteCharacters gives them, a page
// of more (932, 936, 949, 950) by Qt's converter, and a number that names no page as Latin-1.
// A byte that is no character of its page is U+FFFD.
//
// Qt's converters follow Windows' tables, which wrote these documents; where they differ from
// Python's codec, at the edges, Windows' reading is kept:
// - cp950's user-defined characters, 0x8140 to 0xA0FE, 0xC6A1 to 0xC8FE and 0xFA40 to 0xFEFE, are
//   Windows' private-use characters. Python's codec has no characters there but for the ETEN
//   extension's kana, Cyrillic letters and signs at 0xC6A1 to 0xC7FC, characters Windows writes
//   as themselves ("\uN"), never as these bytes.
// - A pair of bytes that is no character of a page of two, such as cp950's 0xA3C0 to 0xA3FE, is
//   one U+FFFD, where Python gives one for each byte and reads an ASCII second byte as itself.
// - The other pages of two bytes a character are read by Qt's converters as they stand.
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <unordered_map>

class RtfCodePage {
public:
    // Windows-1252, the document's page until it names another.
    RtfCodePage();

    // The page of that number from here on; a page once read is looked up again at no cost.
    void select(int number);
    // The text of the bytes appended to text; a character of two bytes cut at their end is kept
    // for the next.
    void decode(QByteArrayView bytes, QString& text);

    struct Reading;

private:
    int m_number = -1;
    const Reading* m_reading = nullptr;
    QStringDecoder* m_decoder = nullptr;
    // Each page of two bytes a character the document selected, with what it keeps of a cut one.
    std::unordered_map<int, QStringDecoder> m_decoders;
};

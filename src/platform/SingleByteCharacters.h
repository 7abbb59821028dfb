#pragma once
// The characters of a single-byte encoding's 256 bytes, as Python's codec of that name gives them.
// glibc's iconv stands in for Python's codecs: both know the common names (windows-1252,
// ISO-8859-15, KOI8-R, IBM850, cp437...; Python's spellings such as iso8859_15 or latin-1 are asked
// for too) and give the same characters for them, Python's taken where glibc's tables of cp856,
// mac_cyrillic and macintosh differ. What differs is at the edges: names one of them alone knows
// (Python's mac_roman or l9, iconv's LATIN-9, MS-ANSI or IBM856) and TIS-620's 0x80 to 0x9F,
// controls to Python and no characters to iconv.
#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

// The character each byte stands for; -1 for a byte that is none (where Python's codec gives its
// replacement character).
using CharacterMap = std::array<int, 256>;

// None for a name iconv does not know and for an encoding in which some character takes more than
// one byte, with the reason in *why as a document that declares the encoding is told it.
std::optional<CharacterMap> singleByteCharacters(const QByteArray& name, QString* why);

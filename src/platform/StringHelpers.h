#pragma once
// Small string functions. Lengths and indexes count UTF-16 units (QChar).
#include <QString>
#include <QStringList>

// White space, line ends, control and format characters (BOM, zero-width space, ...) removed
// from both ends; trimming again changes nothing.
QString Trim_Str(const QString& text);
// The same in the text's own memory when no other copy shares it: a long text is not held twice.
QString Trim_Str(QString&& text);
// The part of the text that Trim_Str keeps, in the text's memory.
QStringView Trimmed_Part(QStringView text);
// The same of ASCII text as its bytes.
QByteArrayView Trimmed_Ascii_Part(QByteArrayView ascii);
// Whether every byte is ASCII.
bool Is_Ascii(QByteArrayView bytes);
// The text as a file can keep it: NUL left out, and a surrogate without its other half made
// U+FFFD, so that writing and reading it back gives the same text.
QString Well_Formed_Text(const QString& text);
// The same in the text's own memory when no other copy shares it.
QString Well_Formed_Text(QString&& text);
QString Replace_Char_For_valid(const QString& text);
// The number the text ends with ("sheet12" gives 12); -1 when it ends with no digit.
int Trailing_Number(const QString& text);
// Every literal, case-sensitive occurrence of find replaced; an empty find changes nothing.
QString Replace_char_in_string(const QString& text, const QString& find, const QString& replacement);
// / \ ? % * | " < > stripped from both ends, inner "/" turned into "_", then Trim_Str.
QString Remove_Reserve_Char_In_File_Name(const QString& text);

// The first n characters (n < 0 counts as 0); the whole text when n reaches its length.
QString Left_Str_substringToIndex(const QString& text, int n);
// The last n characters (n < 0 counts as 0); the whole text when n reaches its length.
QString Right_Str_substringFromIndex(const QString& text, int n);
// From index n to the end; empty when n < 0 or n > length.
QString Read_Str_FromIndex(const QString& text, int n);
// The first n characters; empty when n < 0 or n > length.
QString Read_Str_Upto_Index(const QString& text, int n);

// Whether a non-empty part occurs in text.
bool Find_Str(const QString& text, const QString& part);
bool Find_Str_Case_Insensitive(const QString& text, const QString& part);

// Each word's first letter upper case and the rest lower case; a word starts after anything that is
// not a letter or digit ("animals" gives "Animals", "sea life" "Sea Life").
QString capitalizedWords(const QString& text);
// Whether a comes before b as people read names: case-insensitively, digits by their number
// ("pic 2" before "pic 10"); names equal that way fall back to plain order.
bool naturalLess(const QString& a, const QString& b);
// Sorted by naturalLess.
void sortNaturally(QStringList& names);

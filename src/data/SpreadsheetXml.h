#pragma once
// Helpers shared by the workbook reader and writer: element names compared without their prefix
// (workbook parts use default namespaces or any prefix), text of XML parts, part files.
#include <QByteArray>
#include <QString>
#include <pugixml.hpp>

namespace SpreadsheetXml {

constexpr int kMaxColumns = 16384;  // XFD
// How deep below a string its runs are looked for; hostile nesting must not exhaust the stack.
constexpr int kMaxTextDepth = 32;

// The name without its prefix.
const char* localName(const char* qualified);

// What a child element named `local` (without prefix) is to a string's text, below a container
// of runs `depth` levels under the string (the string itself at 0): a run's text ("t"), a
// container one level deeper, or no part of it (phonetic runs, "rPh", and anything below
// kMaxTextDepth).
enum class RunChild { Text, Container, None };
RunChild runChild(int depth, const char* local);

// The 1-based column number of capital letters (A 1, ZZ 702, XFD 16384); -1 for no letters,
// other characters or columns beyond XFD.
template <class Char>
int columnNumber(const Char* letters, qsizetype length)
{
    if (length <= 0)
        return -1;
    int number = 0;
    for (qsizetype i = 0; i < length; ++i) {
        const auto letter = letters[i];
        if (letter < 'A' || letter > 'Z')
            return -1;
        number = number * 26 + int(letter - 'A' + 1);
        if (number > kMaxColumns)
            return -1;
    }
    return number;
}

// Whether the element's name without its prefix is local.
bool isNamed(const pugi::xml_node& node, const char* local);
// The value of the attribute whose name without its prefix is local, or "".
QString attributeNamed(const pugi::xml_node& node, const char* local);
// The first child element so named, or an empty node.
pugi::xml_node child(const pugi::xml_node& node, const char* local);
// All text inside the node, in document order.
QString allText(const pugi::xml_node& node);
// Why a part that declares a document type is refused: no workbook part has one, and the
// entities it may define expand far past the part's own size.
QString documentTypeRefusal(const QString& part);
// Loads an XML part; false (and "Error: ..." logged when logFailure) when it is missing, broken
// or declares a document type.
// Blank-only text is kept where it is an element's whole text (a cell of one space) unless Drop;
// blanks between elements are layout and never kept.
enum class BlankText { Keep, Drop };
bool loadPart(pugi::xml_document& document, const QString& path, bool logFailure, BlankText blanks = BlankText::Keep);
// Writes the document pretty-printed, atomically; beeps and logs "Error when writing file ..." on failure.
bool savePart(const pugi::xml_document& document, const QString& path);
// Starts a document with the standalone UTF-8 declaration.
void declare(pugi::xml_document& document);
// The text without the characters XML 1.0 cannot hold, as UTF-8.
std::string xmlText(const QString& text);

}  // namespace SpreadsheetXml

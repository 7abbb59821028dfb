#include "data/SpreadsheetXml.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cstring>

#include "platform/Log.h"
#include "platform/MessagePresenter.h"
#include "platform/Utf8Text.h"

namespace SpreadsheetXml {

const char* localName(const char* qualified)
{
    const char* colon = std::strrchr(qualified, ':');
    return colon ? colon + 1 : qualified;
}

RunChild runChild(int depth, const char* local)
{
    if (depth > kMaxTextDepth || std::strcmp(local, "rPh") == 0)
        return RunChild::None;
    return std::strcmp(local, "t") == 0 ? RunChild::Text : RunChild::Container;
}

namespace {

void appendAllText(const pugi::xml_node& node, QByteArray& out, int depth = 0)
{
    if (depth > kMaxTextDepth)
        return;
    if (node.type() == pugi::node_element)
        out.append(node.value());
    for (pugi::xml_node item = node.first_child(); item; item = item.next_sibling()) {
        if (item.type() == pugi::node_pcdata || item.type() == pugi::node_cdata)
            out.append(item.value());
        else if (item.type() == pugi::node_element)
            appendAllText(item, out, depth + 1);
    }
}

class SaveFileWriter : public pugi::xml_writer {
public:
    explicit SaveFileWriter(QSaveFile& file) : _file(file) {}
    void write(const void* data, size_t size) override
    {
        if (_file.write(static_cast<const char*>(data), qint64(size)) != qint64(size))
            _file.cancelWriting();
    }

private:
    QSaveFile& _file;
};

bool isXmlCharacter(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
        || (c >= 0x10000 && c <= 0x10FFFF);
}

// Whether the document holds a document type declaration (kept when parsed with parse_doctype).
bool declaresDocumentType(const pugi::xml_document& document)
{
    for (pugi::xml_node item = document.first_child(); item; item = item.next_sibling()) {
        if (item.type() == pugi::node_doctype)
            return true;
    }
    return false;
}

}  // namespace

QString documentTypeRefusal(const QString& part)
{
    return QStringLiteral("The part %1 declares a document type (DOCTYPE), which no workbook part may hold.").arg(part);
}

bool isNamed(const pugi::xml_node& node, const char* local)
{
    return std::strcmp(localName(node.name()), local) == 0;
}

QString attributeNamed(const pugi::xml_node& node, const char* local)
{
    for (pugi::xml_attribute attribute = node.first_attribute(); attribute; attribute = attribute.next_attribute()) {
        if (std::strcmp(localName(attribute.name()), local) == 0)
            return textFromUtf8(attribute.value());
    }
    return {};
}

pugi::xml_node child(const pugi::xml_node& node, const char* local)
{
    for (pugi::xml_node item = node.first_child(); item; item = item.next_sibling()) {
        if (item.type() == pugi::node_element && isNamed(item, local))
            return item;
    }
    return {};
}

QString allText(const pugi::xml_node& node)
{
    QByteArray text;
    appendAllText(node, text);
    return textFromUtf8(text);
}

bool loadPart(pugi::xml_document& document, const QString& path, bool logFailure, BlankText blanks)
{
    // The document type is kept, so that a part declaring one is seen and refused.
    const unsigned options = pugi::parse_default | pugi::parse_embed_pcdata | pugi::parse_doctype
        | (blanks == BlankText::Keep ? pugi::parse_ws_pcdata_single : 0);
    const pugi::xml_parse_result result = document.load_file(QFile::encodeName(path).constData(), options);
    if (result && !declaresDocumentType(document))
        return true;
    if (logFailure) {
        Show_NSLog_Message(result ? QStringLiteral("Error: %1").arg(documentTypeRefusal(path))
                                  : QStringLiteral("Error: %1 (%2)").arg(QString::fromUtf8(result.description()), path));
    }
    document.reset();
    return false;
}

bool savePart(const pugi::xml_document& document, const QString& path)
{
    QSaveFile file(path);
    bool saved = false;
    if (file.open(QIODevice::WriteOnly)) {
        SaveFileWriter writer(file);
        // One element a line without indentation: readable, and a million cells stay compact.
        document.save(writer, "", pugi::format_indent, pugi::encoding_utf8);
        saved = file.commit();
    }
    if (!saved) {
        messagePresenter().beep();
        Show_NSLog_Message(QStringLiteral("Error when writing file %1").arg(path));
    }
    return saved;
}

void declare(pugi::xml_document& document)
{
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    declaration.append_attribute("standalone") = "yes";
}

std::string xmlText(const QString& text)
{
    const bool plain = std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return (c.unicode() >= 0x20 || c == u'\t' || c == u'\n' || c == u'\r') && !c.isSurrogate()
            && c.unicode() < 0xFFFE;
    });
    if (plain) {
        const QByteArray utf8 = text.toUtf8();
        return std::string(utf8.constData(), size_t(utf8.size()));
    }
    std::u32string kept;
    kept.reserve(size_t(text.size()));
    for (char32_t c : text.toUcs4()) {
        if (isXmlCharacter(c))
            kept.push_back(c);
    }
    const QByteArray utf8 = QString::fromUcs4(kept.data(), qsizetype(kept.size())).toUtf8();
    return std::string(utf8.constData(), size_t(utf8.size()));
}

}  // namespace SpreadsheetXml

// Writing XML property lists in one pass over the values, laid out as libplist 2.2 lays them out
// (tab indents, 76-column base64 lines, only "&", "<" and ">" escaped, dates in whole seconds), so
// files keep their bytes; only reals differ, written in the shortest form that reads back exactly.
#include "platform/XmlPropertyList.h"

#include <QDateTime>
#include <QTimeZone>
#include <charconv>

#include "platform/PropertyListWalk.h"

namespace {

class XmlSink {
public:
    XmlSink()
    {
        m_out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                 "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                 "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                 "<plist version=\"1.0\">\n";
    }

    void boolean(bool on) { line(on ? "<true/>" : "<false/>"); }
    void integer(qint64 value) { element("integer", QByteArray::number(value)); }
    void real(double value)
    {
        // The shortest text that reads back as the same double.
        char digits[32];
        const auto written = std::to_chars(digits, digits + sizeof digits, value);
        element("real", QByteArrayView(digits, written.ptr - digits));
    }
    void text(const QString& value) { escapedElement("string", value); }
    void key(const QString& value) { escapedElement("key", value); }
    void data(const QByteArray& value);
    void date(qint32 seconds, qint32)
    {
        const QDateTime when = QDateTime::fromSecsSinceEpoch(PropertyListWalk::kPlistEpochSeconds + seconds, QTimeZone::utc());
        element("date", when.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ")).toLatin1());
    }
    void beginArray(qsizetype count) { open("array", count); }
    void endArray(qsizetype count) { close("array", count); }
    void beginDictionary(qsizetype count) { open("dict", count); }
    void endDictionary(qsizetype count) { close("dict", count); }

    QByteArray finish()
    {
        m_out += "</plist>\n";
        return std::move(m_out);
    }

private:
    void indent() { m_out.append(m_depth, '\t'); }
    void line(QByteArrayView text)
    {
        indent();
        m_out += text;
        m_out += '\n';
    }
    void element(const char* tag, QByteArrayView content)
    {
        indent();
        m_out += '<';
        m_out += tag;
        m_out += '>';
        m_out += content;
        m_out += "</";
        m_out += tag;
        m_out += ">\n";
    }
    void escapedElement(const char* tag, const QString& value);
    // An empty container is one element, "<array/>".
    void open(const char* tag, qsizetype count)
    {
        indent();
        m_out += '<';
        m_out += tag;
        m_out += count == 0 ? "/>\n" : ">\n";
        m_depth += count == 0 ? 0 : 1;
    }
    void close(const char* tag, qsizetype count)
    {
        if (count == 0)
            return;
        --m_depth;
        indent();
        m_out += "</";
        m_out += tag;
        m_out += ">\n";
    }

    QByteArray m_out;
    int m_depth = 0;
};

void XmlSink::escapedElement(const char* tag, const QString& value)
{
    const QByteArray utf8 = value.toUtf8();
    indent();
    m_out += '<';
    m_out += tag;
    m_out += '>';
    qsizetype start = 0;
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c != '&' && c != '<' && c != '>')
            continue;
        m_out += QByteArrayView(utf8).sliced(start, i - start);
        m_out += c == '&' ? "&amp;" : (c == '<' ? "&lt;" : "&gt;");
        start = i + 1;
    }
    m_out += QByteArrayView(utf8).sliced(start);
    m_out += "</";
    m_out += tag;
    m_out += ">\n";
}

// Base64 in lines that stay within 76 columns with tabs counted as 8; deeper than eight levels
// the lines keep the indent of the eighth.
void XmlSink::data(const QByteArray& value)
{
    line("<data>");
    const int indent = std::min(m_depth, 8);
    const qsizetype bytesPerLine = (76 - indent * 8) / 4 * 3;
    for (qsizetype at = 0; at < value.size(); at += bytesPerLine) {
        m_out.append(indent, '\t');
        m_out += value.mid(at, bytesPerLine).toBase64();
        m_out += '\n';
    }
    line("</data>");
}

}  // namespace

QByteArray xmlPropertyListData(const QVariant& value, QString* error)
{
    XmlSink sink;
    if (!PropertyListWalk::walk(value, sink, error))
        return {};
    return sink.finish();
}

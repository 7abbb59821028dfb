#include <QStringEncoder>
#include <QTemporaryDir>
#include <algorithm>
#include <mutex>
#include <gtest/gtest.h>

#include "data/XmlPieceReader.h"
#include "support/TestEnvironment.h"

namespace {

using Step = XmlPieceReader::Step;
using Result = XmlPieceReader::Result;

// Writes down what a read hands over: "<name", "text|", ">" and "taken" in order.
class RecordingBuilder : public XmlPieceReader::Builder {
public:
    QStringList events;
    int takenBeforeStop = -1;  // the taken elements accepted before the read is stopped
    bool start(const char* name, const char**) override
    {
        events << QStringLiteral("<") + QString::fromUtf8(name);
        return std::strcmp(name, "skiptext") != 0;
    }
    void text(std::string& text) override { events << QString::fromStdString(text) + QStringLiteral("|"); }
    void end() override { events << QStringLiteral(">"); }
    bool taken() override
    {
        events << QStringLiteral("taken");
        return takenBeforeStop < 0 || takenBeforeStop-- > 0;
    }
};

Result readWith(const QByteArray& xml, RecordingBuilder& builder, SpreadsheetXml::BlankText blanks, bool takeRoot = false)
{
    QTemporaryDir work;
    QFile file(work.filePath("part.xml"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(xml);
    file.close();
    const auto decide = [takeRoot](const XmlPieceReader::Path& entered, std::string_view name) {
        if (entered.empty())
            return takeRoot ? Step::Take : Step::Enter;
        return name == "item" ? Step::Take : Step::Skip;
    };
    return XmlPieceReader::read(file.fileName(), blanks, decide, builder);
}

}  // namespace

// A builder gets each taken element's events; blanks between elements never come, a blank that
// is an element's one text does when blanks are kept, and text it does not want never comes.
TEST(XmlPieceReaderBuilder, TakenElementsComeAsEventsWithOnlyTheTextWanted)
{
    const QByteArray xml = "<root><other>x</other>\n<item a=\"1\">\n <v>one<b/>two</v> <e> </e>"
                           "<skiptext>gone<in>kept</in></skiptext></item><item/></root>";
    RecordingBuilder kept;
    EXPECT_EQ(readWith(xml, kept, SpreadsheetXml::BlankText::Keep), Result::Read);
    EXPECT_EQ(kept.events, (QStringList{"<item", "<v", "one|", "<b", ">", "two|", ">", "<e", " |", ">", "<skiptext", "<in",
                                        "kept|", ">", ">", ">", "taken", "<item", ">", "taken"}));

    RecordingBuilder dropped;
    dropped.takenBeforeStop = 0;
    EXPECT_EQ(readWith(xml, dropped, SpreadsheetXml::BlankText::Drop), Result::Stopped);
    EXPECT_EQ(dropped.events.mid(7, 2), (QStringList{"<e", ">"}));
    EXPECT_EQ(dropped.events.last(), "taken");
    EXPECT_EQ(dropped.events.count("taken"), 1);

    // The same bounds as for documents: an element past the longest piece refuses the part.
    RecordingBuilder large;
    EXPECT_EQ(readWith("<root><item>" + QByteArray(2 * XmlPieceReader::kMaxPieceBytes, 'x') + "</item></root>", large,
                       SpreadsheetXml::BlankText::Keep),
              Result::TooLarge);
    EXPECT_EQ(large.events.count("taken"), 0);
}

// However deep a taken element nests, each element gets the text it wants that follows its children.
TEST(XmlPieceReaderBuilder, DeeplyNestedElementsKeepTheirWishForText)
{
    constexpr int kDepth = 40;
    const auto nameAt = [](int depth) { return QByteArray(depth % 2 ? "skiptext" : "a"); };
    QByteArray xml = "<root><item>";
    QStringList expected{"<item"};
    for (int i = 0; i < kDepth; ++i) {
        xml += "<" + nameAt(i) + ">";
        expected << "<" + QString::fromUtf8(nameAt(i));
    }
    xml += "core";
    for (int i = kDepth - 1; i >= 0; --i) {
        xml += "</" + nameAt(i) + ">after " + QByteArray::number(i);
        expected << ">";
        if (i == 0 || nameAt(i - 1) == "a")
            expected << QStringLiteral("after %1|").arg(i);
    }
    xml += "</item></root>";
    expected << ">" << "taken";
    RecordingBuilder builder;
    EXPECT_EQ(readWith(xml, builder, SpreadsheetXml::BlankText::Keep), Result::Read);
    EXPECT_EQ(builder.events, expected);
}

// A taken element's one text is kept even when blank, if blanks are, and a taken root is read
// whole; the bound on a piece counts from the parser's last event, so end tags each under it that
// run past it together pass.
TEST(XmlPieceReaderBuilder, ABlankTakenElementATakenRootAndLongEndTagsOutsideAreRead)
{
    RecordingBuilder kept, dropped;
    EXPECT_EQ(readWith("<root><item> </item></root>", kept, SpreadsheetXml::BlankText::Keep), Result::Read);
    EXPECT_EQ(kept.events, (QStringList{"<item", " |", ">", "taken"}));
    EXPECT_EQ(readWith("<root><item> </item></root>", dropped, SpreadsheetXml::BlankText::Drop), Result::Read);
    EXPECT_EQ(dropped.events, (QStringList{"<item", ">", "taken"}));

    QByteArray starts, ends;
    for (char letter = 'a'; letter < 'f'; ++letter) {
        const QByteArray name(XmlPieceReader::kMaxPieceBytes / 4, letter);
        starts += "<" + name + ">";
        ends.prepend("</" + name + ">");
    }
    // A taken root is the whole read.
    RecordingBuilder root;
    EXPECT_EQ(readWith("<root>r</root>", root, SpreadsheetXml::BlankText::Keep, true), Result::Read);
    EXPECT_EQ(root.events, (QStringList{"<root", "r|", ">", "taken"}));

    RecordingBuilder outside;
    EXPECT_EQ(readWith("<root><other>" + starts + "t" + ends + "</other><item/></root>", outside, SpreadsheetXml::BlankText::Keep),
              Result::Read);
    EXPECT_EQ(outside.events, (QStringList{"<item", ">", "taken"}));
}

namespace {

// Items from `first` on, each with its own text.
QByteArray items(int first, int count)
{
    QByteArray xml;
    for (int i = first; i < first + count; ++i)
        xml += "<x:item n=\"" + QByteArray::number(i) + "\">text " + QByteArray::number(i) + "</x:item>\n";
    return xml;
}

struct PiecesCase {
    const char* what;
    QByteArray middle;  // of the list, between 50 items and 50 more
    int kept;
    Result result;
    int firstStopsAfter = -1;
    int secondStopsAfter = -1;
    bool uncertain = false;
    bool cutShort = false;
    QByteArray encoding = "UTF-8";  // declared, and every text's "e" written in it as "é"
};

}  // namespace

// A part read in two pieces gives the events a read in one gives, whatever lies where the second
// would begin: that piece is kept only when the first reaches its start as a taken element's, and
// the caller is told once of one that is not. A first piece its builder stopped reads on to learn
// whether the second counted towards the stop.
TEST(XmlPieceReaderBuilder, APartReadInPiecesIsThePartReadWhole)
{
    const PiecesCase cases[] = {
        {"items", items(50, 300), 2, Result::Read},
        {"a comment", "<!--" + items(50, 300) + "-->", 1, Result::Read},
        {"a CDATA section", "<x:item><![CDATA[" + items(50, 300) + "]]></x:item>", 1, Result::Read},
        {"an element passed over", "<x:other>" + items(50, 300) + "</x:other>", 1, Result::Read},
        {"a taken element", "<x:item>" + items(50, 300) + "</x:item>", 1, Result::Read},
        {"a part cut short", items(50, 300), 2, Result::Broken, -1, -1, false, true},
        {"a second piece stopped", items(50, 300), 2, Result::Stopped, -1, 3},
        {"a first piece stopped before the second", items(50, 300), 1, Result::Stopped, 3},
        {"a first piece stopped before a comment", "<!--" + items(50, 300) + "-->", 1, Result::Stopped, 3, -1, true},
        {"a first piece stopped past a comment", "<!--" + items(50, 300) + "-->", 1, Result::Stopped, 80},
        {"a part in Latin-1", items(50, 300), 2, Result::Read, -1, -1, false, false, "ISO-8859-1"},
    };
    const auto decide = [](const XmlPieceReader::Path& entered, std::string_view name) {
        if (entered.size() < 2)
            return entered.empty() || name == "list" ? Step::Enter : Step::Skip;
        return entered.size() == 2 && name == "item" ? Step::Take : Step::Skip;
    };
    QTemporaryDir work;
    const QString path = work.filePath("part.xml");
    for (const PiecesCase& c : cases) {
        QByteArray xml = "<?xml version=\"1.0\" encoding=\"" + c.encoding
                         + "\"?>\n<x:root xmlns:x=\"u\"><x:head><x:item/></x:head><x:list>" + items(0, 50) + c.middle
                         + items(350, 50) + "</x:list></x:root>";
        QStringEncoder encoder(c.encoding.constData());
        xml.replace("text", QByteArray(encoder.encode(QStringLiteral("t\u00e9xt"))));
        if (c.cutShort)
            xml.chop(20);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(xml);
        file.close();

        RecordingBuilder whole, first, second;
        first.takenBeforeStop = c.firstStopsAfter;
        second.takenBeforeStop = c.secondStopsAfter;
        std::vector<int> ended, dropped;
        std::mutex endedLock;
        const XmlPieceReader::PiecesResult read = XmlPieceReader::readInPieces(
            path, SpreadsheetXml::BlankText::Keep, decide, "item", {&first, &second}, 1024,
            [&](int piece, Result) {
                const std::lock_guard lock(endedLock);
                ended.push_back(piece);
            },
            [&](int piece) {
                const std::lock_guard lock(endedLock);
                dropped.push_back(piece);
            });
        EXPECT_EQ(read.kept, c.kept) << c.what;
        EXPECT_EQ(read.result, c.result) << c.what;
        EXPECT_EQ(read.uncertain, c.uncertain) << c.what;
        // Every piece begun has ended once.
        std::sort(ended.begin(), ended.end());
        EXPECT_EQ(ended, (std::vector<int>{0, 1})) << c.what;
        EXPECT_EQ(dropped, c.kept == 2 ? std::vector<int>{} : std::vector<int>{1}) << c.what;
        if (c.firstStopsAfter >= 0 || c.secondStopsAfter >= 0)
            continue;
        EXPECT_EQ(XmlPieceReader::read(path, SpreadsheetXml::BlankText::Keep, decide, whole), c.result) << c.what;
        EXPECT_EQ(c.kept == 2 ? first.events + second.events : first.events, whole.events) << c.what;
    }
}

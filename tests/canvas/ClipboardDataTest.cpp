// Clipboard data of element lists: its form as read by another property-list reader, refusal of
// malformed data, and the fix-ups of pasted elements in the work modes.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "canvas/model/SKTError.h"
#include "canvas/model/SKTGraphicKinds.h"
#include "mainwindow/MainWindowGlobals.h"
#include "platform/PropertyList.h"
#include "support/TestEnvironment.h"

namespace {

GraphicList threeElements()
{
    GraphicList graphics = {SKTGraphic::create(GraphicKind::Text),
                            SKTGraphic::create(GraphicKind::Shape),
                            SKTGraphic::create(GraphicKind::Line)};
    graphics[0]->Text_Value = "first";
    return graphics;
}

// What Python's plistlib finds in the data: the root's type, item count and whether all are bytes.
QString describedByPlistlib(const QByteArray& data)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("clip.plist");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        return "write failed";
    file.close();
    const auto result = TestEnvironment::runPython(
        "import plistlib, sys\n"
        "root = plistlib.load(open(sys.argv[1], 'rb'), fmt=plistlib.FMT_BINARY)\n"
        "print(type(root).__name__, len(root), all(isinstance(x, bytes) for x in root))\n",
        {path});
    return QString::fromUtf8(result.out).trimmed() + QString::fromUtf8(result.err);
}

class PasteFixUps : public ::testing::Test {
protected:
    void TearDown() override { Start_Card_Option = savedMode_; }
    GraphicList pasted(const GraphicList& copied)
    {
        return SKTGraphic::graphicsWithProperties(SKTGraphic::propertiesWithGraphics(copied));
    }

private:
    QString savedMode_ = Start_Card_Option;
};

}  // namespace

TEST(ClipboardData, IsABinaryPlistArrayOfArchives)
{
    const QByteArray data = SKTGraphic::pasteboardDataWithGraphics(threeElements());
    EXPECT_TRUE(data.startsWith("bplist00"));
    EXPECT_EQ(describedByPlistlib(data), "list 3 True");

    std::optional<SKTError> error;
    const GraphicList back = SKTGraphic::graphicsWithPasteboardData(data, &error);
    EXPECT_FALSE(error.has_value());
    ASSERT_EQ(back.size(), 3);
    EXPECT_EQ(back[0]->kind(), GraphicKind::Text);
    EXPECT_EQ(back[0]->Text_Value, "first");
    EXPECT_EQ(back[1]->kind(), GraphicKind::Shape);
    EXPECT_EQ(back[2]->kind(), GraphicKind::Line);
}

TEST(ClipboardData, EmptyListIsAValidEmptyArray)
{
    const QByteArray data = SKTGraphic::pasteboardDataWithGraphics({});
    EXPECT_EQ(describedByPlistlib(data), "list 0 True");
    std::optional<SKTError> error;
    EXPECT_TRUE(SKTGraphic::graphicsWithPasteboardData(data, &error).isEmpty());
    EXPECT_FALSE(error.has_value());
}

TEST(ClipboardData, UnreadableDataGivesErrorTwo)
{
    const QByteArray valid = SKTGraphic::pasteboardDataWithGraphics(threeElements());
    const QList<QByteArray> unreadable = {
        QByteArray(),
        QByteArray("garbage that is no property list"),
        valid.left(valid.size() / 2),
        PropertyList::toData(QVariantMap{{"graphics", QVariantList{}}}, PropertyList::Format::Binary),
    };
    for (const QByteArray& data : unreadable) {
        std::optional<SKTError> error;
        EXPECT_TRUE(SKTGraphic::graphicsWithPasteboardData(data, &error).isEmpty());
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->code, 2);
        EXPECT_EQ(error->domain, "ZOVACardErrorDomain");
    }
    EXPECT_TRUE(SKTGraphic::graphicsWithPasteboardData("junk", nullptr).isEmpty());
}

TEST(ClipboardData, ItemsThatDoNotDecodeAreSkipped)
{
    QVariantList items = SKTGraphic::propertiesWithGraphics(threeElements());
    items.insert(1, QStringLiteral("not data"));
    items.insert(0, QByteArray("not an archive"));
    EXPECT_EQ(SKTGraphic::graphicsWithProperties(items).size(), 3);
}

TEST_F(PasteFixUps, IdentifierClearedAndUnlocked)
{
    Start_Card_Option = "T";
    GraphicPtr text = SKTGraphic::create(GraphicKind::Text);
    text->control_ID = "Fup_Name";
    text->ctrl_is_locked = true;
    const GraphicList back = pasted({text});
    ASSERT_EQ(back.size(), 1);
    EXPECT_TRUE(back[0]->control_ID.isEmpty());
    EXPECT_FALSE(back[0]->ctrl_is_locked);
}

TEST_F(PasteFixUps, PictureReloadsFromItsFile)
{
    Start_Card_Option = "T";
    QTemporaryDir dir;
    const QString path = dir.filePath("photo.png");
    QImage onDisk(8, 8, QImage::Format_RGB32);
    onDisk.fill(Qt::cyan);
    ASSERT_TRUE(onDisk.save(path));

    GraphicPtr image = SKTGraphic::create(GraphicKind::Image);
    image->_file_path = path;
    image->Text_Value = "kept";
    image->_contents = QImage(2, 2, QImage::Format_RGB32);
    const GraphicList back = pasted({image});
    ASSERT_EQ(back.size(), 1);
    EXPECT_EQ(back[0]->_contents.size(), QSize(8, 8));
    EXPECT_EQ(back[0]->_contents_with_settings.size(), QSize(8, 8));
    EXPECT_EQ(back[0]->Text_Value, "kept");
    EXPECT_TRUE(back[0]->control_ID.isEmpty());
}

TEST_F(PasteFixUps, VisitorModeGivesPicturesAFreshIdentifier)
{
    Start_Card_Option = "V";
    GraphicPtr image = SKTGraphic::create(GraphicKind::Image);
    image->control_ID = "F_Pic1";
    GraphicPtr text = SKTGraphic::create(GraphicKind::Text);
    text->control_ID = "Fup_Name";
    const GraphicList back = pasted({image, image, text});
    ASSERT_EQ(back.size(), 3);
    EXPECT_TRUE(back[0]->control_ID.startsWith("F_Pic"));
    EXPECT_TRUE(back[1]->control_ID.startsWith("F_Pic"));
    EXPECT_NE(back[0]->control_ID, back[1]->control_ID);
    EXPECT_TRUE(back[2]->control_ID.isEmpty());
}

TEST_F(PasteFixUps, GroupModeUnbindsSpreadsheetTextAndPicturesOnly)
{
    Start_Card_Option = "G";
    GraphicList copied;
    for (GraphicKind kind : {GraphicKind::Text, GraphicKind::Image, GraphicKind::Barcode}) {
        GraphicPtr g = SKTGraphic::create(kind);
        g->Set_Data_source_type(2);
        g->excel_col_indx = 4;
        copied.append(g);
    }
    GraphicPtr series = SKTGraphic::create(GraphicKind::Text);
    series->Set_Data_source_type(1);
    series->batch_list_name = "Names";
    copied.append(series);

    const GraphicList back = pasted(copied);
    ASSERT_EQ(back.size(), 4);
    for (int i : {0, 1}) {
        EXPECT_EQ(back[i]->data_source_type, 0);
        EXPECT_FALSE(back[i]->excel_binding);
        EXPECT_EQ(back[i]->excel_col_indx, -1);
        EXPECT_EQ(back[i]->batch_list_index, -1);
    }
    EXPECT_TRUE(back[1]->control_ID.startsWith("F_Pic"));
    EXPECT_EQ(back[2]->data_source_type, 2);
    EXPECT_TRUE(back[2]->excel_binding);
    EXPECT_EQ(back[2]->excel_col_indx, 4);
    EXPECT_EQ(back[3]->data_source_type, 1);
    EXPECT_EQ(back[3]->batch_list_name, "Names");
}

// The document's element lists and their undo, its title and data; the card settings record.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "canvas/model/Card_Property.h"
#include "canvas/model/SKTDocument.h"
#include "mainwindow/MainWindowGlobals.h"
#include "platform/KeyedArchive.h"
#include "support/TestEnvironment.h"

namespace {

GraphicPtr shapeAt(const QRectF& bounds)
{
    GraphicPtr shape = SKTGraphic::create(GraphicKind::Shape);
    shape->setBounds(bounds);
    return shape;
}

// A document, optionally with one front element inserted in an earlier, closed undo group.
struct Doc {
    explicit Doc(bool withElement = true)
    {
        if (withElement)
            document.insertGraphic(shape, 0), undo.checkpoint();
    }
    void closeGroupAndUndo() { undo.checkpoint(), undo.undo(); }
    SKTDocument document;
    UndoManager& undo = document.undoManager();
    GraphicPtr shape = shapeAt(QRectF(10, 10, 50, 50));
};

// Every field away from its default, so a field the archive forgets shows up.
Card_Property changedInEveryField()
{
    QImage picture(4, 3, QImage::Format_ARGB32);
    picture.fill(QColor(10, 200, 30, 255));
    Card_Property p;
    p.setCard_border_chk(true), p.setCard_fill_chk(true), p.setCard_bordr_clr(QColor(255, 0, 0));
    p.setCard_fill_clr(QColor(0, 255, 0, 128)), p.setCard_fill_Grd_1_clr(QColor(0, 0, 255));
    p.setCard_fill_Grd_2_clr(QColor(255, 255, 0)), p.setCard_hatch_bk_clr(QColor(0, 255, 255));
    p.setCard_bor_Stepper(3), p.setCard_grad_Stepper(45), p.setCard_Cat_index(2), p.setCard_alpha_Stepper(0.25f);
    p.setCard_border_style("DA"), p.setCard_fill_style("I"), p.setCard_hatch_style("Cross"), p.setCard_Side("1");
    p.setCard_Side_Name("B"), p.setCard_Shape("RR"), p.setCard_Name("Staff card"), p.setCard_Preset("Vertical");
    p.setCard_Category("Paper Card"), p.setCard_Sub_Category("CR79"), p.setCard_Create_Mode("T");
    p.setCard_BG_Image_Path("/tmp/bg.png"), p.setCard_BG_Image_Layout("Tile"), p.setCard_BG_Image(picture);
    p.setCard_Location(QPointF(1.5, -2.25)), p.setCard_Size(QSizeF(242.65, 153.1));
    p.setCard_Content_clr(QColor(12, 34, 56)), p.setCard_Content_font(CardFont{"DejaVu Serif", 9.5});
    p.setWatermark_Used(true), p.setWatermark_Text("VOID"), p.setWatermark_Color(QColor(200, 100, 50, 60));
    p.setWatermark_Font(CardFont{"DejaVu Sans Mono", 30}), p.setWatermark_Alignment(2), p.setWatermark_Transp(0.5f);
    return p;
}

}  // namespace

TEST(SKTDocument, InsertionAndRemovalAreUndoableAndBadIndexesChangeNothing)
{
    Doc f(false);
    EXPECT_TRUE(f.document.graphics().isEmpty() && f.document.graphics_back().isEmpty() && f.document.graphics_temp().isEmpty());
    f.document.insertGraphic(f.shape, 3);
    f.document.removeGraphicAtIndex(0);
    f.document.insertGraphics({f.shape}, {0, 1});
    EXPECT_TRUE(f.document.graphics().isEmpty());
    EXPECT_FALSE(f.undo.canUndo());

    const GraphicPtr a = f.shape, b = SKTGraphic::create(GraphicKind::Text), c = SKTGraphic::create(GraphicKind::Line);
    f.document.insertGraphics({a, b, c}, {0, 1, 2});
    EXPECT_EQ(b->_scriptingContainer, &f.document);
    f.closeGroupAndUndo();
    EXPECT_TRUE(f.document.graphics().isEmpty());
    EXPECT_EQ(b->_scriptingContainer, nullptr);
    f.undo.redo();
    EXPECT_EQ(f.document.graphics(), (GraphicList{a, b, c}));
    f.document.removeGraphicAtIndex(1);
    EXPECT_EQ(f.document.graphics(), (GraphicList{a, c}));
    f.closeGroupAndUndo();
    EXPECT_EQ(f.document.graphics(), (GraphicList{a, b, c}));
    EXPECT_EQ(b->_scriptingContainer, &f.document);
}

TEST(SKTDocumentPropertyUndo, OneGroupRestoresTheValueBeforeItsFirstChangeAndTheSameValueRecordsNothing)
{
    Doc f;
    for (int at : {20, 30, 40})
        f.shape->setBounds(QRectF(at, at, 50, 50));
    f.closeGroupAndUndo();
    EXPECT_EQ(f.shape->bounds(), QRectF(10, 10, 50, 50));
    EXPECT_EQ(f.document.graphics().size(), 1);  // the insertion is a group of its own
    f.undo.checkpoint();
    f.undo.redo();
    EXPECT_EQ(f.shape->bounds(), QRectF(40, 40, 50, 50));
    f.shape->setBounds(f.shape->bounds());
    f.closeGroupAndUndo();
    EXPECT_EQ(f.shape->bounds(), QRectF(10, 10, 50, 50));
    f.undo.undo();
    EXPECT_TRUE(f.document.graphics().isEmpty());
}

TEST(SKTDocumentPropertyUndo, ChangesInTheInsertionsGroupAreNotRecordedButAfterUnregisteredInsertionTheyAre)
{
    Doc f(false);
    f.document.insertGraphic(f.shape, 0);
    f.shape->setBounds(QRectF(0, 0, 5, 5));
    f.closeGroupAndUndo();
    EXPECT_TRUE(f.document.graphics().isEmpty());
    EXPECT_FALSE(f.undo.canUndo());

    f.document.Enable_Disable_Undo_Registraion(false);
    f.document.insertGraphic(f.shape, 0);
    f.document.Enable_Disable_Undo_Registraion(true);
    EXPECT_FALSE(f.undo.canUndo());
    f.shape->setBounds(QRectF(10, 10, 50, 50));
    f.closeGroupAndUndo();
    EXPECT_EQ(f.shape->bounds(), QRectF(0, 0, 5, 5));
    EXPECT_EQ(f.document.graphics(), GraphicList{f.shape});
}

TEST(SKTDocumentPropertyUndo, ChangeMadeRightAfterAnUndoIsItsOwnGroup)
{
    Doc f;
    f.shape->setBounds(QRectF(20, 20, 50, 50));
    f.closeGroupAndUndo();
    f.shape->setBounds(QRectF(70, 70, 50, 50));  // no checkpoint between the undo and this change
    f.closeGroupAndUndo();
    EXPECT_EQ(f.shape->bounds(), QRectF(10, 10, 50, 50));
    EXPECT_EQ(f.document.graphics().size(), 1);
}

TEST(SKTDocumentPropertyUndo, ElementsOutliveTheirDocumentSafely)
{
    const GraphicPtr shape = Doc().shape;
    shape->setBounds(QRectF(1, 2, 3, 4));  // must not reach the destroyed document
    EXPECT_EQ(shape->_scriptingContainer, nullptr);
}

TEST(SKTDocument, TitleCanvasSizeAndOnlyOneWindowController)
{
    const QString savedProject = Project_File_Name;
    SKTDocument document;
    Card_Property front;
    front.setCard_Name("Staff");
    document.setFrontCardProperty(&front);
    Project_File_Name.clear();
    EXPECT_EQ(document.displayName(), "ZOVA ID Card ( Staff )");
    QTemporaryDir dir;
    Project_File_Name = dir.filePath("design.zvp");
    EXPECT_EQ(document.displayName(), "ZOVA ID Card ( Staff )");  // not on disk yet
    ASSERT_TRUE(QFile(Project_File_Name).open(QIODevice::WriteOnly));
    EXPECT_EQ(document.displayName(), "ZOVA ID Card ( Staff - design.zvp )");
    Project_File_Name = savedProject;

    EXPECT_EQ(SKTDocument::canvasSize(true, QSizeF(10, 20)), QSizeF(243, 154));
    EXPECT_EQ(SKTDocument::canvasSize(false, QSizeF(242.65, 153.1)), QSizeF(242.65, 153.1));

    int made = 0;
    SKTDocument::setWindowControllerFactory([&](SKTDocument&) { ++made; });
    SKTDocument second;
    document.makeWindowControllers();
    document.makeWindowControllers();
    second.makeWindowControllers();
    SKTDocument::setWindowControllerFactory(nullptr);
    EXPECT_EQ(made, 1);
}

TEST(SKTDocument, DocumentTypesAreBinaryPlistsReadByPlistlibAndOtherTypesGiveNothing)
{
    SKTDocument document;
    document.insertGraphics({shapeAt(QRectF(1, 2, 3, 4)), SKTGraphic::create(GraphicKind::Text)}, {0, 1});
    for (const QString& type : {SKTDocumentOldTypeName, SKTDocumentNewTypeName}) {
        QString error;
        const QByteArray data = document.dataOfType(type, &error);
        EXPECT_TRUE(data.startsWith("bplist00")) << error.toStdString();
        const auto result = TestEnvironment::runPython(
            "import plistlib, sys\nd = plistlib.loads(bytes.fromhex(sys.argv[1]))\n"
            "print(d['version'], type(d['graphics']).__name__, len(d['graphics']), sorted(d))\n",
            {QString::fromLatin1(data.toHex())});
        EXPECT_EQ(result.out.trimmed(), QByteArray("2 list 2 ['graphics', 'version']")) << result.err.toStdString();
    }
    for (const QString type : {"com.adobe.pdf", "public.tiff", "public.jpeg"}) {
        QString error;
        EXPECT_TRUE(document.dataOfType(type, &error).isEmpty());
        EXPECT_FALSE(error.isEmpty()) << type.toStdString();
    }
    EXPECT_FALSE(document.readFromData(QByteArray("bplist00"), SKTDocumentOldTypeName));
}

TEST(CardProperty, NewRecordHasTheCardDefaults)
{
    const Card_Property p;
    EXPECT_EQ((QStringList{p.Card_border_style(), p.Card_fill_style(), p.Card_hatch_style(), p.Card_Side(),
                           p.Card_Side_Name(), p.Card_Shape(), p.Card_Name(), p.Card_Preset(), p.Card_Category(),
                           p.Card_Sub_Category(), p.Card_Create_Mode(), p.Card_BG_Image_Layout(), p.Watermark_Text()}),
              (QStringList{"S", "S", "", "2", "F", "R", "Untitled", "Horizontal", "PVC Card", "CR80-Credit Card Size",
                           "W", "Stretch", "Watermark"}));
    EXPECT_EQ((QList<QColor>{p.Card_bordr_clr(), p.Card_fill_clr(), p.Card_hatch_bk_clr()}),
              (QList<QColor>{Qt::black, Qt::white, Qt::white}));
    EXPECT_EQ(std::tuple(p.Card_border_chk(), p.Card_fill_chk(), p.Card_bor_Stepper(), p.Card_grad_Stepper(),
                         p.Card_alpha_Stepper(), p.Watermark_Alignment(), p.Watermark_Transp()),
              std::tuple(false, false, 1, 0, 100.0f, 0, 1.0f));
    EXPECT_EQ(std::tuple(p.Card_BG_Image().isNull(), p.Card_Location(), p.Card_Size()), std::tuple(true, QPointF(), QSizeF(0, 0)));
    EXPECT_EQ(p.Card_Content_font(), (CardFont{Text_Ctrl_Font, 12.0}));
    EXPECT_EQ(p.Watermark_Font(), p.Card_Content_font());
}

TEST(CardProperty, ArchiveKeepsEveryFieldAndReadsMissingKeysAsEmpty)
{
    const Card_Property source = changedInEveryField();
    ASSERT_NE(source, Card_Property());
    EXPECT_EQ(Card_Property::fromArchivedData(source.archivedData()), source);
    EXPECT_EQ(Card_Property::fromArchivedData(Card_Property().archivedData()), Card_Property());

    KeyedArchiver archiver;
    archiver.encodeString("Card_Side_Name", "B");
    const Card_Property p = Card_Property::fromArchivedData(archiver.finish());
    EXPECT_EQ(std::tuple(p.Card_Side_Name(), p.Card_Name(), p.Card_bor_Stepper(), p.Card_alpha_Stepper(),
                         p.Card_bordr_clr().isValid(), p.Card_Content_font().isNull()),
              std::tuple(QString("B"), QString(), 0, 0.0f, false, true));
    EXPECT_EQ(Card_Property::fromArchivedData("not an archive"), Card_Property::fromArchivedData(KeyedArchiver().finish()));

    Card_Property copy = source;
    copy.setCard_Name("Other");
    copy.setCard_Content_font(CardFont{"Other", 7});
    QImage picture = copy.Card_BG_Image();
    picture.fill(Qt::black);
    copy.setCard_BG_Image(picture);
    EXPECT_EQ(std::tuple(source.Card_Name(), source.Card_Content_font().name, source.Card_BG_Image().pixelColor(0, 0)),
              std::tuple(QString("Staff card"), QString("DejaVu Serif"), QColor(10, 200, 30)));
}

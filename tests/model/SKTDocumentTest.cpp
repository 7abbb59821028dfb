// The document's element list, its undo and data; the card settings record.
#include <gtest/gtest.h>

#include "model/Card_Property.h"
#include "model/SKTDocument.h"
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
    p.setCard_Content_clr(QColor(12, 34, 56)), p.setCard_Content_font(CardFont{"DejaVu Serif", 9.5, "Italic"});
    p.setWatermark_Used(true), p.setWatermark_Text("VOID"), p.setWatermark_Color(QColor(200, 100, 50, 60));
    p.setWatermark_Font(CardFont{"DejaVu Sans Mono", 30, "Bold"}), p.setWatermark_Alignment(2), p.setWatermark_Transp(0.5f);
    return p;
}

}  // namespace

TEST(SKTDocument, InsertionAndRemovalAreUndoableBadIndexesChangeNothingAndElementsSafelyOutliveTheDocument)
{
    Doc f(false);
    f.document.insertGraphic(f.shape, 3);
    f.document.removeGraphicAtIndex(0);
    f.document.insertGraphics({f.shape}, {0, 1});
    EXPECT_EQ(std::tuple(f.document.graphics().isEmpty(), f.undo.canUndo()), std::tuple(true, false));

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

    const GraphicPtr orphan = Doc().shape;
    orphan->setBounds(QRectF(1, 2, 3, 4));  // must not reach the destroyed document
    EXPECT_EQ(orphan->_scriptingContainer, nullptr);
}

TEST(SKTDocumentPropertyUndo, OneGroupRestoresTheValueBeforeItsFirstChangeAndAChangeRightAfterAnUndoIsItsOwnGroup)
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
    f.shape->setBounds(f.shape->bounds());  // the same value records nothing
    f.closeGroupAndUndo();
    EXPECT_EQ(f.shape->bounds(), QRectF(10, 10, 50, 50));
    f.shape->setBounds(QRectF(70, 70, 50, 50));  // no checkpoint between the undo and this change
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
    EXPECT_EQ(std::tuple(f.document.graphics().isEmpty(), f.undo.canUndo()), std::tuple(true, false));

    f.document.Enable_Disable_Undo_Registraion(false);
    f.document.insertGraphic(f.shape, 0);
    f.document.Enable_Disable_Undo_Registraion(true);
    EXPECT_FALSE(f.undo.canUndo());
    f.shape->setBounds(QRectF(10, 10, 50, 50));
    f.closeGroupAndUndo();
    EXPECT_EQ(f.shape->bounds(), QRectF(0, 0, 5, 5));
    EXPECT_EQ(f.document.graphics(), GraphicList{f.shape});
}

TEST(SKTDocument, DocumentTypesAreBinaryPlistsReadByPlistlibAndOtherTypesGiveNothing)
{
    SKTDocument document;
    document.insertGraphics({shapeAt(QRectF(1, 2, 3, 4)), SKTGraphic::create(GraphicKind::Text)}, {0, 1});
    QString error;
    for (const QString& type : {SKTDocumentOldTypeName, SKTDocumentNewTypeName}) {
        const QByteArray data = document.dataOfType(type, &error);
        EXPECT_TRUE(data.startsWith("bplist00")) << error.toStdString();
        const auto result = TestEnvironment::runPython(
            "import plistlib, sys\nd = plistlib.loads(bytes.fromhex(sys.argv[1]))\n"
            "print(d['version'], type(d['graphics']).__name__, len(d['graphics']), sorted(d))\n",
            {QString::fromLatin1(data.toHex())});
        EXPECT_EQ(result.out.trimmed(), QByteArray("2 list 2 ['graphics', 'version']")) << result.err.toStdString();
    }
    error.clear();
    EXPECT_TRUE(document.dataOfType("public.jpeg", &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(document.readFromData(QByteArray("bplist00"), SKTDocumentOldTypeName));
}

TEST(CardProperty, ArchiveKeepsEveryFieldAndReadsMissingKeysAsEmptyNotAsTheDefaults)
{
    const Card_Property defaults;
    const Card_Property source = changedInEveryField();
    ASSERT_NE(source, defaults);
    EXPECT_EQ(Card_Property::fromArchivedData(source.archivedData()), source);

    KeyedArchiver archiver;
    archiver.encodeString("Card_Side_Name", "B");
    const Card_Property p = Card_Property::fromArchivedData(archiver.finish());
    EXPECT_EQ(std::tuple(p.Card_Side_Name(), p.Card_Name(), p.Card_bor_Stepper(), p.Card_alpha_Stepper(),
                         p.Card_bordr_clr().isValid(), p.Card_Content_font().isNull()),
              std::tuple(QString("B"), QString(), 0, 0.0f, false, true));
    EXPECT_EQ(Card_Property::fromArchivedData("not an archive"), Card_Property::fromArchivedData(KeyedArchiver().finish()));
}

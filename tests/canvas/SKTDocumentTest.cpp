#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "canvas/model/Card_Property.h"
#include "canvas/model/SKTDocument.h"
#include "mainwindow/MainWindowGlobals.h"
#include "support/TestEnvironment.h"

namespace {

GraphicPtr shapeAt(const QRectF& bounds)
{
    GraphicPtr shape = SKTGraphic::create(GraphicKind::Shape);
    shape->setBounds(bounds);
    return shape;
}

// A document with one front element inserted in an earlier, closed undo group.
struct DocumentWithOneElement {
    SKTDocument document;
    GraphicPtr shape = shapeAt(QRectF(10, 10, 50, 50));
    DocumentWithOneElement()
    {
        document.insertGraphic(shape, 0);
        document.undoManager().checkpoint();
    }
};

}  // namespace

TEST(SKTDocumentLists, AllListsStartEmpty)
{
    SKTDocument document;
    EXPECT_TRUE(document.graphics().isEmpty());
    EXPECT_TRUE(document.graphics_back().isEmpty());
    EXPECT_TRUE(document.graphics_temp().isEmpty());
}

TEST(SKTDocumentLists, FrontInsertionAndRemovalAreUndoable)
{
    SKTDocument document;
    const GraphicPtr a = shapeAt(QRectF(0, 0, 10, 10));
    const GraphicPtr b = SKTGraphic::create(GraphicKind::Text);
    const GraphicPtr c = SKTGraphic::create(GraphicKind::Line);
    document.insertGraphics({a, b, c}, {0, 1, 2});
    document.undoManager().checkpoint();
    EXPECT_EQ(b->_scriptingContainer, &document);

    document.undoManager().undo();
    EXPECT_TRUE(document.graphics().isEmpty());
    EXPECT_EQ(b->_scriptingContainer, nullptr);
    document.undoManager().redo();
    EXPECT_EQ(document.graphics(), (GraphicList{a, b, c}));

    document.removeGraphicAtIndex(1);
    document.undoManager().checkpoint();
    EXPECT_EQ(document.graphics(), (GraphicList{a, c}));
    document.undoManager().undo();
    EXPECT_EQ(document.graphics(), (GraphicList{a, b, c}));
    EXPECT_EQ(b->_scriptingContainer, &document);
}

TEST(SKTDocumentLists, RequestsThatDoNotFitTheListChangeNothing)
{
    SKTDocument document;
    document.insertGraphic(SKTGraphic::create(GraphicKind::Shape), 3);
    document.removeGraphicAtIndex(0);
    document.insertGraphics({SKTGraphic::create(GraphicKind::Shape)}, {0, 1});
    EXPECT_TRUE(document.graphics().isEmpty());
    EXPECT_FALSE(document.undoManager().canUndo());
}

TEST(SKTDocumentLists, BackAndPreviewChangePlainlyAndSignalTheirSide)
{
    QList<int> sides;
    SKTDocument document;
    QObject::connect(&document, &SKTDocument::graphicsChanged, [&](int side) { sides.append(side); });
    const GraphicPtr back = shapeAt(QRectF(0, 0, 5, 5));
    const GraphicPtr preview = SKTGraphic::create(GraphicKind::Image);

    document.insertGraphicsOnSide(SKTDocument::BackSide, {back}, {0});
    document.replaceGraphicsOnSide(SKTDocument::PreviewSide, {preview});
    back->setBounds(QRectF(1, 1, 5, 5));
    EXPECT_FALSE(document.undoManager().canUndo());
    EXPECT_EQ(back->_scriptingContainer, nullptr);
    EXPECT_EQ(document.graphics_back(), GraphicList{back});
    EXPECT_EQ(document.graphics_temp(), GraphicList{preview});

    document.removeGraphicsOnSideAtIndexes(SKTDocument::BackSide, {0});
    document.addInGraphics(shapeAt(QRectF()));
    EXPECT_TRUE(document.graphics_back().isEmpty());
    EXPECT_EQ(sides, (QList<int>{1, 2, 1, 0}));
}

TEST(SKTDocumentLists, GraphicsWithClassKeepsListOrder)
{
    SKTDocument document;
    const GraphicPtr t1 = SKTGraphic::create(GraphicKind::Text);
    const GraphicPtr t2 = SKTGraphic::create(GraphicKind::Text);
    document.insertGraphics({t1, SKTGraphic::create(GraphicKind::Shape), t2}, {0, 1, 2});
    EXPECT_EQ(document.graphicsWithClass(GraphicKind::Text), (GraphicList{t1, t2}));
    EXPECT_TRUE(document.graphicsWithClass(GraphicKind::Barcode).isEmpty());
}

TEST(SKTDocumentPropertyUndo, OneUndoRestoresTheValueBeforeTheGroupsFirstChange)
{
    DocumentWithOneElement f;
    f.shape->setBounds(QRectF(20, 20, 50, 50));
    f.shape->setBounds(QRectF(30, 30, 50, 50));
    f.shape->setBounds(QRectF(40, 40, 50, 50));
    f.document.undoManager().checkpoint();

    f.document.undoManager().undo();
    EXPECT_EQ(f.shape->bounds(), QRectF(10, 10, 50, 50));
    EXPECT_EQ(f.document.graphics().size(), 1);  // the insertion is a group of its own

    f.document.undoManager().checkpoint();
    f.document.undoManager().redo();
    EXPECT_EQ(f.shape->bounds(), QRectF(40, 40, 50, 50));
}

TEST(SKTDocumentPropertyUndo, ChangesToAnElementInsertedInTheSameGroupAreNotRecorded)
{
    SKTDocument document;
    const GraphicPtr shape = shapeAt(QRectF(10, 10, 50, 50));
    document.insertGraphic(shape, 0);
    shape->setBounds(QRectF(0, 0, 5, 5));
    document.undoManager().checkpoint();

    document.undoManager().undo();
    EXPECT_TRUE(document.graphics().isEmpty());
    EXPECT_FALSE(document.undoManager().canUndo());
}

TEST(SKTDocumentPropertyUndo, SettingTheSameValueRecordsNothing)
{
    DocumentWithOneElement f;
    f.shape->setBounds(f.shape->bounds());
    f.document.undoManager().checkpoint();

    f.document.undoManager().undo();  // undoes the insertion: no property group lay on top
    EXPECT_TRUE(f.document.graphics().isEmpty());
}

TEST(SKTDocumentPropertyUndo, InsertionWithRegistrationOffLeavesLaterChangesRecorded)
{
    SKTDocument document;
    const GraphicPtr shape = shapeAt(QRectF(10, 10, 50, 50));
    document.Enable_Disable_Undo_Registraion(false);
    document.insertGraphic(shape, 0);
    document.Enable_Disable_Undo_Registraion(true);
    EXPECT_FALSE(document.undoManager().canUndo());

    shape->setBounds(QRectF(0, 0, 5, 5));
    document.undoManager().checkpoint();
    document.undoManager().undo();
    EXPECT_EQ(shape->bounds(), QRectF(10, 10, 50, 50));
    EXPECT_EQ(document.graphics(), GraphicList{shape});
}

TEST(SKTDocumentPropertyUndo, ChangeMadeRightAfterAnUndoIsItsOwnGroup)
{
    DocumentWithOneElement f;
    UndoManager& undo = f.document.undoManager();
    f.shape->setBounds(QRectF(20, 20, 50, 50));
    undo.checkpoint();
    undo.undo();

    // No checkpoint between the undo and this change.
    f.shape->setBounds(QRectF(70, 70, 50, 50));
    undo.checkpoint();
    undo.undo();
    EXPECT_EQ(f.shape->bounds(), QRectF(10, 10, 50, 50));
    EXPECT_EQ(f.document.graphics().size(), 1);
}

TEST(SKTDocumentPropertyUndo, ClearingForgetsUndoAndEmptiesTheFront)
{
    DocumentWithOneElement f;
    f.document.Clear_All_Undo_Redo();
    EXPECT_TRUE(f.document.graphics().isEmpty());
    EXPECT_FALSE(f.document.undoManager().canUndo());
    EXPECT_EQ(f.shape->_scriptingContainer, nullptr);
    EXPECT_TRUE(f.document.undoManager().isUndoRegistrationEnabled());
}

TEST(SKTDocumentPropertyUndo, ElementsOutliveTheirDocumentSafely)
{
    const GraphicPtr shape = shapeAt(QRectF(10, 10, 50, 50));
    {
        SKTDocument document;
        document.insertGraphic(shape, 0);
    }
    shape->setBounds(QRectF(1, 2, 3, 4));  // must not reach the destroyed document
    EXPECT_EQ(shape->_scriptingContainer, nullptr);
}

TEST(SKTDocumentTitle, NamesTheFrontCardAndAnExistingDesignFile)
{
    const QString savedProject = Project_File_Name;
    SKTDocument document;
    Card_Property front;
    front.setCard_Name(QStringLiteral("Staff"));
    document.setFrontCardProperty(&front);

    Project_File_Name.clear();
    EXPECT_EQ(document.displayName(), QStringLiteral("ZOVA ID Card ( Staff )"));

    QTemporaryDir dir;
    Project_File_Name = dir.filePath(QStringLiteral("design.zvp"));
    EXPECT_EQ(document.displayName(), QStringLiteral("ZOVA ID Card ( Staff )"));  // not on disk yet
    QFile file(Project_File_Name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(document.displayName(), QStringLiteral("ZOVA ID Card ( Staff - design.zvp )"));
    Project_File_Name = savedProject;
}

TEST(SKTDocumentTitle, CanvasSizeIsTheCardOnlyWhenAsked)
{
    EXPECT_EQ(SKTDocument::canvasSize(true, QSizeF(10, 20)), QSizeF(243, 154));
    EXPECT_EQ(SKTDocument::canvasSize(false, QSizeF(242.65, 153.1)), QSizeF(242.65, 153.1));
}

TEST(SKTDocumentWindow, OnlyTheFirstCallOfTheRunMakesAWindowController)
{
    int made = 0;
    SKTDocument::setWindowControllerFactory([&](SKTDocument&) { ++made; });
    SKTDocument first;
    SKTDocument second;
    first.makeWindowControllers();
    first.makeWindowControllers();
    second.makeWindowControllers();
    SKTDocument::setWindowControllerFactory(nullptr);
    EXPECT_EQ(made, 1);
}

TEST(SKTDocumentData, DocumentTypeIsABinaryPlistWithVersionAndGraphics)
{
    SKTDocument document;
    document.insertGraphics({shapeAt(QRectF(1, 2, 3, 4)), SKTGraphic::create(GraphicKind::Text)}, {0, 1});
    for (const QString& type : {SKTDocumentOldTypeName, SKTDocumentNewTypeName}) {
        QString error;
        const QByteArray data = document.dataOfType(type, &error);
        ASSERT_FALSE(data.isEmpty()) << error.toStdString();
        EXPECT_TRUE(data.startsWith("bplist00"));

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("doc.plist"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
        file.close();
        const auto result = TestEnvironment::runPython(QStringLiteral(
            "import plistlib, sys\n"
            "d = plistlib.load(open(sys.argv[1], 'rb'))\n"
            "print(d['version'], type(d['graphics']).__name__, len(d['graphics']), sorted(d))\n"), {path});
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_EQ(result.out.trimmed(), QByteArray("2 list 2 ['graphics', 'version']"));
    }
}

TEST(SKTDocumentData, OtherTypesGiveNoDataAndSayWhy)
{
    SKTDocument document;
    for (const QString& type : {QStringLiteral("com.adobe.pdf"), QStringLiteral("public.tiff"),
                                QStringLiteral("public.jpeg")}) {
        QString error;
        EXPECT_TRUE(document.dataOfType(type, &error).isEmpty());
        EXPECT_FALSE(error.isEmpty()) << type.toStdString();
    }
    EXPECT_FALSE(document.readFromData(QByteArray("bplist00"), SKTDocumentOldTypeName));
}

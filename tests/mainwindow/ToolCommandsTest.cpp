// The tool bar: a press creates its element at once on the edited side; the picture tools ask for
// their picture first and stay chosen when that is cancelled.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMainWindow>
#include <QPainter>
#include <QTabWidget>
#include <QTemporaryDir>

#include "barcodes/BarcodeFactory.h"
#include "designfile/DesignFile.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/ToolCommands.h"
#include "mainwindow/WindowDesignFile.h"
#include "model/SKTSignature.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/ScriptedPhotoWindows.h"
#include "support/TestEnvironment.h"
#include "views/canvas/CanvasHost.h"
#include "views/canvas/SKTGraphicView.h"

namespace {

// Answers the picture panel with one path (empty: cancelled) and counts the panels.
class PicturePanel : public ScriptedDialogPresenter {
public:
    QString answer;
    int opened = 0;
    QString openFile(const FilePanelRequest&) override
    {
        ++opened;
        return answer;
    }
};

// Notes the box a new barcode has when its picture is asked for, and answers a plain picture.
class RecordingBarcodeFactory : public BarcodeFactory {
public:
    RecordingBarcodeFactory() { setBarcodeFactory(this); }
    ~RecordingBarcodeFactory() override { setBarcodeFactory(nullptr); }
    void Set_Barcode_Prop_To_Control(const SKTGraphic& element) override { boxBeforePicture = element.bounds(); }
    BarcodePicture Get_Image_From_Val(const QString&, const QString&, const QString&) override
    {
        QImage picture(90, 40, QImage::Format_RGB32);
        picture.fill(Qt::white);
        return picture;
    }
    QRectF boxBeforePicture;
};

class ToolCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Card_Front_Or_Back = 0;
        Start_Card_Option.clear();
        Library_Selected_Image.clear();
        controller.Image_Ctrl_Counter = 0;
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        ASSERT_TRUE(picture.save(picturePath));
        QFile text(notAPicturePath);
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("just some words");
    }
    void TearDown() override
    {
        Card_Front_Or_Back = 0;
        Start_Card_Option.clear();
        Library_Selected_Image.clear();
        Project_File_Name.clear();
    }

    void press(const char* tool) const
    {
        controller.window()->findChild<QAction*>(QString::fromLatin1(tool))->trigger();
    }
    int tool() const { return canvasHost().Selected_Control_Tool(); }
    const GraphicList& front() const { return document.graphics(); }
    const GraphicList& back() const { return document.graphics_back(); }

    QTemporaryDir folder;
    const QString picturePath = folder.filePath(QStringLiteral("face.png"));
    const QString notAPicturePath = folder.filePath(QStringLiteral("notes.png"));
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope{messages};
    PicturePanel panel;
    SKTDocument document;
    SKTWindowController controller{document};
};

TEST_F(ToolCommandsTest, PressCreatesOnTheEditedSideAtTheToolsSizeAndReturnsToTheArrow)
{
    RecordingBarcodeFactory barcodes;
    Card_Front_Or_Back = 1;
    press("barcode_tool_btn");
    ASSERT_EQ(back().size(), 1);
    EXPECT_TRUE(front().isEmpty());
    EXPECT_EQ(back()[0]->kind(), GraphicKind::Barcode);
    EXPECT_EQ(barcodes.boxBeforePicture.size(), QSizeF(120, 60));
    // Then the box takes its picture's size, keeping its place.
    EXPECT_EQ(back()[0]->bounds(), QRectF(barcodes.boxBeforePicture.topLeft(), QSizeF(90, 40)));
    EXPECT_EQ(controller.graphicView(SKTDocument::BackSide)->_Selected_Graphic, back()[0]);
    EXPECT_EQ(tool(), 0);
    EXPECT_TRUE(controller.window()->findChild<QAction*>(QStringLiteral("arrow_tool_btn"))->isChecked());

    Card_Front_Or_Back = 0;
    press("signature_tool_btn");
    press("fingure_print_tool_btn");
    press("star_tool_btn");
    ASSERT_EQ(front().size(), 3);
    EXPECT_EQ(front()[2]->bounds().size(), QSizeF(100, 50));
    EXPECT_EQ(front()[2]->Sign_Or_FP_Val(), QStringLiteral("S"));
    EXPECT_EQ(front()[1]->bounds().size(), QSizeF(50, 50));
    EXPECT_EQ(front()[1]->Sign_Or_FP_Val(), QStringLiteral("F"));
    EXPECT_EQ(static_cast<const SKTSignature&>(*front()[1])._contents_img, controller.pictures.fp_sample_img);
    EXPECT_EQ(front()[0]->Get_shape_type(), QStringLiteral("S"));
    // Each one goes to the next free place rather than on top of the last.
    EXPECT_NE(front()[0]->bounds().topLeft(), front()[1]->bounds().topLeft());
    EXPECT_EQ(back().size(), 1);
    EXPECT_EQ(tool(), 0);
}

// A fingerprint placed after a signature is saved as a fingerprint, not as the signature sample.
TEST_F(ToolCommandsTest, SignatureAndFingerprintKeepTheirOwnSampleThroughADesignFile)
{
    press("signature_tool_btn");
    press("fingure_print_tool_btn");
    const QString path = folder.filePath(QStringLiteral("samples.did"));
    ASSERT_TRUE(writeDesignFile(path, WindowDesignFile(controller).file().Prepare_Design_State(false)));
    DesignFileError error;
    const std::optional<DesignState> read = readDesignFile(path, &error);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->frontElements.size(), 2);
    for (const GraphicPtr& element : read->frontElements) {
        const bool fingerprint = element->Sign_Or_FP_Val() == QLatin1String("F");
        EXPECT_EQ(QFileInfo(element->FilePath()).fileName(),
                  fingerprint ? QStringLiteral("fingerprints.png") : QStringLiteral("sign_sample.png"));
    }
}

// A signature and a fingerprint placed with the tools and saved through Save As: the design holds
// no path of the program's (plistlib), and opened again each shows its kind's sample. A design of
// an older version, which kept another installation's samples by path, opens showing ours, and
// the next save keeps no path of them.
TEST_F(ToolCommandsTest, PlacedSamplesAreSavedWithoutTheProgramsPathAndOpenShowingTheSamples)
{
    Start_Card_Option = QStringLiteral("L");
    press("signature_tool_btn");
    press("fingure_print_tool_btn");
    const QString path = folder.filePath(QStringLiteral("samples.did"));
    // The strings of the file that name the program's resource folder, then each signature
    // entry's kind and path; an older path given makes the entries name the samples under it.
    const auto saved = [&](const QString& olderFolder = QString()) {
        const auto read = TestEnvironment::runPython(
            "import plistlib, sys\n"
            "items = plistlib.load(open(sys.argv[1], 'rb'))\n"
            "def strings(x):\n"
            "    if isinstance(x, str): yield x\n"
            "    elif isinstance(x, list):\n"
            "        for y in x: yield from strings(y)\n"
            "    elif isinstance(x, dict):\n"
            "        for k, v in x.items(): yield from strings(k); yield from strings(v)\n"
            "program = [s for s in strings(items) if sys.argv[2] in s or 'sign_sample' in s or 'fingerprints' in s]\n"
            "entries = [i for i in items if isinstance(i, list) and len(i) == 22 and i[20] in ('S', 'F')]\n"
            "sys.stdout.write(' '.join(program) + '|' + ' '.join(sorted(e[20] + ':' + e[21] for e in entries)))\n"
            "if len(sys.argv) > 3:\n"
            "    for e in entries: e[21] = sys.argv[3] + ('sign_sample.png' if e[20] == 'S' else 'fingerprints.png')\n"
            "    plistlib.dump(items, open(sys.argv[1], 'wb'))\n",
            olderFolder.isEmpty() ? QStringList{path, Resource_Path} : QStringList{path, Resource_Path, olderFolder});
        EXPECT_EQ(read.exitCode, 0) << read.err.constData();
        return QString::fromUtf8(read.out);
    };
    // Each element drawn shows the sample picture of its kind.
    const auto showSamples = [&] {
        bool all = front().size() == 2;
        for (const GraphicPtr& element : front()) {
            QImage canvas(300, 300, QImage::Format_ARGB32);
            QPainter painter(&canvas);
            element->drawContentsInView(painter, false);
            painter.end();
            const QImage& sample = element->Sign_Or_FP_Val() == QLatin1String("S") ? controller.pictures.sign_sample_img
                                                                                    : controller.pictures.fp_sample_img;
            all = all && !sample.isNull()
                  && static_cast<const SKTSignature&>(*element)._contents_img.convertToFormat(QImage::Format_ARGB32)
                         == sample.convertToFormat(QImage::Format_ARGB32);
        }
        return all;
    };
    panel.queueSaveFile(path);
    ASSERT_TRUE(SaveAs_Btn_Clicked(controller));
    EXPECT_EQ(saved(), QStringLiteral("|F:Default S:Default"));
    panel.answer = path;
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    EXPECT_TRUE(showSamples());

    EXPECT_EQ(saved(QStringLiteral("/opt/zova-old/build/resources/")), QStringLiteral("|F:Default S:Default"));
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    EXPECT_TRUE(showSamples());
    ASSERT_TRUE(Save_Btn_Clicked(controller));
    EXPECT_EQ(saved(), QStringLiteral("|F:Default S:Default"));
}

TEST_F(ToolCommandsTest, ImageToolPlacesOnlyAPictureTheUserChose)
{
    press("image_tool_btn");  // cancelled
    EXPECT_EQ(panel.opened, 1);
    EXPECT_TRUE(front().isEmpty());
    EXPECT_EQ(tool(), 8);

    panel.answer = notAPicturePath;
    press("image_tool_btn");
    EXPECT_TRUE(front().isEmpty());
    EXPECT_EQ(tool(), 8);
    EXPECT_TRUE(Library_Selected_Image.isEmpty());
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.texts()[0].contains(QStringLiteral("notes.png")));

    panel.answer = picturePath;
    press("image_tool_btn");
    ASSERT_EQ(front().size(), 1);
    const SKTGraphic& photo = *front()[0];
    EXPECT_EQ(photo.kind(), GraphicKind::Image);
    EXPECT_EQ(photo.FilePath(), picturePath);
    EXPECT_EQ(photo._contents.size(), QSize(40, 30));
    EXPECT_TRUE(photo.control_ID.isEmpty());
    EXPECT_EQ(tool(), 0);
}

TEST_F(ToolCommandsTest, LibraryToolCreatesOnlyWhenTheLibraryAnswersWithAPicture)
{
    press("image_library_tool_btn");
    EXPECT_TRUE(front().isEmpty());
    EXPECT_EQ(tool(), 9);
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.texts()[0].contains(QStringLiteral("not available")));

    ScriptedPhotoWindows library;
    library.libraryAnswer = 1;
    library.libraryFile = picturePath;
    press("image_library_tool_btn");
    EXPECT_EQ(library.calls, QStringList{QStringLiteral("library C")});
    ASSERT_EQ(front().size(), 1);
    EXPECT_EQ(front()[0]->FilePath(), picturePath);
    EXPECT_EQ(tool(), 0);
}

TEST_F(ToolCommandsTest, VisitorPhotosGetTheNextFreeExtraPictureId)
{
    Start_Card_Option = QStringLiteral("V");
    panel.answer = picturePath;
    press("image_tool_btn");
    press("image_tool_btn");
    ASSERT_EQ(front().size(), 2);
    EXPECT_EQ(front()[1]->control_ID, QStringLiteral("F_Pic1"));
    EXPECT_EQ(front()[0]->control_ID, QStringLiteral("F_Pic2"));

    // An ID already on the side (a loaded design) is skipped.
    GraphicPtr taken = SKTGraphic::create(GraphicKind::Text);
    taken->control_ID = QStringLiteral("F_Pic3");
    document.insertGraphicsOnSide(SKTDocument::FrontSide, {taken}, {0});
    press("image_tool_btn");
    ASSERT_EQ(front().size(), 4);
    EXPECT_EQ(front()[0]->control_ID, QStringLiteral("F_Pic4"));
    EXPECT_EQ(front()[0]->FilePath(), picturePath);

    // Outside visitor mode photos stay the user's own.
    Start_Card_Option = QStringLiteral("L");
    press("image_tool_btn");
    EXPECT_TRUE(front()[0]->control_ID.isEmpty());
}

TEST_F(ToolCommandsTest, ArrowAndWatermarkCreateNothing)
{
    press("arrow_tool_btn");
    controller.selectArrowTool();
    EXPECT_TRUE(front().isEmpty());
    EXPECT_EQ(tool(), 0);

    press("image_tool_btn");  // cancelled: the tool stays chosen
    ASSERT_EQ(tool(), 8);
    QTabWidget* tabs = controller.windowLayout().settingsTabs();
    tabs->setCurrentIndex(0);
    press("Watermark_Tool_btn");  // showing the card's pages returns to the arrow
    EXPECT_EQ(tool(), 0);
    EXPECT_EQ(tabs->currentWidget()->objectName(), QStringLiteral("card_brdr_tab"));

    controller.selectArrowTool();
    EXPECT_EQ(tool(), 0);
    EXPECT_TRUE(front().isEmpty());
    EXPECT_EQ(panel.opened, 1);
}

} // namespace

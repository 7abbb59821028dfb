// The pictures of the program's own resources never reach what the user keeps by a path of an
// installation, on the real window. A visitor registered without a photo: the log keeps none
// (sqlite3), its window and workbook (openpyxl) show none, and the pass printed again is the desk's,
// placeholder and all (ImageMagick compare), also for a visitor an older version logged with
// another installation's placeholder. A design (plistlib): its placeholder and library pictures are
// named inside the application's resources, and open showing them, an older design's too.
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>

#include "VisitorDeskFixture.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/TemplateCommands.h"
#include "model/OriginalImagePath.h"
#include "model/SKTImage.h"

namespace {

const QString kOlderPlaceholder = QStringLiteral("/opt/zova-old/build/resources/no.png");
const QString kPortable = QStringLiteral("/Applications/ZOVA ID Card.app/Contents/Resources/");

class ProgramPictures : public VisitorDeskFixture {
protected:
    // Visitor mode on the shipped guest pass, or on a design without a photo element, which gets
    // one showing no.png.
    void openPass(bool shipped)
    {
        CARD_SIDE_STR = QStringLiteral("1");
        ASSERT_NO_FATAL_FAILURE(copyBuiltResources({"no.png", "photo_placeholder.png"}));
        if (shipped)
            ASSERT_NO_FATAL_FAILURE(copyBuiltResources({"Templates/visitor/guest pass (h).did"}));
        else
            ASSERT_NO_FATAL_FAILURE(writeTemplateFile(QStringLiteral("name pass (h)"), QStringLiteral("visitor"), QStringLiteral("Horizontal"),
                                                      QSizeF(243, 154), {visitortest::text(QRectF(80, 8, 150, 20), QStringLiteral("Fup_Name"), 12)}));
        controller.window()->resize(1280, 800);
        controller.showWindow();
        ASSERT_NO_FATAL_FAILURE(openVisitorPass());
    }
    // Python over the property list's strings (`strings`, each once, sorted) of the file sys.argv[1].
    static QString python(const QString& file, const char* script, const QStringList& arguments = {})
    {
        const auto run = TestEnvironment::runPython(
            QStringLiteral("import plistlib, sys\nitems = plistlib.load(open(sys.argv[1], 'rb'))\n"
                           "def walk(x):\n    if isinstance(x, str): yield x\n    elif isinstance(x, list):\n"
                           "        for y in x: yield from walk(y)\n"
                           "strings = sorted(set(walk(items)))\n")
                + QLatin1String(script),
            QStringList{file} + arguments);
        EXPECT_EQ(run.exitCode, 0) << run.err.constData();
        return QString::fromUtf8(run.out);
    }
    // The file's strings naming a folder of resources, and any "Text here".
    static QString resourcePaths(const QString& file)
    {
        return python(file, "print('|'.join(s for s in strings if 'esources' in s or s == 'Text here'))").trimmed();
    }
};

class VisitorWithoutPhoto : public ProgramPictures, public testing::WithParamInterface<bool> {};

}  // namespace

// On the shipped guest pass (its photo_placeholder.png) and on a design whose photo element the
// desk made (no.png).
TEST_P(VisitorWithoutPhoto, IsLoggedWithoutOneAndReprintedAsAtTheDesk)
{
    {
        ASSERT_NO_FATAL_FAILURE(openPass(GetParam()));
        type("Fup_Name", QStringLiteral("Ana Souza"));
        const QString desk = printPass(QStringLiteral("desk"));
        click("register_visitor_btn");
        EXPECT_EQ(logged("Name, Photo_Path"), "Ana Souza|");
        EXPECT_EQ(differingPixels(reprint(0), desk), 0);

        const QString older = QStringLiteral("UPDATE Visitor_Records SET Photo_Path = '%1'").arg(kOlderPlaceholder);
        ASSERT_EQ(TestEnvironment::run(QStringLiteral("sqlite3"), {VisitorLog::livePath(), older}).exitCode, 0);
        EXPECT_EQ(differingPixels(reprint(0), desk), 0) << "logged by an older version";
        const QString workbook = scratch.filePath(QStringLiteral("visitors.xlsx"));
        QString cell = QStringLiteral("(not shown)");
        bool photoShown = true;
        dialogs.queueHook([&](QDialog& window) {
            auto& table = *window.findChild<QTableWidget*>(QStringLiteral("Visitor_Table"));
            table.selectRow(0);
            cell = table.item(0, 2)->text();
            photoShown = !window.findChild<QLabel*>(QStringLiteral("Photo_View"))->pixmap().isNull();
            dialogs.queueSaveFile(workbook);
            window.findChild<QPushButton*>(QStringLiteral("Export_Button"))->click();
        });
        click("visitor_log_btn");
        EXPECT_EQ(cell, "");
        EXPECT_FALSE(photoShown);
        const auto read = TestEnvironment::runPython(
            "import sys, openpyxl\nws = openpyxl.load_workbook(sys.argv[1]).active\nprint(ws['C1'].value + '|' + (ws['C2'].value or ''))\n",
            {workbook});
        EXPECT_EQ(QString::fromUtf8(read.out).trimmed(), "Photo Path|") << read.err.constData();
    }
}

INSTANTIATE_TEST_SUITE_P(ShippedOrMadeByTheDesk, VisitorWithoutPhoto, testing::Bool());

// The desk's photo element, a picture of the library and a background, saved by Save As and
// exported as a template, and an older design naming another installation's placeholder opened
// and saved.
TEST_F(ProgramPictures, ADesignNamesTheProgramsPicturesInsideTheApplicationAndOpensShowingThem)
{
    ASSERT_NO_FATAL_FAILURE(openPass(false));
    const QString library = visitortest::photoFile(QDir(Resource_Path + QStringLiteral("/LibraryImage")), QStringLiteral("star.png"), Qt::yellow);
    document.addInGraphics(SKTImage::initWithPath(QPointF(200, 120), library));
    const QString ground = visitortest::photoFile(QDir(Resource_Path + QStringLiteral("/Background")), QStringLiteral("blue.png"), Qt::blue);
    if (!control<QCheckBox>("Card_fill_chk").isChecked())
        control<QCheckBox>("Card_fill_chk").click();
    control<QRadioButton>("Card_Image_fill_rd").click();
    dialogs.queueOpenFile(ground);
    control<QPushButton>("Card_Image_Browse_Btn").click();
    ASSERT_EQ(controller.Front_card_Prop.Card_BG_Image_Path(), ground);
    const QString shipped = kPortable + QStringLiteral("Background/blue.png|") + kPortable + QStringLiteral("LibraryImage/star.png|");
    const QString kept = shipped + kPortable + QStringLiteral("no.png|Text here");
    const QString design = scratch.filePath(QStringLiteral("pass.did"));
    const QString noPicture = QDir(Resource_Path).filePath(QStringLiteral("no.png"));
    // Opened, the photo shows no.png; its panel takes the path it shows (none from an older design,
    // whose text names no file here).
    const auto reopen = [&](const QString& inPanel) {
        dialogs.queueOpenFile(design);
        EXPECT_TRUE(Open_Btn_Clicked(controller));
        const GraphicPtr photo = onCard("Fup_Photo");
        EXPECT_EQ(photo->_file_path, noPicture);
        EXPECT_FALSE(static_cast<SKTImage&>(*photo)._contents.isNull());
        EXPECT_EQ(Get_Original_Path_Of_Image_Control(*photo), inPanel);
        EXPECT_EQ(controller.Front_card_Prop.Card_BG_Image_Path(), ground);
    };
    const struct {
        const char* road;
        std::function<QString()> save;  // the file written
    } roads[] = {
        {"Save As", [&] { dialogs.queueSaveFile(design); EXPECT_TRUE(SaveAs_Btn_Clicked(controller)); return design; }},
        {"Export as Template",
         [&] {
             dialogs.queueHook([](QDialog& dialog) {
                 static_cast<Export_Template&>(dialog).template_name->setText(QStringLiteral("Desk"));
                 static_cast<Export_Template&>(dialog).OK_Pressed();
             });
             EXPECT_TRUE(Export_As_Template_Clicked(controller));
             return User_Template_File(QStringLiteral("Desk"), QStringLiteral("did"));
         }},
        {"older design opened and saved",
         [&] {
             python(design,
                    "for item in items:\n"
                    "    if isinstance(item, list) and len(item) > 40 and item[0] == 'I' and item[39].endswith('no.png'):\n"
                    "        item[39] = item[40] = sys.argv[2]\n"
                    "plistlib.dump(items, open(sys.argv[1], 'wb'))\n",
                    {kOlderPlaceholder});
             EXPECT_EQ(resourcePaths(design), shipped + kOlderPlaceholder + QStringLiteral("|Text here"));
             reopen(QString());
             EXPECT_TRUE(Save_Btn_Clicked(controller));
             return design;
         }},
    };
    for (const auto& road : roads) {
        SCOPED_TRACE(road.road);
        const QString file = road.save();
        EXPECT_EQ(resourcePaths(file), kept);
    }
    reopen(noPicture);
}

// The program's own pictures never reach what the user keeps by a path of an installation, on the
// real window. A visitor registered without a photo: the log keeps none (sqlite3), its window and
// workbook (openpyxl) show none, and the pass printed again is the desk's, placeholder and all
// (ImageMagick compare), also for a visitor an older version logged with another installation's
// placeholder. A design (plistlib) names its placeholder, library picture and background inside the
// application's resources and opens showing them, as an older design naming them by path does.
// The user's own pictures named like the program's, in folders named like its resources, stay the
// user's: on a design saved and opened, and as a visitor's logged and listed photo.
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>

#include "VisitorDeskFixture.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/TemplateCommands.h"
#include "model/OriginalImagePath.h"
#include "model/SKTImage.h"
#include "model/SKTSignature.h"

namespace {

const QString kOlderPlaceholder = QStringLiteral("/opt/zova-old/build/resources/no.png");
const QString kPortable = QStringLiteral("/Applications/ZOVA ID Card.app/Contents/Resources/");

class ProgramPictures : public VisitorDeskFixture {
protected:
    // Visitor mode on the shipped guest pass (photo_placeholder.png), or on a design without a
    // photo element, which the desk gives one showing no.png.
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
    // The design's strings naming a folder of resources, and any "Text here", sorted; given an
    // older path, the picture entries naming no.png name it first, as an older version wrote them.
    static QString resourcePaths(const QString& design, const QString& older = {})
    {
        const auto run = TestEnvironment::runPython(
            "import plistlib, sys\nitems = plistlib.load(open(sys.argv[1], 'rb'))\n"
            "if len(sys.argv) > 2:\n"
            "    for e in [e for e in items if isinstance(e, list) and e[:1] == ['I'] and e[39].endswith('no.png')]: e[39] = e[40] = sys.argv[2]\n"
            "    plistlib.dump(items, open(sys.argv[1], 'wb'))\n"
            "walk = lambda x: [x] if isinstance(x, str) else [s for y in x for s in walk(y)] if isinstance(x, list) else []\n"
            "print('|'.join(sorted({s for s in walk(items) if 'esources' in s or s == 'Text here'})))\n",
            older.isEmpty() ? QStringList{design} : QStringList{design, older});
        EXPECT_EQ(run.exitCode, 0) << run.err.constData();
        return QString::fromUtf8(run.out).trimmed();
    }
    // A picture of the user's of one colour, in a folder of the scratch folder's (beside the
    // resource folder in use, its "resources").
    QString usersPicture(const QString& folder, const QString& name, const QColor& colour)
    {
        const QDir inside(scratch.filePath(folder));
        EXPECT_TRUE(inside.mkpath(QStringLiteral(".")));
        return visitortest::photoFile(inside, name, colour);
    }
    static QString middleOf(const QImage& picture)
    {
        return picture.isNull() ? QStringLiteral("none") : picture.pixelColor(picture.width() / 2, picture.height() / 2).name();
    }
};

class VisitorWithoutPhoto : public ProgramPictures, public testing::WithParamInterface<bool> {};

}  // namespace

TEST_P(VisitorWithoutPhoto, IsLoggedWithoutOneAndReprintedAsAtTheDesk)
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

INSTANTIATE_TEST_SUITE_P(ShippedOrMadeByTheDesk, VisitorWithoutPhoto, testing::Bool());

// The desk's photo element, a library picture and a background, saved by Save As and exported as
// a template, and the design as an older version wrote it opened and saved again.
TEST_F(ProgramPictures, ADesignNamesTheProgramsPicturesInsideTheApplicationAndOpensShowingThem)
{
    ASSERT_NO_FATAL_FAILURE(openPass(false));
    const QDir resources(Resource_Path);
    document.addInGraphics(SKTImage::initWithPath(QPointF(200, 120), visitortest::photoFile(QDir(resources.filePath("LibraryImage")), "star.png", Qt::yellow)));
    control<QCheckBox>("Card_fill_chk").setChecked(false);
    control<QCheckBox>("Card_fill_chk").click();
    control<QRadioButton>("Card_Image_fill_rd").click();
    dialogs.queueOpenFile(visitortest::photoFile(QDir(resources.filePath("Background")), "blue.png", Qt::blue));
    control<QPushButton>("Card_Image_Browse_Btn").click();
    const QString shipped = kPortable + "Background/blue.png|" + kPortable + "LibraryImage/star.png|";
    const QString design = scratch.filePath(QStringLiteral("pass.did"));
    // Opened, the photo and the background show ours; the panel takes the photo's path (none from
    // an older design, whose text names no file here).
    const auto reopen = [&](const QString& inPanel) {
        dialogs.queueOpenFile(design);
        EXPECT_TRUE(Open_Btn_Clicked(controller));
        const GraphicPtr photo = onCard("Fup_Photo");
        EXPECT_EQ(photo->_file_path, resources.filePath("no.png"));
        EXPECT_FALSE(static_cast<SKTImage&>(*photo)._contents.isNull());
        EXPECT_EQ(Get_Original_Path_Of_Image_Control(*photo), inPanel);
        EXPECT_EQ(controller.Front_card_Prop.Card_BG_Image_Path(), resources.filePath("Background/blue.png"));
    };
    const std::pair<const char*, std::function<QString()>> roads[] = {
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
             EXPECT_EQ(resourcePaths(design, kOlderPlaceholder), shipped + kOlderPlaceholder + "|Text here");
             reopen(QString());
             EXPECT_TRUE(Save_Btn_Clicked(controller));
             return design;
         }},
    };
    for (const auto& [road, save] : roads)
        EXPECT_EQ(resourcePaths(save()), shipped + kPortable + "no.png|Text here") << road;
    reopen(resources.filePath("no.png"));
}

TEST_F(ProgramPictures, AUsersPicturesNamedLikeTheProgramsKeepTheirPathsAndPixelsThroughSaveAndOpen)
{
    ASSERT_NO_FATAL_FAILURE(openPass(false));
    const QString photo = usersPicture(QStringLiteral("Pictures/Resources"), QStringLiteral("photo_placeholder.png"), Qt::red);
    const QString signature = usersPicture(QStringLiteral("Scans/resources"), QStringLiteral("sign_sample.png"), Qt::blue);
    document.addInGraphics(SKTImage::initWithPath(QPointF(200, 120), photo));
    document.addInGraphics(SKTSignature::initWithPath(QPointF(200, 40), signature, QStringLiteral("S")));
    const QString design = scratch.filePath(QStringLiteral("own.did"));
    dialogs.queueSaveFile(design);
    ASSERT_TRUE(SaveAs_Btn_Clicked(controller));
    EXPECT_EQ(resourcePaths(design), QStringList({kPortable + "no.png", photo, signature, "Text here"}).join(u'|'));

    dialogs.queueOpenFile(design);
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    QStringList shown;
    for (const GraphicPtr& element : document.graphics()) {
        if (element->kind() == GraphicKind::Image)
            shown << element->_file_path + ' ' + middleOf(static_cast<SKTImage&>(*element)._contents);
        else if (element->kind() == GraphicKind::Signature)
            shown << element->_file_path + ' ' + middleOf(static_cast<SKTSignature&>(*element)._contents_img);
    }
    const QString ours = QDir(Resource_Path).filePath(QStringLiteral("no.png"));
    QStringList expected{photo + " #ff0000", signature + " #0000ff", ours + ' ' + middleOf(QImage(ours))};
    shown.sort(), expected.sort();
    EXPECT_EQ(shown.join(u'\n'), expected.join(u'\n'));
}

TEST_F(ProgramPictures, AVisitorsPhotoNamedLikeTheProgramsIsLoggedAndListed)
{
    ASSERT_NO_FATAL_FAILURE(openPass(true));
    const QString photo = usersPicture(QStringLiteral("Visitors/RESOURCES"), QStringLiteral("photo_placeholder.png"), Qt::red);
    type("Fup_Name", QStringLiteral("Ana Souza"));
    dialogs.queueOpenFile(photo);
    click("browse_photo_btn");
    click("register_visitor_btn");
    EXPECT_EQ(logged("Name, Photo_Path"), "Ana Souza|" + photo);
    QString cell;
    QString listed;
    dialogs.queueHook([&](QDialog& window) {
        auto& table = *window.findChild<QTableWidget*>(QStringLiteral("Visitor_Table"));
        table.selectRow(0);
        cell = table.item(0, 2)->text();
        listed = middleOf(window.findChild<QLabel*>(QStringLiteral("Photo_View"))->pixmap().toImage());
    });
    click("visitor_log_btn");
    EXPECT_EQ(cell, photo);
    EXPECT_EQ(listed, QStringLiteral("#ff0000"));
}

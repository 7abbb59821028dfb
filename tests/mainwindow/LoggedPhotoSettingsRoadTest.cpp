// A logged visitor's photo on the real window in visitor mode: a flip ticked in the cropping tool
// and cancelled is no setting of the photo, which the visitor log shows as its own text says.
#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>

#include "VisitorDeskFixture.h"
#include "photos/ImgFilterSettings.h"
#include "views/photos/Cropping_Tool.h"
#include "views/photos/PhotoWindows.h"

namespace {

class LoggedPhotoSettingsRoad : public VisitorDeskFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(VisitorDeskFixture::SetUp());
        ASSERT_NO_FATAL_FAILURE(openDeskPass());
        setPhotoWindows(nullptr, nullptr, &tool);
    }
    void TearDown() override
    {
        setPhotoWindows(nullptr, nullptr, nullptr);
        Set_IMG_Settings(saved);
        VisitorDeskFixture::TearDown();
    }

    const PictureSettings saved = Get_IMG_Settings();
    Cropping_Tool tool{{QStringList{QStringLiteral("png")}, {}, nullptr}};
};

TEST_F(LoggedPhotoSettingsRoad, AFlipTickedInTheCroppingToolAndCancelledLeavesTheLoggedPhotoUnmirrored)
{
    // Red on the left, blue on the right.
    QImage photo(120, 80, QImage::Format_RGB32);
    photo.fill(Qt::blue);
    QPainter(&photo).fillRect(0, 0, 60, 80, Qt::red);
    const QString path = scratch.filePath(QStringLiteral("visitor.png"));
    ASSERT_TRUE(photo.save(path));
    ASSERT_NO_FATAL_FAILURE(makeLiveLog(kRecordsTable + QStringLiteral("INSERT INTO Visitor_Records (Name, Photo_Path) "
                                                                        "VALUES ('Ada Vance', '%1%2');")
                                                             .arg(path, IMG_Filter_Marker)));
    dialogs.queueHook([&](QDialog&) {
        tool.findChild<QLineEdit*>(QStringLiteral("file_path"))->setText(path);
        tool.findChild<QLineEdit*>(QStringLiteral("output_path"))->setText(scratch.filePath(QStringLiteral("out")));
        tool.OK_Btn_Clicked();
        tool.findChild<QCheckBox*>(QStringLiteral("Image_FIH_chk"))->click();
        EXPECT_EQ(tool.User_Picture.pixelColor(10, 40), QColor(Qt::blue)) << "the preview is mirrored";
        tool.findChild<QPushButton*>(QStringLiteral("Cancel_Btn"))->click();
    });
    action(QStringLiteral("Cropping_Tool_Clicked")).trigger();

    QImage shown;
    dialogs.queueHook([&](QDialog& log) {
        log.findChild<QTableWidget*>(QStringLiteral("Visitor_Table"))->selectRow(0);
        shown = log.findChild<QLabel*>(QStringLiteral("Photo_View"))->pixmap().toImage();
    });
    click("visitor_log_btn");
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.pixelColor(shown.width() / 4, shown.height() / 2), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(shown.width() * 3 / 4, shown.height() / 2), QColor(Qt::blue));
    EXPECT_EQ(messages.texts(), QStringList());
}

}  // namespace

// The side profile dialog on a real (virtual) X server, opened on a front side that carries a
// name, a caption, a series-bound ID and a photo bound to a spreadsheet column, then filled in.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTest>

#include "ProfileDialogFixture.h"
#include "views/profiles/ProfileDialogWindow.h"
#include "views/profiles/Show_User_Profile.h"

namespace {
class SideProfileScreenshots : public ProfileDialogFixture {};
}  // namespace

TEST_F(SideProfileScreenshots, TheDialogFilledIn)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server: ctest runs this under with-display.sh";
    const QDir artifacts(QStringLiteral(ZOVA_PROFILES_ARTIFACT_DIR));
    QDir().mkpath(artifacts.path());

    QImage face(240, 300, QImage::Format_RGB32);
    face.fill(QColor(120, 170, 220));
    {
        QPainter painter(&face);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(40, 60, 110));
        painter.drawEllipse(QRectF(30, 200, 180, 180));
        painter.setBrush(QColor(230, 190, 160));
        painter.drawEllipse(QRectF(75, 60, 90, 120));
    }
    const QString photo = work.filePath(QStringLiteral("ann.png"));
    ASSERT_TRUE(face.save(photo));
    writeSeries(QStringLiteral("Staff IDs"), "E-1001\nE-1002\n");
    loadTable({QStringLiteral("Name"), QStringLiteral("Photo")}, {{QStringLiteral("Ann Lee"), photo}});
    Excel_Source_Path = work.filePath(QStringLiteral("staff.xlsx"));

    GraphicPtr name = element(GraphicKind::Text, QStringLiteral("Fup_Name"), QStringLiteral("Ann Lee"));
    GraphicPtr caption = element(GraphicKind::Text, QStringLiteral("Fup_lbl_Name"), QStringLiteral("Name :"));
    GraphicPtr id = element(GraphicKind::Text, QStringLiteral("Fup_UniqueNo"));
    id->data_source_type = 1;
    id->batch_list_name = QStringLiteral("Staff IDs");
    GraphicPtr picture = element(GraphicKind::Image, QStringLiteral("Fup_Photo"));
    picture->data_source_type = 2;
    picture->excel_col_indx = 2;
    picture->_file_path = photo;
    host.frontElements = {name, caption, id, picture};

    Show_User_Profile dialog(host);
    dialog.load_side = QStringLiteral("F");
    dialogs.queueHook([&](QDialog& window) {
        QTest::keyClicks(dialog.row(1).value, QStringLiteral("Research Engineer"));
        QTest::keyClicks(dialog.row(2).value, QStringLiteral("Northwind Labs"));
        dialog.labelCheck(1)->click();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(200);
        const QImage shot = window.grab().toImage();
        ASSERT_TRUE(shot.save(artifacts.filePath(QStringLiteral("side-profile-dialog.png"))));
        EXPECT_GT(shot.width(), 900);
        window.hide();
    });
    EXPECT_EQ(dialog.Open_Wnd(true), 0);
    EXPECT_EQ(dialog.row(10).ser_col_cb->currentText(), QStringLiteral("Photo"));
}

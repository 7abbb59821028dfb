// The photo windows opened as the program opens them (the dialog presenter and the title keeper
// in force) on a small and a large screen: none is narrower than its layout needs, no laid-out
// widget is drawn over another, and each lies on the screen. Pictures of each go to the artifacts.
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QDir>
#include <QLayout>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/AppContext.h"
#include "platform/DialogPresenter.h"
#include "support/FakeCameraSource.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"
#include "support/WindowFit.h"
#include "views/dialogs/QtDialogPresenter.h"
#include "views/dialogs/WholeTitles.h"
#include "views/photos/Camera.h"
#include "views/photos/Cropping_Tool.h"
#include "views/photos/Image_Library.h"

namespace {

// Opens a modal window with `open`, checks it once it is up, pictures it and closes it.
std::string checkOpened(const QString& picture, const std::function<void()>& open,
                        const std::function<void(QWidget&)>& prepare = {})
{
    QStringList found{QStringLiteral("no window came up")};
    QTimer::singleShot(0, [&] {
        QWidget* window = nullptr;
        if (!QTest::qWaitFor([&] { return (window = QApplication::activeModalWidget()) != nullptr; }, 5000))
            return;
        if (prepare)
            prepare(*window);
        (void)QTest::qWaitForWindowExposed(window);
        QTest::qWait(100);
        found = windowFaults(*window);
        const QSize screen = window->screen()->size();
        window->grab().save(QDir(QStringLiteral(ZOVA_PHOTOS_ARTIFACT_DIR))
                                .filePath(QStringLiteral("%1-%2x%3.png").arg(picture).arg(screen.width()).arg(screen.height())));
        window->close();
        if (auto* dialog = qobject_cast<QDialog*>(window))
            dialog->reject();
    });
    open();
    return found.join(QStringLiteral("; ")).toStdString();
}

}  // namespace

TEST(PhotoWindowFit, EveryPhotoWindowOpensWithNoWidgetOverAnother)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server: ctest runs this under with-display.sh at two screen sizes";
    QDir().mkpath(QStringLiteral(ZOVA_PHOTOS_ARTIFACT_DIR));
    const QString resources = Resource_Path;
    Resource_Path = TestEnvironment::resourceDir();
    QtDialogPresenter dialogs;
    setDialogPresenter(&dialogs);
    WholeTitles titles;
    qApp->installEventFilter(&titles);
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter scopedMessages{messages};
    FakeCameraSource cameras;
    cameras.devices = {{QStringLiteral("usb-1"), QStringLiteral("Desk Camera (scripted)")}};

    Camera camera(cameras, {[] { return QDir::tempPath(); }, {}, {}});
    EXPECT_EQ(checkOpened(QStringLiteral("fit-camera"), [&] { camera.Open_Wnd(); }), "");

    Cropping_Tool tool({{QStringLiteral("png")}, {}, &cameras});
    EXPECT_EQ(checkOpened(QStringLiteral("fit-cropping-tool-page1"), [&] { tool.Open_Wnd(); }), "");
    const QString seals = QDir(TestEnvironment::resourceDir()).filePath(QStringLiteral("LibraryImage/seals"));
    EXPECT_EQ(checkOpened(QStringLiteral("fit-cropping-tool-folder"), [&] { tool.Open_Wnd(); },
                          [&](QWidget&) {
                              tool.findChild<QAbstractButton*>(QStringLiteral("input_folder_radio"))->click();
                              tool.findChild<QLineEdit*>(QStringLiteral("folder_path"))->setText(seals);
                              tool.findChild<QLineEdit*>(QStringLiteral("output_path"))->setText(QDir::tempPath());
                              tool.OK_Btn_Clicked();
                          }),
              "");
    const QString photo = QDir(TestEnvironment::resourceDir()).filePath(QStringLiteral("sign_sample.png"));
    EXPECT_EQ(checkOpened(QStringLiteral("fit-cropping-tool-page2"), [&] { tool.Open_Wnd_Direct_To_Crop(photo); }),
              "");

    Image_Library library;
    EXPECT_EQ(checkOpened(QStringLiteral("fit-image-library"), [&] { library.Open_Library_Window(QStringLiteral("C")); }),
              "");

    qApp->removeEventFilter(&titles);
    setDialogPresenter(nullptr);
    Resource_Path = resources;
    EXPECT_EQ(messages.texts().join(u'|').toStdString(), "");
}

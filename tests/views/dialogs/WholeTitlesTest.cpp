// Every kind of message box and a dialog leave their title bar room for the whole title: the
// title in bold beside the window's icon and three buttons, each about a title bar's height wide
// (on an X server the bar the window manager really drew, else the style's). Under openbox,
// Qt's own width for a short message cut "ZOVA ID Card" to "ZO…rd".
#include <gtest/gtest.h>

#include <QtWidgets>
#include <QMessageBox>
#include <functional>

#include "platform/MessageBoxes.h"
#include "platform/MessagePresenter.h"
#include "support/WindowFrame.h"
#include "views/dialogs/QtDialogPresenter.h"
#include "views/dialogs/QtMessagePresenter.h"
#include "views/dialogs/WholeTitles.h"

namespace {

struct ShownTitle {
    QString title;
    QString informative;  // of a message box
    int width = 0;
    int needed = 0;
};

bool onXServer()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

int titleBarHeight(QWidget& window)
{
    if (onXServer())
        return showFramed(window, 50).top();
    return window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
}

ShownTitle measure(QWidget& window)
{
    QFont bold = window.font();
    bold.setBold(true);
    const int textWidth = QFontMetrics(bold).horizontalAdvance(window.windowTitle());
    // The icon and the three buttons; the width once the window manager has framed the window.
    const int needed = textWidth + 4 * titleBarHeight(window);
    return {window.windowTitle(), QString(), window.width(), needed};
}

QString artifact(const QString& name)
{
    const QDir folder(QStringLiteral(ZOVA_DIALOGS_ARTIFACT_DIR));
    QDir().mkpath(folder.path());
    return folder.filePath(name + QStringLiteral(".png"));
}

// Runs `open`, which shows a modal window, measures that window once it is up, pictures it on an
// X server and closes it.
ShownTitle measureModal(const std::function<void()>& open, const QString& picture)
{
    ShownTitle shown;
    QTimer::singleShot(0, [&] {
        QWidget* window = nullptr;
        QTest::qWaitFor([&] { return (window = QApplication::activeModalWidget()) != nullptr; }, 5000);
        if (!window) {
            ADD_FAILURE() << "no window came up";
            return;
        }
        shown = measure(*window);
        if (auto* box = qobject_cast<QMessageBox*>(window))
            shown.informative = box->informativeText();
        if (onXServer())
            grabFramed(*window, frameExtents(*window)).save(artifact(picture));
        if (auto* dialog = qobject_cast<QDialog*>(window))
            dialog->reject();
        else
            window->close();
    });
    open();
    return shown;
}

class WholeTitlesTest : public ::testing::Test {
protected:
    WholeTitlesTest()
    {
        // As the application names itself: the boxes take its name for their title.
        QCoreApplication::setApplicationName(QStringLiteral("ZOVA ID Card"));
        setMessagePresenter(&boxes);
        setDialogPresenter(&dialogs);
    }
    ~WholeTitlesTest() override
    {
        setMessagePresenter(nullptr);
        setDialogPresenter(nullptr);
        QCoreApplication::setApplicationName(previousName);
    }

    const QString previousName = QCoreApplication::applicationName();

    QtMessagePresenter boxes;
    QtDialogPresenter dialogs;
};

}  // namespace

TEST_F(WholeTitlesTest, EveryMessageKindShowsTheProgramsNameWhole)
{
    const struct {
        const char* kind;
        std::function<void()> open;
    } kinds[] = {
        {"message", [] { Show_MessageBox(QStringLiteral("Saved.")); }},
        {"message-now", [] { Show_MessageBox_No_Thread(QStringLiteral("Saved.")); }},
        {"short-message", [] { show_msg(QStringLiteral("OK")); }},
        {"yes-no", [] { Show_YES_NO_MessageBox(QStringLiteral("Stop?")); }},
        {"yes-no-cancel", [] { Show_YES_NO_Cancel_MessageBox(QStringLiteral("Save?")); }},
        {"report", [] { Show_Report_Box(QStringLiteral("Done."), {QStringLiteral("Card 1")}); }},
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.kind);
        const ShownTitle shown = measureModal(kind.open, QStringLiteral("title-%1").arg(QLatin1String(kind.kind)));
        EXPECT_EQ(shown.title, QStringLiteral("ZOVA ID Card"));
        EXPECT_GE(shown.width, shown.needed) << "the title bar cuts the title";
    }
}

// A box with a title of its own shows it in place of the program's name, and its informative text
// under the message.
TEST_F(WholeTitlesTest, ABoxWithItsOwnTitleShowsItWholeAndItsInformativeText)
{
    const ShownTitle shown = measureModal(
        [] {
            presentMessageBox(MessageBoxRequest{.text = QStringLiteral("Unable to perform drop operation."),
                                                .buttons = {QStringLiteral("OK")},
                                                .informativeText = QStringLiteral("For example: 001"),
                                                .title = QStringLiteral("Paste")});
        },
        QStringLiteral("title-own"));
    EXPECT_EQ(shown.title, QStringLiteral("Paste"));
    EXPECT_GE(shown.width, shown.needed);
    EXPECT_EQ(shown.informative, QStringLiteral("For example: 001"));
}

TEST_F(WholeTitlesTest, ADialogRunModallyOrShownAloneIsAsWideAsItsTitle)
{
    const auto smallDialog = [] {
        auto dialog = std::make_unique<QDialog>();
        dialog->setWindowTitle(QStringLiteral("Series from Spreadsheet Columns"));
        auto* layout = new QVBoxLayout(dialog.get());
        layout->addWidget(new QLabel(QStringLiteral("OK?")));
        return dialog;
    };
    auto modal = smallDialog();
    const ShownTitle run = measureModal([&] { dialogPresenter().runModal(*modal); }, QStringLiteral("title-dialog"));
    EXPECT_GE(run.width, run.needed);

    // A progress window is shown without the presenter: the application's filter widens it.
    WholeTitles filter;
    qApp->installEventFilter(&filter);
    auto modeless = smallDialog();
    modeless->show();
    const ShownTitle alone = measure(*modeless);
    qApp->removeEventFilter(&filter);
    EXPECT_GE(alone.width, alone.needed);
}

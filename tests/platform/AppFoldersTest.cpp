#include "platform/AppFolders.h"
#include "platform/DialogPresenter.h"

#include "support/ScriptedDialogPresenter.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>

#include <gtest/gtest.h>

namespace {
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value) : m_name(name), m_old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnvironment() { qputenv(m_name, m_old); }

private:
    const char* m_name;
    QByteArray m_old;
};
}  // namespace

TEST(AppFolders, SupportFolderIsUnderTheUserDataFolder)
{
    EXPECT_EQ(AppFolders::applicationSupportFolder(),
              qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/ZOVA ID Card"));
}

TEST(AppFolders, ResourceFolderFromEnvironmentOrBesideTheProgram)
{
    EXPECT_EQ(AppFolders::resourceFolder(), TestEnvironment::resourceDir());
    ScopedEnvironment unset("ZOVA_RESOURCES", QByteArray());
    // The build tree keeps bin/ and resources/ side by side.
    EXPECT_EQ(AppFolders::resourceFolder(),
              QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../resources")));
}

TEST(DialogPresenter, ScriptedPresenterAnswersInOrderThenCancels)
{
    ScriptedDialogPresenter scripted;
    ScopedDialogPresenter installed(&scripted);
    EXPECT_EQ(&dialogPresenter(), &scripted);

    scripted.modalResults = {QDialog::Accepted};
    scripted.paths = {QStringLiteral("/tmp/a.did")};
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Settings"));
    EXPECT_EQ(dialogPresenter().runModal(dialog), QDialog::Accepted);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialogPresenter().runModal(dialog), QDialog::Rejected);
    EXPECT_EQ(dialogPresenter().saveFile({nullptr, QStringLiteral("Save"), {}, {}}), QStringLiteral("/tmp/a.did"));
    EXPECT_TRUE(dialogPresenter().openFiles({}).isEmpty());

    EXPECT_EQ(scripted.modalTitles, (QList<QString>{QStringLiteral("Settings"), QStringLiteral("Settings")}));
    ASSERT_EQ(scripted.panelRequests.size(), 2);
    EXPECT_EQ(scripted.panelRequests[0].panel, ScriptedDialogPresenter::Panel::SaveFile);
    EXPECT_EQ(scripted.panelRequests[0].request.caption, QStringLiteral("Save"));
}

TEST(DialogPresenter, NullRestoresTheQtPresenter)
{
    ScriptedDialogPresenter scripted;
    setDialogPresenter(&scripted);
    setDialogPresenter(nullptr);
    EXPECT_NE(dynamic_cast<QtDialogPresenter*>(&dialogPresenter()), nullptr);
}

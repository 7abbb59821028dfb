// The main window's visitor commands on the real window: registration refuses a visitor without a
// name and stores nothing, and the log window opened over the live log prints the selected
// visitor's pass from the design on the front canvas.
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>

#include "MainWindowFixture.h"
#include "mainwindow/VisitorCommands.h"
#include "support/ScriptedDialogPresenter.h"
#include "views/visitors/VisitorPassDesign.h"
#include "visitors/VisitorLog.h"

namespace {

class VisitorCommandsTest : public MainWindowFixture {
protected:
    qint64 liveCount() const
    {
        VisitorLog live;
        return live.openLive() ? live.count() : -1;
    }
};

}  // namespace

TEST_F(VisitorCommandsTest, AVisitorWithoutANameIsRefusedAndNothingIsStored)
{
    const qint64 before = liveCount();
    EXPECT_EQ(Register_Visitor(controller), 0);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("\nPlease enter visitor name.")});
    EXPECT_EQ(liveCount(), before);
}

TEST_F(VisitorCommandsTest, TheLogWindowPrintsTheSelectedVisitorsPassFromTheFrontDesign)
{
    const GraphicList front = visitortest::passFront(QDir(scratch.path()));
    QList<int> places;
    for (int i = 0; i < front.size(); ++i)
        places << i;
    document.insertGraphicsOnSide(SKTDocument::FrontSide, front, places);
    {
        VisitorLog live;
        ASSERT_TRUE(live.openLive()) << qPrintable(live.lastError());
        ASSERT_GT(live.add(sampleVisitor(QStringLiteral("Grace Hopper"), QString(), QStringLiteral("GH-1906"))), 0);
    }
    const QString pdf = scratch.filePath(QStringLiteral("pass.pdf"));
    int listed = 0;
    dialogs.queueHook([&](QDialog& dialog) {
        QTableWidget& table = *dialog.findChild<QTableWidget*>(QStringLiteral("Visitor_Table"));
        listed = table.rowCount();
        table.selectRow(listed - 1);
        dialog.findChild<QPushButton*>(QStringLiteral("Print_Button"))->click();
    });
    dialogs.queueHook([&](QDialog& dialog) {
        QPrinter& printer = *static_cast<QPrintDialog&>(dialog).printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        dialog.setResult(QDialog::Accepted);
    });
    Open_Visitor_Log(controller);
    EXPECT_GE(listed, 1);
    ASSERT_TRUE(QFile::exists(pdf)) << qPrintable(messages.texts().join(u'|'));
    const QString page = scratch.filePath(QStringLiteral("pass"));
    TestEnvironment::run(QStringLiteral("pdftoppm"),
                         {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, page});
    const auto read = TestEnvironment::run(QStringLiteral("ZXingReader"), {QStringLiteral("-noscale"), page + QStringLiteral(".png")});
    EXPECT_TRUE(read.out.contains("Text:       \"GH-1906\"") || read.out.contains("\"GH-1906\"")) << read.out.constData();
    EXPECT_TRUE(messages.texts().isEmpty()) << qPrintable(messages.texts().join(u'|'));
}

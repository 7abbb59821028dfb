// The front desk over a hostile visitor log, on the real window with the real message boxes
// (pictured in build/test-artifacts/visitors): a file that is not a log is refused by the log
// button and by Register Visitor, the desk goes on once a log is back, and a log with a value too
// large to read lists what it can beside the box that says why.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTableWidget>
#include <QTimer>

#include "VisitorDeskFixture.h"
#include "views/dialogs/QtMessagePresenter.h"
#include "views/visitors/VisitorPassDesign.h"
#include "visitors/VisitorLog.h"

namespace {

const QString kArtifacts = QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR);

class VisitorLogTrustRoad : public VisitorDeskFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(VisitorDeskFixture::SetUp());
        ASSERT_NO_FATAL_FAILURE(openDeskPass());
        QDir().mkpath(kArtifacts);
        // Every box from here on is the real one, answered as it shows.
        boxWatch.setInterval(20);
        QObject::connect(&boxWatch, &QTimer::timeout, [this] { answerShownBoxes(); });
        boxWatch.start();
    }

    // Each box shown is pictured under the next name given, its text kept, and closed with OK.
    void answerShownBoxes()
    {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(top);
            if (!box || !box->isVisible())
                continue;
            shownTexts << box->text();
            if (shownTexts.size() <= boxNames.size())
                box->grab().save(kArtifacts + u'/' + boxNames.at(shownTexts.size() - 1));
            box->accept();
        }
    }

    QFileInfo liveLog() const { return QFileInfo(VisitorLog::livePath()); }

    QtMessagePresenter realBoxes;
    ScopedMessagePresenter realScope{realBoxes};
    QTimer boxWatch;
    QStringList boxNames, shownTexts;
};

TEST_F(VisitorLogTrustRoad, AFileThatIsNotALogIsRefusedInTheBoxesAndTheDeskGoesOnWithoutIt)
{
    ASSERT_NO_FATAL_FAILURE(makeLiveLog(QStringLiteral(
        "CREATE TABLE Kept (S_No INTEGER PRIMARY KEY, Name TEXT); "
        "CREATE VIEW Visitor_Records AS SELECT S_No, '' AS Date_and_Time, '' AS Photo_Path, Name, '' AS Company_Name, "
        "'' AS Address, '' AS Phone, '' AS Email, '' AS Purpose, '' AS Person_to_Meet, '' AS Visitor_No, '' AS Other FROM Kept;")));
    const QDateTime written = liveLog().lastModified();
    const QString refusal = QStringLiteral("\nThe file %1 is not a visitor log: its Visitor_Records is a view, not a table.")
                                .arg(VisitorLog::livePath());
    boxNames = {QStringLiteral("refused-log-by-log-button.png"), QStringLiteral("refused-log-by-register.png"),
                QStringLiteral("registered-after-refused-log.png")};

    EXPECT_TRUE(opensNoWindow("visitor_log_btn"));
    type("Fup_Name", QStringLiteral("Ana Souza"));
    click("register_visitor_btn");
    EXPECT_EQ(shownTexts, (QStringList{refusal, refusal}));
    EXPECT_EQ(front().textBox(QStringLiteral("Fup_Name"))->text(), QStringLiteral("Ana Souza"));
    EXPECT_EQ(liveLog().lastModified(), written);
    EXPECT_FALSE(QFile::exists(VisitorLog::livePath() + QStringLiteral("-wal")));

    // The file taken away, the desk makes its log and registers the visitor still typed in.
    ASSERT_TRUE(QFile::remove(VisitorLog::livePath()));
    click("register_visitor_btn");
    EXPECT_EQ(shownTexts.value(2), QStringLiteral("\nVisitor registered successfully."));
    EXPECT_EQ(QString::fromUtf8(TestEnvironment::run(QStringLiteral("sqlite3"),
                                                     {VisitorLog::livePath(), QStringLiteral("SELECT S_No, Name FROM Visitor_Records")})
                                    .out),
              QStringLiteral("1|Ana Souza\n"));
}

TEST_F(VisitorLogTrustRoad, ALogWithAValueTooLargeToReadListsTheVisitorsAfterItBesideTheBoxThatSaysWhy)
{
    // The oldest visitor's note is 17 MB, the next one's name longer than the log keeps.
    ASSERT_NO_FATAL_FAILURE(makeLiveLog(kRecordsTable + QStringLiteral(
        "INSERT INTO Visitor_Records (Name, Other) VALUES ('Omar Farah', zeroblob(17000000)); "
        "INSERT INTO Visitor_Records (Name) VALUES (replace(hex(zeroblob(35000)), '0', 'n')); "
        "INSERT INTO Visitor_Records (Name, Visitor_No) VALUES ('Li Wei', 'V-0003');")));
    boxNames = {QStringLiteral("log-value-too-large.png")};
    QStringList names;
    QString count;
    dialogs.queueHook([&](QDialog& window) {
        const QTableWidget& table = *window.findChild<QTableWidget*>(QStringLiteral("Visitor_Table"));
        for (int row = 0; row < table.rowCount(); ++row)
            names << table.item(row, 3)->text().left(12);
        count = window.findChild<QLabel*>(QStringLiteral("Count_Label"))->text();
        window.resize(1000, 500);
        window.show();
        QCoreApplication::processEvents();
        window.grab().save(kArtifacts + QStringLiteral("/log-listed-after-value-too-large.png"));
        window.hide();
    });
    click("visitor_log_btn");
    EXPECT_EQ(shownTexts, QStringList{"\nThe visitor log could not be read: string or blob too big"});
    EXPECT_EQ(names, (QStringList{"nnnnnnnnnnnn", "Li Wei"}));
    EXPECT_EQ(count, QStringLiteral("2 visitor(s) \u2014 1 text(s) longer than the log keeps were cut short."));
}

}  // namespace

#pragma once
// The front desk on the real window in visitor mode: the front side panel typed into and its
// buttons pressed as a user does, passes printed to PDF on a stand-in printer and read back.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "StartRoadFixture.h"
#include "mainwindow/LiveModePanels.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/print/StandInPrinters.h"
#include "views/visitors/Profile_Side_Panel.h"
#include "views/visitors/VisitorPassDesign.h"
#include "views/visitors/VisitorPassPrinting.h"
#include "visitors/VisitorLog.h"

// Adds a field of the kind (0 text, 1 picture) through the panel's own controls.
inline void addField(Profile_Side_Panel& panel, int kind, const QString& name)
{
    panel.findChild<QComboBox*>(QStringLiteral("new_ctrl_type"))->setCurrentIndex(kind);
    panel.findChild<QLineEdit*>(QStringLiteral("new_ctrl_name"))->setText(name);
    panel.findChild<QPushButton*>(QStringLiteral("add_field_btn"))->click();
}

class VisitorDeskFixture : public StartRoadFixture {
protected:
    void TearDown() override
    {
        visitorPassPrintToFile.clear();
        StartRoadFixture::TearDown();
    }
    // The desk's own pass design, "desk pass (h)", opened in visitor mode on a shown window.
    void openDeskPass()
    {
        CARD_SIDE_STR = QStringLiteral("1");
        writeTemplateFile(QStringLiteral("desk pass (h)"), QStringLiteral("visitor"), QStringLiteral("Horizontal"),
                          QSizeF(243, 154), visitortest::passFront(QDir(scratch.path())));
        controller.window()->resize(1280, 800);
        controller.showWindow();
        ASSERT_NO_FATAL_FAILURE(openVisitorPass());
    }
    // The shipped visitor template opened in visitor mode on a shown window.
    void openShippedPass(const QString& name = QStringLiteral("visitor orange (h)"))
    {
        CARD_SIDE_STR = QStringLiteral("1");
        ASSERT_NO_FATAL_FAILURE(copyBuiltResources({QStringLiteral("Templates/visitor/%1.did").arg(name), "photo_placeholder.png"}));
        controller.window()->resize(1280, 800);
        controller.showWindow();
        ASSERT_NO_FATAL_FAILURE(openVisitorPass());
        ASSERT_EQ(Start_Card_Option, QStringLiteral("V"));
    }
    Profile_Side_Panel& front() const { return controller.liveModes().panel(0); }
    void type(const char* id, const QString& text)
    {
        QLineEdit& field = *front().textBox(QLatin1String(id));
        field.setText(text);
        Q_EMIT field.textEdited(text);
    }
    void click(const char* button) { front().findChild<QPushButton*>(QLatin1String(button))->click(); }
    // Presses the button; true when it opened no window (print panel, preview).
    bool opensNoWindow(const char* button)
    {
        bool opened = false;
        dialogs.queueHook([&opened](QDialog&) { opened = true; });
        click(button);
        dialogs.clearHooks();
        return !opened;
    }
    // The next passes print into this PDF, on the stand-in printer's paper.
    static void printTo(const QString& pdf) { visitorPassPrintToFile = pdf; }
    // The PDF's page as a PNG at dpi beside it (pdftoppm); its path.
    static QString pageOf(const QString& pdf, int dpi)
    {
        const QString page = pdf.chopped(4);
        TestEnvironment::run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                                          QStringLiteral("-singlefile"), pdf, page});
        return page + QStringLiteral(".png");
    }
    QString barcodeOn(const QString& pdf) const
    {
        const auto read = TestEnvironment::run(QStringLiteral("ZXingReader"), {QStringLiteral("-noscale"), pageOf(pdf, 300)});
        for (const QByteArray& line : read.out.split('\n'))
            if (line.startsWith("Text:"))
                return QString::fromUtf8(line.mid(5)).trimmed().remove(u'"');
        return QString();
    }

    GraphicPtr onCard(const char* id) const
    {
        return controller.graphicView(SKTDocument::FrontSide)->Selcect_Ctrl_With_ID(QLatin1String(id));
    }
    QString printPass(const QString& file)
    {
        const QString pdf = scratch.filePath(file + QStringLiteral(".pdf"));
        printTo(pdf);
        click("print_pass_btn");
        EXPECT_TRUE(QFile::exists(pdf)) << qPrintable(messages.texts().join(u'|'));
        return pdf;
    }
    // The pass of the log's row printed from the log window.
    QString reprint(int row)
    {
        const QString pdf = scratch.filePath(QStringLiteral("reprint-%1.pdf").arg(row));
        printTo(pdf);
        dialogs.queueHook([row](QDialog& log) {
            log.findChild<QTableWidget*>(QStringLiteral("Visitor_Table"))->selectRow(row);
            log.findChild<QPushButton*>(QStringLiteral("Print_Button"))->click();
        });
        click("visitor_log_btn");
        EXPECT_TRUE(QFile::exists(pdf)) << qPrintable(messages.texts().join(u'|'));
        return pdf;
    }
    // How many pixels differ between the two PDFs' pages at 200 dpi (ImageMagick), shades within
    // a tenth counting as equal.
    static int differingPixels(const QString& a, const QString& b)
    {
        const auto compared = TestEnvironment::run(
            QStringLiteral("compare"), {QStringLiteral("-metric"), QStringLiteral("AE"), QStringLiteral("-fuzz"), QStringLiteral("10%"),
                                        pageOf(a, 200), pageOf(b, 200), QStringLiteral("null:")});
        bool number = false;
        const int count = QString::fromUtf8(compared.err).trimmed().toInt(&number);
        return number ? count : -1;
    }
    // The live log's table as the program makes it, for makeLiveLog.
    inline static const QString kRecordsTable = QStringLiteral(
        "CREATE TABLE Visitor_Records (S_No INTEGER PRIMARY KEY, Date_and_Time TEXT, Photo_Path TEXT, Name TEXT, "
        "Company_Name TEXT, Address TEXT, Phone TEXT, Email TEXT, Purpose TEXT, Person_to_Meet TEXT, Visitor_No TEXT, "
        "Other TEXT); ");
    // The live log made anew by Python's sqlite3 with these statements.
    static void makeLiveLog(const QString& statements)
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(VisitorLog::livePath()).absolutePath()));
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(VisitorLog::livePath() + QLatin1String(suffix));
        const auto made = TestEnvironment::runPython(
            QStringLiteral("import sqlite3, sys\ndb = sqlite3.connect(sys.argv[1])\ndb.executescript(sys.argv[2])\n"
                           "db.commit()\ndb.close()\n"),
            {VisitorLog::livePath(), statements});
        ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    }
    // The live log's columns, a row a line, as the sqlite3 shell gives them.
    static QString logged(const char* columns)
    {
        return QString::fromUtf8(TestEnvironment::run(QStringLiteral("sqlite3"),
                                                      {VisitorLog::livePath(),
                                                       QStringLiteral("SELECT %1 FROM Visitor_Records").arg(QLatin1String(columns))})
                                     .out)
            .trimmed();
    }

    StandInPrinters printers;
};

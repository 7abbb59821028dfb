// A real spool: a CUPS server of the test's own (its configuration, spool and socket in a
// temporary folder) with a PDF queue; File > Print on a design whose Code 128 takes four records of
// spreadsheet data prints a 2 x 2 sheet through the print window, and the PDF the queue wrote holds
// one page with the four symbols.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QProcess>
#include <QTest>

#include "barcodes/BarcodeLists.h"
#include "data/Data_From_Excel.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/OutputCommands.h"
#include "mainwindow/SKTWindowController.h"
#include "model/SKTDocument.h"
#include "OwnCupsServer.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"

namespace {

const QString kQueue = QStringLiteral("ZovaPDF");
const QString kQueueDriver = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

// Every cups-pdf queue of the machine writes into the same folder (~/PDF) unless its device names
// an instance of its own (cups-pdf:/<name>), whose configuration, cups-pdf-<name>.conf beside the
// backend's own, may send its jobs elsewhere: this test's queue writes into a folder only it uses,
// so that another program's print job is never taken for this test's.
class OwnPdfInstance {
public:
    bool make(const QTemporaryDir& folder, QString* why)
    {
        name = QStringLiteral("zova-test-%1").arg(QCoreApplication::applicationPid());
        output = QDir(folder.path()).filePath(QStringLiteral("pdf"));
        QDir().mkpath(output);
        chmod(QFile::encodeName(output).constData(), 0777);
        // The backend reads its configurations from the print system's folder, whichever server runs it.
        for (const QString& configuration : {QStringLiteral("/etc/cups"), QDir(folder.path()).filePath(QStringLiteral("etc"))}) {
            const QString path = QDir(configuration).filePath(QStringLiteral("cups-pdf-%1.conf").arg(name));
            if (!QDir().mkpath(configuration) || !writeText(path, QStringLiteral("Out %1\n").arg(output))) {
                *why = QStringLiteral("cannot write ") + path;
                return false;
            }
            configurations << path;
        }
        return true;
    }
    ~OwnPdfInstance()
    {
        for (const QString& path : configurations)
            QFile::remove(path);
    }

    QString name;
    QString output;
    QStringList configurations;
};

QStringList pdfsIn(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

}  // namespace

TEST(PrintSpoolRoadTest, AFourCardSheetGoesThroughTheQueueIntoAPdf)
{
    if (!canRunOwnCupsServer(kQueueDriver) || !QFile::exists("/usr/lib/cups/backend/cups-pdf"))
        GTEST_SKIP() << "needs root, cups and printer-driver-cups-pdf (scripts/deps.sh installs them)";
    QTemporaryDir folder;
    QString why;
    OwnPdfInstance pdfInstance;
    ASSERT_TRUE(pdfInstance.make(folder, &why)) << why.toStdString();
    OwnCupsServer cups;
    ASSERT_TRUE(cups.start(folder, &why)) << why.toStdString();
    ASSERT_TRUE(cups.addQueue(kQueue, "cups-pdf:/" + pdfInstance.name, kQueueDriver, {}, &why)) << why.toStdString();
    const QString output = pdfInstance.output;

    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope(messages);
    ScriptedDialogPresenter dialogs;
    CARD_SIDE_STR = QStringLiteral("1");
    Data_From_Excel& table = Loaded_Data_Table();
    table.ListData.clear();
    for (int n = 1; n <= 4; ++n)
        table.Create_List_By_Array({QStringLiteral("ZOVA-%1").arg(n, 4, 10, QChar('0'))}, 1);
    SKTDocument document;
    SKTWindowController controller(document);
    GraphicPtr barcode = SKTGraphic::create(GraphicKind::Barcode);
    barcode->data_source_type = 2;
    barcode->excel_binding = true;
    barcode->excel_col_indx = 1;
    barcode->barcode.barcode_font_index = int(symbologyTitles().indexOf(QStringLiteral("Code 128")));
    barcode->barcode.linear_or_2d = 0;
    barcode->barcode.linear_width_val = 12;
    const QRectF box(10, 30, 220, 80);
    barcode->setBounds(box);
    barcode->ctrl_is_visible = true;
    barcode->Set_Barcode_image_control_bounds(box);
    document.replaceGraphicsOnSide(SKTDocument::FrontSide, {barcode});

    QString printer;
    dialogs.queueHook([&printer](QDialog& window) {
        printer = window.findChild<QComboBox*>(QStringLiteral("Printer_ComboBox"))->currentText();
        window.findChild<QSpinBox*>(QStringLiteral("Col_Text"))->setValue(2);
        window.findChild<QSpinBox*>(QStringLiteral("Row_Text"))->setValue(2);
        window.findChild<QPushButton*>(QStringLiteral("PrintButton"))->click();
    });
    Print_Button(controller);
    EXPECT_EQ(printer, kQueue);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join('|').toStdString();

    // The folder is this queue's alone: the one job is this test's.
    QString written;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const QStringList now = pdfsIn(output);
            if (now.size() == 1)
                written = QDir(output).filePath(now.first());
            return !written.isEmpty();
        },
        120000))
        << "the queue wrote nothing into " << output.toStdString();
    EXPECT_TRUE(written.contains(QLatin1String("ZOVA_ID_Card"))) << written.toStdString();
    QTest::qWait(500);  // the backend closes the file after naming it
    const auto info = TestEnvironment::run(QStringLiteral("pdfinfo"), {written});
    const QString pdfInfo = QString::fromUtf8(info.out);
    EXPECT_TRUE(pdfInfo.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << info.out.constData();
    EXPECT_TRUE(pdfInfo.contains(QLatin1String("595 x 842 pts"))) << info.out.constData();  // the shared A4 page

    const QString page = folder.filePath("page");
    TestEnvironment::run(QStringLiteral("pdftoppm"), {"-r", "200", "-png", "-singlefile", written, page});
    const auto read = TestEnvironment::run(QStringLiteral("ZXingReader"), {"-format", "Code128", page + ".png"});
    QStringList values;
    for (const QString& line : QString::fromUtf8(read.out).split(u'\n'))
        if (line.startsWith(QLatin1String("Text:")))
            values.append(line.section(u'"', 1, 1));
    values.sort();
    EXPECT_EQ(values, QStringList({"ZOVA-0001", "ZOVA-0002", "ZOVA-0003", "ZOVA-0004"})) << read.out.constData();
    QFile::remove(written);
    table.ListData.clear();
}

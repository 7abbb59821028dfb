// Design file speed: a group-mode project with a 10,000-row x 20-column table and 100 elements,
// saved and opened through the main window's design-file road (budgets: save 0.5 s, open 1 s),
// against Python's plistlib loading the same file.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "barcodes/BarcodeFactory.h"
#include "canvas/model/SKTDocument.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/designfile/DesignFileController.h"
#include "BenchSupport.h"

namespace {

constexpr int kRows = 10000;
constexpr int kColumns = 20;
constexpr int kElements = 100;
constexpr int kRuns = 5;
constexpr double kSaveBudget = 0.5;
constexpr double kOpenBudget = 1.0;

void fillTable(Data_From_Excel& table)
{
    table.ColList.removeDataColumns();
    for (int c = 1; c <= kColumns; ++c)
        table.ColList.addColumn(Column_Key_For_Index(c), QStringLiteral("Field %1").arg(c));
    for (int r = 0; r < kRows; ++r) {
        QStringList cells;
        for (int c = 0; c < kColumns; ++c)
            cells.append(c % 3 ? QStringLiteral("Person %1 value %2").arg(r).arg(c) : QString::number(r * 100 + c));
        table.Create_List_By_Array(cells, kColumns);
    }
}

// Texts, shapes, lines, pictures, barcodes and signatures in turn, spread over both sides.
void fillSides(SKTDocument& document, const QString& picture)
{
    const GraphicKind kinds[] = {GraphicKind::Text, GraphicKind::Shape, GraphicKind::Line,
                                 GraphicKind::Image, GraphicKind::Barcode, GraphicKind::Signature};
    GraphicList front, back;
    for (int i = 0; i < kElements; ++i) {
        GraphicPtr g = SKTGraphic::create(kinds[i % 6]);
        g->_bounds = QRectF(5 + i % 20 * 10, 5 + i / 20 * 25, 40, 20);
        g->control_ID = QStringLiteral("F_field%1").arg(i);
        g->Text_Value = QStringLiteral("Value %1").arg(i);
        g->_file_path = picture;
        g->data_source_type = 2, g->excel_col_indx = 1 + i % kColumns;
        if (g->kind() == GraphicKind::Barcode) {
            barcodeFactory().Set_Barcode_Prop_To_Control(*g);
            g->Set_Barcode_image(barcodeFactory().Get_Image_From_Val(g->Text_Value, QString(), QString()));
        }
        (i % 2 ? back : front).append(g);
    }
    document.replaceGraphicsOnSide(SKTDocument::FrontSide, front);
    document.replaceGraphicsOnSide(SKTDocument::BackSide, back);
}

template <typename Run>
double medianSeconds(Run run)
{
    std::vector<double> seconds;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        seconds.push_back(timer.nsecsElapsed() / 1e9);
    }
    return median(seconds);
}

double plistlibSeconds(const QString& path)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import plistlib, sys, time\n"
                                 "best = []\n"
                                 "for _ in range(%1):\n"
                                 "    t = time.perf_counter(); plistlib.load(open(sys.argv[1], 'rb')); best.append(time.perf_counter() - t)\n"
                                 "print(sorted(best)[len(best) // 2])\n")
                      .arg(kRuns),
                  path});
    python.waitForFinished(600000);
    return python.exitCode() == 0 ? python.readAllStandardOutput().trimmed().toDouble() : -1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("photo.png"));
    QImage photo(300, 400, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    photo.save(picture);
    const QString file = dir.filePath(QStringLiteral("project.did"));

    SKTDocument document;
    Card_Property front, back;
    Data_From_Excel table;
    DesignFileController controller(document, front, back);
    fillTable(table);
    fillSides(document, picture);
    Start_Card_Option = QStringLiteral("G");
    Excel_Binding_Use = true;

    const double save = medianSeconds([&] { controller.Save_project_file(file, false, QStringLiteral("L")); });
    int loaded = 1;
    const double open = medianSeconds([&] {
        loaded &= controller.Read_and_load_design_Log_NEW_METHOD(file, QStringLiteral("L"), true);
    });
    const double python = plistlibSeconds(file);

    std::printf("group-mode project: %d rows x %d columns, %d elements, %.1f MB\n", kRows, kColumns, kElements,
                QFileInfo(file).size() / 1e6);
    std::printf("save  %.3f s (budget %.1f s) %s\n", save, kSaveBudget, save <= kSaveBudget ? "ok" : "OVER BUDGET");
    std::printf("open  %.3f s (budget %.1f s) %s%s\n", open, kOpenBudget, open <= kOpenBudget ? "ok" : "OVER BUDGET",
                loaded ? "" : " (load failed)");
    if (python > 0)
        std::printf("python plistlib load %.3f s: %.2f x our open\n", python, python / open);
    else
        std::printf("python plistlib: not run\n");
    return save <= kSaveBudget && open <= kOpenBudget && loaded ? 0 : 1;
}

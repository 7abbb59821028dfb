// Design file speed on a realistic group-mode project: a 10,000-row x 20-column table of mixed
// values, 100 elements with texts in many scripts, and six distinct photos of 1 to 12 megapixels
// in the picture elements. Saving and opening through the main window's design-file road, against
// Python's plistlib dumping and loading the same file.
// Timing: ours in-process; plistlib in a Python worker started once, which loads or dumps on
// request. Both are timed by the same clock around one call, so Python's start-up and imports
// stay out; the peer's time carries one pipe round trip more, well under a millisecond.
// Budgets: our open at most a third of plistlib's load, our save at most plistlib's dump.
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "barcodes/BarcodeFactory.h"
#include "mainwindow/DesignFileController.h"
#include "mainwindow/MainWindowGlobals.h"
#include "model/SKTDocument.h"
#include "BenchSupport.h"

namespace {

constexpr int kRows = 10000;
constexpr int kColumns = 20;
constexpr int kElements = 100;
constexpr int kPictureEvery = 16;  // six picture elements among the hundred
constexpr int kRounds = 7;
constexpr double kOpenTarget = 1.0 / 3;
constexpr double kSaveTarget = 1.0;

// Megapixels of the photos, one per picture element; the first two are stored as PNG, the rest as
// JPEG, as scans and camera photos come.
constexpr double kMegapixels[] = {1, 2, 4, 6, 9, 12};
constexpr int kPngPhotos = 2;

const QStringList kGivenNames{QStringLiteral("José"), QStringLiteral("Zoë"), QStringLiteral("Łukasz"),
                              QStringLiteral("Søren"), QStringLiteral("美咲"), QStringLiteral("Ngọc Anh"),
                              QStringLiteral("Αλέξανδρος"), QStringLiteral("Андрей"), QStringLiteral("Anna-Maria"),
                              QStringLiteral("O'Connor")};
const QStringList kFamilyNames{QStringLiteral("Müller-Lüdenscheidt"), QStringLiteral("Ñúñez"),
                               QStringLiteral("Żółkiewski"), QStringLiteral("Ångström"), QStringLiteral("山田"),
                               QStringLiteral("Nguyễn"), QStringLiteral("Παπαδόπουλος"), QStringLiteral("Иванова"),
                               QStringLiteral("van der Berg"), QStringLiteral("김")};
const QStringList kCardTexts{QStringLiteral("Université de Genève — Carte d'étudiant"),
                             QStringLiteral("北京大学 学生证 2024–2025"), QStringLiteral("Mitarbeiterausweis · Größe"),
                             QStringLiteral("🎓 Student 👩‍🔬 Lab access ✅"), QStringLiteral("Ελληνικό Πανεπιστήμιο"),
                             QStringLiteral("Служебное удостоверение №0042"), QStringLiteral("東京都渋谷区 〒150-0002"),
                             QStringLiteral("Çalışan kimlik kartı — İstanbul")};

// A fast deterministic generator: photo noise and table values must not cost the run's minute.
quint32 scramble(quint32 x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

// Gradients with sensor-like noise in every channel, so neither PNG nor JPEG can collapse them.
QImage noisyPhoto(double megapixels, int seed)
{
    const int width = int(std::sqrt(megapixels * 1e6 * 4 / 3));
    const int height = width * 3 / 4;
    QImage photo(width, height, QImage::Format_RGB32);
    quint32 state = scramble(quint32(seed) + 1);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < width; ++x) {
            state = state * 1664525U + 1013904223U;
            const auto channel = [&](int base, int shift) {
                return std::clamp(base + int((state >> shift) & 31) - 16, 0, 255);
            };
            line[x] = qRgb(channel(40 + 180 * x / width, 0), channel(30 + 150 * y / height + 10 * seed, 5),
                           channel(200 - 120 * (x + y) / (width + height), 10));
        }
    }
    return photo;
}

QStringList writePhotos(const QTemporaryDir& dir)
{
    QStringList paths;
    for (int i = 0; i < int(std::size(kMegapixels)); ++i) {
        const QString path = dir.filePath(QStringLiteral("photo%1.%2").arg(i).arg(i < kPngPhotos ? "png" : "jpg"));
        if (!noisyPhoto(kMegapixels[i], i).save(path, nullptr, 90))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        paths.append(path);
    }
    return paths;
}

// Ids with leading zeros, names in many scripts, two date forms, whole and decimal numbers, empty
// cells, mail addresses and telephone numbers with leading zeros.
QString cellValue(int row, int column)
{
    const quint32 pick = scramble(quint32(row * kColumns + column));
    switch (column % 10) {
    case 0: return QStringLiteral("%1").arg(row + 1, 7, 10, QLatin1Char('0'));
    case 1: return kGivenNames[pick % kGivenNames.size()];
    case 2: return kFamilyNames[pick % kFamilyNames.size()];
    case 3: return QStringLiteral("20%1-%2-%3").arg(20 + pick % 15).arg(1 + pick % 12, 2, 10, QLatin1Char('0')).arg(1 + pick % 28, 2, 10, QLatin1Char('0'));
    case 4: return QStringLiteral("%1.%2.19%3").arg(1 + pick % 28).arg(1 + pick % 12).arg(50 + pick % 50);
    case 5: return QString::number(int(pick % 2000000) - 1000000);
    case 6: return QString::number((pick % 1000000) / 100.0, 'f', 2);
    case 7: return pick % 3 ? QString() : QStringLiteral("Département R&D");
    case 8: return QStringLiteral("user%1@exämple.org").arg(pick % 100000);
    default: return QStringLiteral("0%1 %2").arg(30 + pick % 70).arg(pick % 10000000, 7, 10, QLatin1Char('0'));
    }
}

void fillTable(Data_From_Excel& table)
{
    table.ColList.removeDataColumns();
    for (int c = 1; c <= kColumns; ++c)
        table.ColList.addColumn(Column_Key_For_Index(c), QStringLiteral("Feld %1 – Ü").arg(c));
    for (int r = 0; r < kRows; ++r) {
        QStringList cells;
        for (int c = 0; c < kColumns; ++c)
            cells.append(cellValue(r, c));
        table.Create_List_By_Array(cells, kColumns);
    }
}

GraphicPtr element(int index, const QStringList& photos)
{
    const GraphicKind kinds[] = {GraphicKind::Text, GraphicKind::Shape, GraphicKind::Line, GraphicKind::Barcode,
                                 GraphicKind::Signature};
    const bool picture = index % kPictureEvery == 3;
    GraphicPtr g = SKTGraphic::create(picture ? GraphicKind::Image : kinds[index % 5]);
    g->_bounds = QRectF(5 + index % 20 * 10, 5 + index / 20 * 25, 40, 20);
    g->control_ID = QStringLiteral("F_field%1").arg(index);
    g->Text_Value = kCardTexts[index % kCardTexts.size()];
    g->data_source_type = 2, g->excel_col_indx = 1 + index % kColumns;
    if (picture)
        g->_file_path = photos[(index / kPictureEvery) % photos.size()];
    if (g->kind() == GraphicKind::Barcode) {
        g->Text_Value = cellValue(index, 0);
        barcodeFactory().Set_Barcode_Prop_To_Control(*g);
        g->Set_Barcode_image(barcodeFactory().Get_Image_From_Val(g->Text_Value, QString(), QString()));
    }
    return g;
}

// Texts, shapes, lines, barcodes, signatures and the pictures, spread over both sides.
void fillSides(SKTDocument& document, const QStringList& photos)
{
    GraphicList front, back;
    for (int i = 0; i < kElements; ++i)
        (i % 2 ? back : front).append(element(i, photos));
    document.replaceGraphicsOnSide(SKTDocument::FrontSide, front);
    document.replaceGraphicsOnSide(SKTDocument::BackSide, back);
}

// The picture elements of both sides; with `shown`, only those an open brought back from their
// files. One photo serves two elements, so there are more elements than photos.
int pictureElements(const SKTDocument& document, bool shown)
{
    int count = 0;
    for (const GraphicList* side : {&document.graphics(), &document.graphics_back()})
        count += int(std::count_if(side->begin(), side->end(), [shown](const GraphicPtr& g) {
            return g->kind() == GraphicKind::Image && (!shown || !g->_contents.isNull());
        }));
    return count;
}

// Loads or dumps on each request line; the dump is as durable as our save (a temporary file,
// synced, renamed over the target).
const char* const kPlistlibWorker = R"(
import os, plistlib, sys
source, target = sys.argv[1], sys.argv[2]

def load():
    with open(source, 'rb') as f:
        return plistlib.load(f)

def dump(value):
    temporary = target + '.tmp'
    with open(temporary, 'wb') as f:
        plistlib.dump(value, f, fmt=plistlib.FMT_XML)
        f.flush()
        os.fdatasync(f.fileno())
    os.replace(temporary, target)

value = load()
print('ready', flush=True)
for line in sys.stdin:
    request = line.strip()
    if request == 'load':
        load()
    elif request == 'dump':
        dump(value)
    else:
        break
    print('ok', flush=True)
)";

}  // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("project.did"));
    const QString ourSave = dir.filePath(QStringLiteral("saved.did"));

    SKTDocument document;
    Card_Property front, back;
    Data_From_Excel table;
    WindowlessDesignFile windowless;
    DesignFileController controller(document, front, back, windowless);
    fillTable(table);
    fillSides(document, writePhotos(dir));
    const int pictures = pictureElements(document, false);
    Start_Card_Option = QStringLiteral("G");
    Excel_Binding_Use = true;
    if (!controller.Save_project_file(file, false, QStringLiteral("L"))) {
        std::fprintf(stderr, "the design file could not be written\n");
        return 1;
    }
    PeerWorker plistlib(QStringLiteral("/usr/bin/python3"),
                        {QStringLiteral("-c"), QString::fromUtf8(kPlistlibWorker), file,
                         dir.filePath(QStringLiteral("dumped.did"))});
    if (!plistlib.isReady()) {
        std::fprintf(stderr, "plistlib cannot load the design file\n");
        return 1;
    }
    std::printf("group-mode project: %d rows x %d columns, %d elements, %d photos of 1-12 MP, %.1f MB\n", kRows,
                kColumns, kElements, int(std::size(kMegapixels)), QFileInfo(file).size() / 1e6);

    bool allDone = true;
    const PairedTimings save = runPairedRounds(
        Rounds{kRounds, 1, 1},
        BenchSide{[&] { allDone &= controller.Save_project_file(ourSave, false, QStringLiteral("L")); }},
        BenchSide{[&] { allDone &= plistlib.request("dump"); }});
    printRatio("design_file_save", save, "plistlib.dump of the same items, written as durably");

    const PairedTimings open = runPairedRounds(
        Rounds{kRounds, 1, 1},
        BenchSide{[&] { allDone &= controller.Read_and_load_design_Log_NEW_METHOD(file, QStringLiteral("L"), true) == 1; }},
        BenchSide{[&] { allDone &= plistlib.request("load"); }});
    printRatio("design_file_open", open, "plistlib.load of the same file");

    printBudget("design_file_open", "ours/plistlib", open.ratio(), kOpenTarget);
    printBudget("design_file_save", "ours/plistlib", save.ratio(), kSaveTarget);
    if (!allDone || table.rowCount() != kRows || pictureElements(document, true) != pictures) {
        std::fprintf(stderr, "a save, dump or load failed, or the open brought back %d rows and %d of %d pictures\n",
                     table.rowCount(), pictureElements(document, true), pictures);
        return 1;
    }
    return 0;
}

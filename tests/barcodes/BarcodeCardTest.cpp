// Every symbology on a card. design-probe makes a white card holding one new barcode element,
// its picture made by the barcode factory, and writes the card as PDF and as a 600-dpi PNG. The
// PNG, and the PDF rastered by pdftoppm at 300 and at 150 dpi with poppler's anti-aliasing, read
// back to the value: with ZXingReader, and with zbarimg where it reads the symbology. The postal
// codes and Industrial 2 of 5, which neither decoder reads, are read by their bars against
// zint's; Modified Plessey, which neither zint nor a decoder knows in this form, by its bars
// against our encoder's.
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "CardReading.h"
#include "SymbolTools.h"

using namespace symbol_tools;

namespace {

enum class Reading { Decoders, ZintBarHeights, ZintModules, OwnModules };

struct CardCase {
    const char* title;
    QString value;
    QByteArray zxing;  // what ZXingReader reads
    QByteArray zbar;   // what zbarimg reads; empty where it reads no such symbol
    Reading reading = Reading::Decoders;
    int zint = 0;      // zint's symbology, for the bar comparisons
};

const CardCase kCases[] = {
    {"Code 39", "CODE-39 TEST", "CODE-39 TEST", "CODE-39 TEST"},
    {"Extended Code 39", "Hi, you!", "H+I/L +Y+O+U/A", "H+I/L +Y+O+U/A"},
    {"Interleaved 2 of 5", "12345678", "12345678", "12345678"},
    {"UPCA", "03600029145", "036000291452", "0036000291452"},
    {"PostNet", "12345678901", {}, {}, Reading::ZintBarHeights, 40},
    {"Modified Plessey", "1234", {}, {}, Reading::OwnModules},
    {"Modified Plessey (Hex)", "12AB", {}, {}, Reading::OwnModules},
    {"Industrial 2 of 5", "1234567890", {}, {}, Reading::ZintModules, 7},
    {"EAN-13", "400638133393", "4006381333931", "4006381333931"},
    {"Code 128", "Hello World", "Hello World", "Hello World"},
    {"Code 128 SET A", "ABCaDEF", "ABCaDEF", "ABCaDEF"},
    {"Code 128 SET B", "abc{|}~", "abc{|}~", "abc{|}~"},
    {"Code 128 SET C", "12345678", "12345678", "12345678"},
    {"Codabar", "A1234B", "1234", "A1234B"},
    {"UPCE", "0425261", "04252614", "0042100005264"},
    {"EAN-8", "9638507", "96385074", "96385074"},
    {"Royal Mail Barcode (RM4SCC / CBC)", "SN34RD1A", {}, {}, Reading::ZintBarHeights, 70},
    {"Planet", "12345678901", {}, {}, Reading::ZintBarHeights, 82},
    {"Japan Post Barcode", "1234567-8A", {}, {}, Reading::ZintBarHeights, 76},
    {"QR Code", "Grüße, Zoë — 名前 42", QStringLiteral("Grüße, Zoë — 名前 42").toUtf8(),
     QStringLiteral("Grüße, Zoë — 名前 42").toUtf8()},
    {"PDF417", "Grüße, Zoë", QStringLiteral("Grüße, Zoë").toLatin1(), {}},
    {"PDF417", "Привет, мир", QStringLiteral("Привет, мир").toUtf8(), {}},
    {"DataMatrix", "Привет Zoë 42", QStringLiteral("Привет Zoë 42").toUtf8(), {}},
};

// The module of every linear symbol here: the default 20 mils, in points.
constexpr double kModulePoints = 1.44;
// Texts drawn white, so that only the bars are dark on the white card.
const QStringList kWhiteTexts = {QStringLiteral("barcode_hdr_clr_val=#ffffff"),
                                 QStringLiteral("barcode_ftr_clr_val=#ffffff"),
                                 QStringLiteral("barcode_val_clr_val=#ffffff")};

TestEnvironment::ProcessResult designProbe(const QStringList& arguments)
{
    return TestEnvironment::run(QStringLiteral(ZOVA_DESIGN_PROBE), arguments);
}

// The card's front as design-probe writes it and as pdftoppm rasters its PDF, with their dpi.
QList<std::pair<QString, int>> cardPictures(const QString& folder)
{
    QList<std::pair<QString, int>> pictures = {{folder + QStringLiteral("/front.png"), 600}};
    for (int dpi : {300, 150}) {
        const QString stem = folder + QStringLiteral("/pdf%1").arg(dpi);
        const auto run = TestEnvironment::run(
            QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                         QStringLiteral("-singlefile"), folder + QStringLiteral("/front.pdf"), stem});
        EXPECT_EQ(run.exitCode, 0) << run.err.constData();
        pictures.append({stem + QStringLiteral(".png"), dpi});
    }
    return pictures;
}

QString withoutSurroundingLight(const QString& bars)
{
    const qsizetype first = bars.indexOf(u'1');
    return first < 0 ? QString() : bars.mid(first, bars.lastIndexOf(u'1') - first + 1);
}

// What a reading expects from every picture and what it finds in one.
QString expectedBars(const CardCase& c)
{
    switch (c.reading) {
    case Reading::ZintBarHeights: return zintBarLetters(c.zint, c.value);
    case Reading::ZintModules: return withoutSurroundingLight(zintRows(c.zint, c.value).value(0));
    case Reading::OwnModules: return withoutSurroundingLight(probeBars(QString::fromUtf8(c.title), c.value));
    case Reading::Decoders: break;
    }
    return {};
}

QString barsRead(const CardCase& c, const QString& file, int dpi)
{
    const std::vector<card_reading::Bar> bars = card_reading::barsOf(QImage(file));
    if (c.reading == Reading::ZintBarHeights)
        return card_reading::barLettersOf(bars);
    return card_reading::modulesOf(bars, kModulePoints * dpi / 72.0);
}

std::string caseName(const ::testing::TestParamInfo<CardCase>& info)
{
    QString name = QString::fromUtf8(info.param.title);
    name.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")));
    return QStringLiteral("%1_%2").arg(name).arg(info.index).toStdString();
}

// Names a case by its symbology in test listings.
void PrintTo(const CardCase& c, std::ostream* out)
{
    *out << c.title;
}

class BarcodeCard : public ::testing::TestWithParam<CardCase> {};

}  // namespace

TEST_P(BarcodeCard, ReadsBackFromThePngAndFromThePdfAt300And150Dpi)
{
    const CardCase& c = GetParam();
    QTemporaryDir dir;
    const QStringList settings = c.reading == Reading::Decoders ? QStringList() : kWhiteTexts;
    const auto made = designProbe(QStringList{QStringLiteral("barcode"), QString::fromUtf8(c.title), c.value, dir.path()} + settings);
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    const QList<std::pair<QString, int>> pictures = cardPictures(dir.path());
    if (c.reading != Reading::Decoders) {
        const QString expected = expectedBars(c);
        ASSERT_FALSE(expected.isEmpty());
        for (const auto& [file, dpi] : pictures)
            EXPECT_EQ(barsRead(c, file, dpi).toStdString(), expected.toStdString()) << dpi << " dpi";
        return;
    }
    QStringList files;
    for (const auto& picture : pictures)
        files << picture.first;
    const QMap<QString, Decoded> read = zxing(files, {}, {QStringLiteral("-noscale")});
    for (const auto& [file, dpi] : pictures) {
        EXPECT_EQ(read.value(file).bytes.toStdString(), c.zxing.toStdString()) << "ZXingReader at " << dpi << " dpi";
        if (!c.zbar.isEmpty())
            EXPECT_EQ(zbarBytes(file).toStdString(), c.zbar.toStdString()) << "zbarimg at " << dpi << " dpi";
    }
}

INSTANTIATE_TEST_SUITE_P(EverySymbology, BarcodeCard, ::testing::ValuesIn(kCases), caseName);

// A design with barcodes is saved and opened again: the stored pictures give the same symbols,
// and a barcode whose picture the file lacks gets a new one from the factory.
TEST(BarcodeCardDesign, SavedBarcodesReopenAsTheSameSymbolsAndMissingOnesAreMadeAgain)
{
    QTemporaryDir dir;
    for (const CardCase& c : kCases) {
        if (c.reading != Reading::Decoders || QByteArray(c.title).startsWith("Code 128 SET"))
            continue;
        SCOPED_TRACE(c.title);
        const QString design = dir.filePath(QStringLiteral("card.did"));
        const QString lacking = dir.filePath(QStringLiteral("lacking.did"));
        ASSERT_EQ(designProbe({"barcode", c.title, c.value, dir.filePath("made"), "--save", design}).exitCode, 0);
        const auto dropped = TestEnvironment::runPython(
            QStringLiteral("import plistlib, sys\n"
                           "d = plistlib.load(open(sys.argv[1], 'rb'))\n"
                           "entry = [e for e in d if isinstance(e, list) and e and e[0] == 'B'][0]\n"
                           "assert isinstance(entry[25], bytes) and entry[25]\n"
                           "entry[25] = b''\n"
                           "plistlib.dump(d, open(sys.argv[2], 'wb'), fmt=plistlib.FMT_XML)\n"),
            {design, lacking});
        ASSERT_EQ(dropped.exitCode, 0) << dropped.err.constData();
        ASSERT_EQ(designProbe({"render", design, dir.filePath("reopened")}).exitCode, 0);
        ASSERT_EQ(designProbe({"render", lacking, dir.filePath("remade")}).exitCode, 0);
        const QStringList files = {dir.filePath("reopened/front.png"), dir.filePath("remade/front.png")};
        const QMap<QString, Decoded> read = zxing(files, {}, {QStringLiteral("-noscale")});
        for (const QString& file : files)
            EXPECT_EQ(read.value(file).bytes.toStdString(), c.zxing.toStdString()) << file.toStdString();
        EXPECT_EQ(QImage(files[0]).size(), QImage(dir.filePath("made/front.png")).size());
    }
}

// A card holding a barcode of every symbology, left in build/test-artifacts/barcodes/ for people
// to look at.
TEST(BarcodeCardDesign, ACardWithEverySymbologyIsLeftToLookAt)
{
    const QString folder = QStringLiteral(ZOVA_BARCODE_ARTIFACT_DIR "/every-symbology");
    const auto made = designProbe({QStringLiteral("every-barcode"), folder});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    const QImage card(folder + QStringLiteral("/front.png"));
    EXPECT_GT(card.width(), 3000);
    EXPECT_GT(card.height(), 3000);
}

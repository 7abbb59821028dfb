// The barcode factory: what a new element's picture holds and measures, what gives no picture,
// and the faults of the window-bound factory it replaces.
#include <dlfcn.h>
#include <pthread.h>

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QThreadPool>
#include <atomic>
#include <gtest/gtest.h>

#include "SymbolTools.h"
#include "barcodes/BarcodeDrawing2D.h"
#include "barcodes/BarcodeFactory.h"
#include "barcodes/BarcodeGenerator.h"
#include "barcodes/BarcodeLists.h"
#include "barcodes/BarcodeText.h"
#include "barcodes/pdf417/Pdf417View.h"
#include "model/SKTBarcode.h"
#include "support/InkPixels.h"

namespace {

constexpr double kMillimetre = 2.8346472;  // the barcode window's millimetre in points
constexpr double kSideAllowance = 15;

// A new barcode element of the symbology with the given title.
std::shared_ptr<SKTBarcode> element(const QString& title)
{
    auto barcode = std::make_shared<SKTBarcode>();
    barcode->barcode.barcode_font_index = qint32(symbologyTitles().indexOf(title));
    barcode->barcode.linear_or_2d = isTwoDimensionalSymbology(title) ? 1 : 0;
    return barcode;
}

BarcodePicture pictureOf(const SKTGraphic& barcode, const QString& value, const QString& header = "HEADER",
                         const QString& footer = "FOOTER")
{
    BarcodeFactory& factory = barcodeFactory();
    factory.Set_Barcode_Prop_To_Control(barcode);
    return factory.Get_Image_From_Val(value, header, footer);
}

// A text band of the default font and the millimetre under or over it, in points.
double bandWithMargin()
{
    return barcodeBandHeight(CardFont{QStringLiteral("DejaVu Sans"), 10}) * 72.0 + kMillimetre;
}

// The bytes ZXingReader reads from a picture drawn at 600 dpi.
QByteArray decoded(const BarcodePicture& picture, const QString& format)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("picture.png"));
    EXPECT_TRUE(picture.toImage(600).save(file));
    return symbol_tools::zxing({file}, format, {QStringLiteral("-noscale")}).value(file).bytes;
}

// Threads started in this process, counted where every thread starts.
std::atomic<int> threadsStarted{0};

QByteArray picturesInAPdf()
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(72);
    QPainter painter(&writer);
    double y = 0;
    for (const QString& title : {QStringLiteral("QR Code"), QStringLiteral("PDF417"), QStringLiteral("Code 128")}) {
        const BarcodePicture picture = pictureOf(*element(title), QStringLiteral("ZOVA"));
        EXPECT_FALSE(picture.isNull()) << title.toStdString();
        picture.draw(painter, QPointF(0, y));
        y += picture.size().height();
    }
    painter.end();
    return buffer.data();
}

}  // namespace

extern "C" int pthread_create(pthread_t* thread, const pthread_attr_t* attributes, void* (*start)(void*), void* argument)
{
    using Create = int (*)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);
    static const auto create = reinterpret_cast<Create>(dlsym(RTLD_NEXT, "pthread_create"));
    ++threadsStarted;
    return create(thread, attributes, start, argument);
}

TEST(BarcodeFactoryTest, ANewElementGivesCode39WithItsTextsSizedByTheRules)
{
    const BarcodePicture picture = pictureOf(SKTBarcode(), QStringLiteral("0123"));
    ASSERT_TRUE(picture.isDrawing());
    // Start, four characters and stop of 13 modules, each module 20 mils (1.44 points); bars of 6 mm
    // under a header and over the caption and the footer, each with its millimetre; the margins.
    EXPECT_NEAR(picture.size().width(), 6 * 13 * 1.44 + 2 * kMillimetre + kSideAllowance, 0.01);
    EXPECT_NEAR(picture.size().height(), 6 * kMillimetre + 3 * bandWithMargin() + 2 * kMillimetre, 0.01);
    EXPECT_EQ(decoded(picture, QStringLiteral("Code39")), QByteArray("0123"));
}

TEST(BarcodeFactoryTest, BlankRefusedAndMismatchedValuesGiveNoPicture)
{
    const auto code39 = element(QStringLiteral("Code 39"));
    EXPECT_TRUE(pictureOf(*code39, QStringLiteral(" \t\n")).isNull());
    EXPECT_TRUE(pictureOf(*element(QStringLiteral("EAN-13")), QStringLiteral("12")).isNull());
    EXPECT_TRUE(pictureOf(*element(QStringLiteral("QR Code")), QStringLiteral(" \x01")).isNull());
    auto mismatched = element(QStringLiteral("QR Code"));
    mismatched->barcode.linear_or_2d = 0;  // a 2-D title on the linear page
    EXPECT_TRUE(pictureOf(*mismatched, QStringLiteral("0123")).isNull());
    code39->barcode.linear_or_2d = 1;
    EXPECT_TRUE(pictureOf(*code39, QStringLiteral("0123")).isNull());
    code39->barcode.barcode_font_index = 22;
    EXPECT_TRUE(pictureOf(*code39, QStringLiteral("0123")).isNull());
    // Blank around a value is still the value.
    EXPECT_FALSE(pictureOf(*element(QStringLiteral("Code 39")), QStringLiteral(" 0123 ")).isNull());
    // 2,000 characters of Code 128 are 31,700 points of bars: more than a stored picture holds.
    EXPECT_TRUE(pictureOf(*element(QStringLiteral("Code 128 SET B")), QString(2000, u'x')).isNull());
    const auto hugeQr = element(QStringLiteral("QR Code"));
    hugeQr->barcode.qr_size_val = 1000;
    EXPECT_TRUE(pictureOf(*hugeQr, QStringLiteral("ZOVA")).isNull()) << "1,000 points at 600 dpi";
}

TEST(BarcodeFactoryTest, TheRasterStepKeepsThePointSizeAndRefusesWhatIsNoPicture)
{
    QImage symbol(12, 12, QImage::Format_ARGB32);
    symbol.fill(Qt::black);
    const BarcodePicture raised = Increase_DPI(BarcodePicture(symbol), 600);
    EXPECT_EQ(raised.size(), QSizeF(12, 12));
    EXPECT_EQ(raised.image().size(), QSize(100, 100));
    EXPECT_EQ(raised.image().pixel(50, 50), qRgb(0, 0, 0));
    EXPECT_TRUE(Increase_DPI(BarcodePicture(), 600).isNull());
    EXPECT_TRUE(Increase_DPI(BarcodePicture(symbol), 0).isNull());
}

// The window-bound factory framed a 2-D symbol in the window's last frame: 0 x 0 before any
// preview, another element's afterwards.
TEST(BarcodeFactoryFaults, TwoDimensionalSymbolsAlwaysGetAFrameFittedToThem)
{
    const auto qr = element(QStringLiteral("QR Code"));
    const BarcodePicture first = pictureOf(*qr, QStringLiteral("ZOVA"));
    const QSizeF fitted(60 + 2 * kMillimetre + kSideAllowance, 60 + 2 * bandWithMargin() + 2 * kMillimetre);
    EXPECT_NEAR(first.size().width(), fitted.width(), 0.01);
    EXPECT_NEAR(first.size().height(), fitted.height(), 0.01);
    EXPECT_EQ(decoded(first, QStringLiteral("QRCode")), QByteArray("ZOVA"));

    const BarcodePicture pdf417 = pictureOf(*element(QStringLiteral("PDF417")), QStringLiteral("ZOVA"));
    EXPECT_NEAR(pdf417.size().width(), 100 + 2 * kMillimetre + kSideAllowance, 0.01);
    EXPECT_EQ(pictureOf(*qr, QStringLiteral("ZOVA")).size(), first.size()) << "never the last element's frame";
}

// Loading left the PDF417 level and the custom resolution at whatever the window last held.
TEST(BarcodeFactoryFaults, LoadingTakesThePdf417LevelAndTheCustomResolution)
{
    BarcodeContext context;
    const auto pdf417 = element(QStringLiteral("PDF417"));
    pdf417->barcode.pdf_ec_val = 5;
    Set_Barcode_Prop_To_Control(context, *pdf417);
    const QImage symbol = Generate_Barcode_Variable(context, QStringLiteral("ZOVA"), {}, {}).image_2d.image();
    pdf417View atFive, atTwo;
    atFive.setErrorLevel(5);
    atFive.drawWithText(QStringLiteral("ZOVA"));
    atTwo.drawWithText(QStringLiteral("ZOVA"));
    EXPECT_EQ(symbol, atFive.getImage());
    EXPECT_NE(symbol, atTwo.getImage());
    EXPECT_EQ(symbol.width(), 834) << "100 points at 600 dpi";

    const auto qr = element(QStringLiteral("QR Code"));
    const int custom = int(resolutionEntries().indexOf(QStringLiteral("Custom")));
    const struct { int entry; QString text; int dpi; } cases[] = {
        {custom, "300", 300}, {custom, "300 dpi", 300}, {custom, "abc", 600}, {custom, "0", 600},
        {custom, "100000", 600}, {int(resolutionEntries().indexOf("150")), "300", 150}, {0, "300", 600}, {99, "", 600}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        qr->barcode.dpi_val_index = c.entry;
        qr->barcode.dpi_custom_val = c.text;
        Set_Barcode_Prop_To_Control(context, *qr);
        EXPECT_EQ(context.USED_DPI_VALUE, c.dpi);
        const BarcodePicture raster = Generate_Barcode_Variable(context, QStringLiteral("ZOVA"), {}, {}).image_2d;
        EXPECT_EQ(raster.image().width(), qCeil(c.dpi * 60 / 72.0));
        EXPECT_EQ(raster.size(), QSizeF(60, 60));
    }
}

// After a failed PDF417 encode the window-bound factory returned the previous symbol, so a batch
// record could carry the record before it.
TEST(BarcodeFactoryFaults, AFailedPdf417EncodeGivesNoPicture)
{
    const auto pdf417 = element(QStringLiteral("PDF417"));
    pdf417->barcode.pdf_ec_val = 8;
    const BarcodePicture first = pictureOf(*pdf417, QStringLiteral("A"));
    ASSERT_FALSE(first.isNull());
    // 1200 bytes take 1000 codewords: more than a symbol holds.
    EXPECT_TRUE(pictureOf(*pdf417, QString(1200, QChar(0xE9))).isNull());
    EXPECT_EQ(pictureOf(*pdf417, QStringLiteral("A")), first);
}

// The text went to PDF417 in the system's 8-bit encoding, which could fail for batch values.
TEST(BarcodeFactoryFaults, Pdf417TextGoesAsLatin1WhereItCanElseAsUtf8)
{
    const auto pdf417 = element(QStringLiteral("PDF417"));
    const QString latin = QStringLiteral("Grüße, Zoë");
    const QString cyrillic = QStringLiteral("Привет, мир");
    EXPECT_EQ(decoded(pictureOf(*pdf417, latin), QStringLiteral("PDF417")), latin.toLatin1());
    EXPECT_EQ(decoded(pictureOf(*pdf417, cyrillic), QStringLiteral("PDF417")), cyrillic.toUtf8());
}

// A picture asked for while a print job ran was drawn by a worker thread that the caller waited
// for without end. Pictures are made on the calling thread, also inside a PDF being painted.
TEST(BarcodeFactoryFaults, PicturesAreMadeOnTheCallingThreadEvenWhileAPdfIsPainted)
{
    // Qt converts large pictures on the threads of its pool: every one of them is started here
    // and kept, so that only a thread started for a picture would count.
    QThreadPool& pool = *QThreadPool::globalInstance();
    pool.setExpiryTimeout(-1);
    const int poolThreads = pool.maxThreadCount();
    QSemaphore running, release, finished;
    for (int i = 0; i < poolThreads; ++i) {
        pool.start([&] {
            running.release();
            release.acquire();
            finished.release();
        });
    }
    running.acquire(poolThreads);
    release.release(poolThreads);
    finished.acquire(poolThreads);
    const int started = threadsStarted;
    EXPECT_GT(picturesInAPdf().size(), 1000);
    EXPECT_EQ(threadsStarted, started);
}

// Headers and footers were measured without the letter spacing they are drawn with, and the
// caption not at all: a footer wider than its QR Code lost its last words, a header wider than
// the bars with no side margin too, and a caption wider than narrow bars lost its outer digits
// at the picture's edges. The picture is as wide as each of its texts is drawn.
TEST(BarcodeFactoryFaults, TextsWiderThanTheSymbolAreDrawnWhole)
{
    enum Line { Header, Footer, Caption };
    const struct {
        const char* symbology;
        const char* value;
        const char* header;
        const char* footer;
        float mils;
        float sideMargin;
        Line line;
        const char* format;
    } cases[] = {
        {"QR Code", "0042", "HEADER", "Ada Lovelace", 20, 1, Footer, "QRCode"},
        {"PDF417", "0042", "Visitor of the Board", "FOOTER", 20, 1, Header, "PDF417"},
        {"Code 39", "1", "HEADER LONG TEXT", "FOOTER", 20, 0, Header, "Code39"},
        {"Code 128", "123456789012", "", "", 10, 1, Caption, "Code128"},
        {"Code 128", "123456789012", "", "", 10, 0, Caption, "Code128"},
        {"Code 128", "ZOVA-0042", "", "", 20, 0, Caption, "Code128"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.symbology) + " " + c.value);
        const auto barcode = element(QString::fromLatin1(c.symbology));
        BarcodeSettings& s = barcode->barcode;
        s.linear_width_val = c.mils;
        s.LR_margin_val = c.sideMargin;
        s.show_hide_hdr = c.line == Header ? 0 : 1;
        s.show_hide_ftr = c.line == Footer ? 0 : 1;
        const BarcodePicture picture = pictureOf(*barcode, c.value, c.header, c.footer);
        ASSERT_FALSE(picture.isNull());
        const QString text = QString::fromLatin1(c.line == Header ? c.header : c.line == Footer ? c.footer : c.value);
        const CardFont& font = c.line == Header ? s.header_font_val : c.line == Footer ? s.footer_font_val : s.value_font_val;
        // The text as one line with its spacing, on its own.
        QRectF whole;
        for (const QPainterPath& glyph : barcodeTextAtPoint(text, font, kBarcodeTextSpacing, {}))
            whole = whole.united(glyph.boundingRect());
        const QImage drawn = picture.toImage(288);
        const QRectF ink = inkOfOuterLine(drawn, c.line == Header, 4);
        EXPECT_NEAR(ink.width(), whole.width(), 0.75) << "every word and digit on its one line";
        EXPECT_GT(ink.left(), 0.5) << "nothing cut at the left edge";
        EXPECT_LT(ink.right(), picture.size().width() - 0.5) << "nothing cut at the right edge";
        EXPECT_EQ(decoded(picture, QString::fromLatin1(c.format)), QByteArray(c.value));
    }
}

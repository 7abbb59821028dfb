// The bounds of a barcode's value and picture, and the probe refusing what lies beyond them
// instead of crashing or stalling.
#include <QTemporaryDir>

#include "SymbolTools.h"
#include "barcodes/BarcodeLimits.h"
#include "barcodes/linear/LinearSymbologies.h"

TEST(BarcodeLimits, EverySymbologyBoundsItsValue)
{
    const std::pair<QString, qsizetype> twoDimensional[] = {{"QR Code", 7089}, {"PDF417", 5420}, {"DataMatrix", 3116}};
    std::vector<std::pair<QString, qsizetype>> bounds(std::begin(twoDimensional), std::end(twoDimensional));
    for (const QString& title : linearSymbologyTitles())
        bounds.emplace_back(title, 1000);
    for (const auto& [title, most] : bounds) {
        SCOPED_TRACE(title.toStdString());
        EXPECT_EQ(barcodeValueMaxLength(title), most);
        EXPECT_EQ(barcodeValueRefusal(title, QString(most, QLatin1Char('7'))), QString());
        EXPECT_EQ(barcodeValueRefusal(title, QString(most + 1, QLatin1Char('7'))),
                  QStringLiteral("The value has %1 characters; %2 takes at most %3.").arg(most + 1).arg(title).arg(most));
    }
}

TEST(BarcodeLimits, PicturesBeyondTheBoundAreRefused)
{
    const struct { double width, height; bool fits; } cases[] = {
        {8192, 8192, true}, {131072, 512, true}, {8192, 8193, false}, {131073, 1, false},
        {1e300, 1e300, false}, {std::nan(""), 1, false}, {1, INFINITY, false}};
    for (const auto& c : cases)
        EXPECT_EQ(barcodePictureRefusal(c.width, c.height).isEmpty(), c.fits) << c.width << " x " << c.height;
    EXPECT_EQ(barcodePictureRefusal(707520, 4480),
              "The barcode picture would be 707520 x 4480 pixels, too large to draw: at most 67108864 pixels, "
              "and 131072 on a side.");
}

// barcode-probe wrote into a picture it could not allocate, and spent minutes on long Royal Mail
// values; what lies beyond the bounds is refused with the reason, and what lies within is drawn.
TEST(BarcodeLimits, ProbeRefusesWhatLiesBeyondTheBounds)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("symbol.png"));
    const QString code128(1000, QLatin1Char('A'));
    const struct { QStringList arguments; int exitCode; QString message; } cases[] = {
        {{"png", "Code 128", QString(10240, QLatin1Char('A')), png, "64"}, 2, "The value has 10240 characters; Code 128 takes at most 1000."},
        {{"bars", "Royal Mail Barcode (RM4SCC / CBC)", QString(20000, QLatin1Char('A'))}, 2, "takes at most 1000"},
        {{"bars", "QR Code", QString(7090, QLatin1Char('1'))}, 2, "QR Code takes at most 7089"},
        {{"png", "Code 128", code128, png, "64"}, 2, "The barcode picture would be 707520 x 4480 pixels"},
        {{"png", "QR Code", QString(7089, QLatin1Char('1')), png, "64"}, 2, "The barcode picture would be 11840 x 11840"},
        {{"png", "Code 128", code128, png, "1"}, 0, ""},
        {{"bars", "Royal Mail Barcode (RM4SCC / CBC)", QString(1000, QLatin1Char('A'))}, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.mid(0, 2).join(' ').toStdString() + " " + std::to_string(c.arguments[2].size()));
        const auto result = symbol_tools::probe(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err.toStdString();
        EXPECT_TRUE(QString::fromUtf8(result.err).contains(c.message)) << result.err.toStdString();
    }
    EXPECT_EQ(QImage(png).size(), QSize(11055, 70));
}

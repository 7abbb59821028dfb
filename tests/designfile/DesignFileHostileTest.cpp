// Design files made to hurt: texts that changed at every save, character references that are no
// characters, table rows shared thousands of times, texts in many pieces, a text of one long word
// and a table row of many cells. Each file is a design this program saved, changed by Python's
// plistlib at test time.
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "designfile/DesignFile.h"
#include "designfile/DesignFileSamples.h"
#include "model/drawing/TextLayout.h"
#include "render/CardImage.h"
#include "support/TestEnvironment.h"
#include "designfile/StoredPictureDesigns.h"

using namespace Qt::StringLiterals;

namespace {

// Items of the sample design: the front's watermark text, the table rows, the front's first entry
// (a text element) and, within that entry, its bounds, text, shadow flag and rotation.
constexpr int kWatermarkItem = 33, kRowsItem = 73, kFrontTextItem = 87;
constexpr int kBoundsField = 1, kTextField = 31, kShadowField = 32, kRotationField = 38;

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

class DesignFileHostile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(writeDesignFile(sample, DesignSamples::fullDesign(DesignSamples::samplePicture(dir.path())))); }

    // The sample with Python statements run on its root array `d`, written to `name` as XML or
    // binary, with byte replacements (a Python list of pairs) for what plistlib cannot write.
    QString changed(const QString& name, const QString& statements, bool binary = false,
                    const QString& replacements = u"[]"_s)
    {
        const QString target = dir.filePath(name);
        const auto result = TestEnvironment::runPython(
            u"import plistlib, sys\nd = plistlib.load(open(sys.argv[1], 'rb'))\n"_s + statements
                + u"\nb = plistlib.dumps(d, fmt=plistlib.FMT_%1)\nfor old, new in %2: b = b.replace(old, new)\n"
                  "open(sys.argv[2], 'wb').write(b)\n"_s.arg(binary ? u"BINARY"_s : u"XML"_s, replacements),
            {sample, target});
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        return target;
    }

    static QString refusal(const QString& path)
    {
        DesignFileError error;
        return readDesignFile(path, &error) ? u"(opened)"_s : error.reason;
    }

    // Saved, opened and saved again: the second file is the first.
    void expectFixedPoint(const DesignState& state)
    {
        const QString once = dir.filePath(u"once.did"_s), twice = dir.filePath(u"twice.did"_s);
        ASSERT_TRUE(writeDesignFile(once, state));
        const std::optional<DesignState> reopened = readDesignFile(once, nullptr);
        ASSERT_TRUE(reopened);
        ASSERT_TRUE(writeDesignFile(twice, *reopened));
        EXPECT_EQ(fileBytes(once), fileBytes(twice));
    }

    QTemporaryDir dir;
    const QString sample = dir.filePath(u"sample.did"_s);
};

}  // namespace

// QString::fromUtf8 dropped a leading U+FEFF at every reading, so each save and open took one off.
TEST_F(DesignFileHostile, LeadingByteOrderMarksSurviveSavingAndOpening)
{
    for (const bool binary : {false, true}) {
        SCOPED_TRACE(binary ? "binary" : "xml");
        const QString path = changed(u"marks.did"_s,
                                     u"d[%1] = '\\ufeff\\ufeffWatermark'\nd[%2][%3] = '\\ufeff'\n"
                                     "d[%4][0]['\\ufeffKey'] = '\\ufeffcell'"_s
                                         .arg(kWatermarkItem)
                                         .arg(kFrontTextItem)
                                         .arg(kTextField)
                                         .arg(kRowsItem),
                                     binary);
        const std::optional<DesignState> state = readDesignFile(path, nullptr);
        ASSERT_TRUE(state);
        EXPECT_EQ(state->front.Watermark_Text(), u"\ufeff\ufeffWatermark"_s);
        EXPECT_EQ(state->frontElements[0]->Text_Value, u"\ufeff"_s);
        EXPECT_EQ(state->rows[0].value(u"\ufeffKey"_s), u"\ufeffcell"_s);
        expectFixedPoint(*state);
        // What we write, plistlib reads as it was.
        ASSERT_TRUE(writeDesignFile(path, *state));
        const auto read = TestEnvironment::runPython(
            u"import plistlib, sys\nd = plistlib.load(open(sys.argv[1], 'rb'))\nprint(ascii(d[%1]), ascii(d[%2][%3]))"_s
                .arg(kWatermarkItem)
                .arg(kFrontTextItem)
                .arg(kTextField),
            {path});
        EXPECT_EQ(read.out, "'\\ufeff\\ufeffWatermark' '\\ufeff'\n");
    }
}

// "Water&#x100000000;mark" wrapped round to a NUL in the parser and read as "Water"; in a key it
// silently replaced another cell of the row.
TEST_F(DesignFileHostile, CharacterReferencesThatAreNoCharactersAreRefused)
{
    const QString watermark = changed(u"watermark.did"_s, u"d[%1] = 'Water-here-mark'"_s.arg(kWatermarkItem),
                                      false, u"[(b'-here-', b'&#x100000000;')]"_s);
    const QString key = changed(u"key.did"_s, u"d[%1][0]['a-here-zzz'] = 'kept'; d[%1][0]['a'] = 'other'"_s.arg(kRowsItem),
                                false, u"[(b'-here-', b'&#4294967296;')]"_s);
    for (const QString& path : {watermark, key})
        EXPECT_TRUE(refusal(path).contains(u"NUL character"_s)) << refusal(path).toStdString();
}

// plistlib writes a row once and may refer to it from every place it stands; read, every reference
// is a copy of its own.
TEST_F(DesignFileHostile, RowsSharedThousandsOfTimesAreRefusedBeforeTheyAreCopied)
{
    const QString shared = changed(u"shared.did"_s,
                                   u"d[%1] = [{f'Column{i}': 'x' for i in range(1000)}] * 5000"_s
                                       .arg(kRowsItem),
                                   true);
    ASSERT_LT(QFile(shared).size(), 100000);
    EXPECT_TRUE(refusal(shared).contains(u"too large"_s)) << refusal(shared).toStdString();

    const QString modest = changed(u"modest.did"_s,
                                   u"d[%1] = [{f'Column{i}': 'x' for i in range(20)}] * 200"_s.arg(kRowsItem),
                                   true);
    const std::optional<DesignState> state = readDesignFile(modest, nullptr);
    ASSERT_TRUE(state);
    ASSERT_EQ(state->rows.size(), 200);
    EXPECT_EQ(state->rows[199].size(), 20);
}

// A barcode's stored picture is a PNG that may stand for a picture of hundreds of megabytes; a binary
// list may name one from thousands of entries, each decoded again (200 names of a 70 KB PNG took
// 12 GB). Each picture is decoded once, and past a budget pictures are made again from the settings.
TEST_F(DesignFileHostile, StoredPicturesAreDecodedOnceAndWithinABudget)
{
    const QString png = storedBarcodesPython();
    // One picture of 2000 x 2000 (16 MB decoded) named by forty entries.
    const QString shared = changed(u"shared-picture.did"_s, png + u"p = png(2000, 200)\nbarcodes([p] * 40)"_s, true);
    const std::optional<DesignState> once = readDesignFile(shared, nullptr);
    ASSERT_TRUE(once);
    ASSERT_EQ(once->frontElements.size(), 40);
    for (const GraphicPtr& element : once->frontElements) {
        EXPECT_EQ(element->_barcode_image.image().size(), QSize(2000, 2000));
        EXPECT_EQ(element->_barcode_image.image().cacheKey(), once->frontElements[0]->_barcode_image.image().cacheKey());
    }
    // Eight different pictures of 16 MB each: those past 64 MB are left to be made again.
    const QString different = changed(u"different-pictures.did"_s, png + u"barcodes([png(2000, s) for s in range(8)])"_s);
    const std::optional<DesignState> budget = readDesignFile(different, nullptr);
    ASSERT_TRUE(budget);
    ASSERT_EQ(budget->frontElements.size(), 8);
    const auto decoded = std::count_if(budget->frontElements.cbegin(), budget->frontElements.cend(),
                                       [](const GraphicPtr& element) { return !element->_barcode_image.isNull(); });
    EXPECT_EQ(decoded, 4);
    // The first four in file order, each element with its own picture.
    for (int shade = 0; shade < 8; ++shade) {
        const QImage image = budget->frontElements[shade]->_barcode_image.image();
        EXPECT_EQ(image.isNull(), shade >= 4) << shade;
        if (!image.isNull())
            EXPECT_EQ(qRed(image.pixel(1999, 1999)), shade) << shade;
    }
}

// Comments and CDATA sections cut a text into pieces; joining them took quadratic time.
TEST_F(DesignFileHostile, TextInManyPiecesOpensAsOneText)
{
    const QString path = changed(u"pieces.did"_s, u"d[%1] = 'in-pieces'"_s.arg(kWatermarkItem), false,
                                 u"[(b'in-pieces', b'W<!---->' * 200000 + b'<![CDATA[<&>]]>')]"_s);
    const std::optional<DesignState> state = readDesignFile(path, nullptr);
    ASSERT_TRUE(state);
    EXPECT_EQ(state->front.Watermark_Text(), QString(200000, u'W') + u"<&>"_s);
    expectFixedPoint(*state);
}

// A text of one long word was laid out line by line far below its box, each line scanning the rest
// of the word: minutes for a megabyte. Lines stop at the box's bottom, and nothing is drawn below.
TEST_F(DesignFileHostile, ALongTextIsLaidOutOnlyAsFarAsItsBoxShows)
{
    for (const char* text : {"'W' * 40000", "'Wide words ' * 20000"}) {
        SCOPED_TRACE(text);
        const QString path = changed(u"long.did"_s,
                                     u"e = d[%1]\ne[%2] = '{{10, 10}, {120, 30}}'\ne[%3] = %4\ne[%5] = 'N'\ne[%6] = '0'"_s
                                         .arg(kFrontTextItem)
                                         .arg(kBoundsField)
                                         .arg(kTextField)
                                         .arg(QLatin1String(text))
                                         .arg(kShadowField)
                                         .arg(kRotationField));
        const std::optional<DesignState> state = readDesignFile(path, nullptr);
        ASSERT_TRUE(state);
        const GraphicPtr element = state->frontElements[0];
        element->print_object = 0;  // the sample's text is kept off output
        Card_Property side;
        side.setCard_fill_chk(false);
        const CardScene scene{{element}, side, 0, QRectF(0, 0, 243, 400)};
        const QImage picture = rasterAt(scene.card.size(), 72, [&](QPainter& p) { drawCardScene(p, scene); });
        const auto inkInRows = [&picture](int from, int to) {
            for (int y = from; y < to; ++y)
                for (int x = 0; x < picture.width(); ++x)
                    if (qGray(picture.pixel(x, y)) < 160)
                        return true;
            return false;
        };
        EXPECT_TRUE(inkInRows(10, 40)) << "the box shows its text";
        // The box ends at 40; the line that crosses its bottom is drawn, none after it.
        EXPECT_FALSE(inkInRows(40 + 20, picture.height())) << "lines below the box";
    }
}

// A long text is laid out from a beginning of it, longer each time until the lines shown are sure:
// they are the lines of the whole text, whatever the words, scripts and alignment.
TEST(TextBoxLayoutOfALongText, ShowsTheLinesOfTheWholeText)
{
    QString mixed;
    const QStringList words{u"card"_s, u"W"_s.repeated(300), u"Zoë,"_s, u"北京大学学生证"_s, u"بطاقة الطالب"_s, u"a-b"_s,
                            u"\U0001F600"_s, u"x"_s, u"Ängström\u0301"_s};
    for (int i = 0; mixed.size() < 30000; ++i)
        mixed += words[(i * 7 + i / 3) % words.size()] + (i % 11 == 0 ? u"\n"_s : u" "_s);
    QFont font(u"DejaVu Sans"_s);
    font.setPointSizeF(12);
    for (const QString& text : {mixed, u"W"_s.repeated(20000), u"Wide words "_s.repeated(3000)}) {
        for (const int alignment : {0, 1, 2, 3}) {
            for (const double height : {30.0, 400.0, 5000.0}) {
                const TextBoxLayout shown(text, font, alignment, 120, height), whole(text, font, alignment, 120);
                EXPECT_GE(shown.height(), height);
                const QSize size(200, int(shown.height()) - 1);
                QImage a(size, QImage::Format_RGB32), b(size, QImage::Format_RGB32);
                for (auto [picture, layout] : {std::pair{&a, &shown}, std::pair{&b, &whole}}) {
                    picture->fill(Qt::white);
                    QPainter painter(picture);
                    layout->draw(painter, QPointF(0, 0));
                }
                EXPECT_TRUE(a == b) << text.size() << " characters, alignment " << alignment << ", box height " << height;
            }
        }
    }
}

// libplist looked every new key up among those before it: a row of a million cells took 41 s to save.
TEST_F(DesignFileHostile, ATableRowOfManyCellsSavesAsItOpened)
{
    const QString path = changed(u"wide.did"_s,
                                 u"d[%1] = [{f'Column{i:06d}': str(i) for i in range(100000)}]"_s.arg(kRowsItem));
    const std::optional<DesignState> state = readDesignFile(path, nullptr);
    ASSERT_TRUE(state);
    ASSERT_EQ(state->rows.size(), 1);
    EXPECT_EQ(state->rows[0].size(), 100000);
    EXPECT_EQ(state->rows[0].value(u"Column099999"_s), u"99999"_s);
    expectFixedPoint(*state);
}

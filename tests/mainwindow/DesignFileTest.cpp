// Design files: what they hold, how they read back, and that tools nobody here wrote accept them.
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "mainwindow/DesignFileSamples.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/designfile/DesignElementRecords.h"
#include "mainwindow/designfile/DesignFile.h"
#include "platform/PropertyList.h"
#include "support/CommaLocale.h"
#include "support/TestEnvironment.h"

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QVariantList itemsOf(const QByteArray& bytes)
{
    return PropertyList::fromData(bytes).value_or(QVariant()).toList();
}

void expectSameElements(const GraphicList& expected, const GraphicList& actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i]->kind(), actual[i]->kind()) << i;
        EXPECT_EQ(expected[i]->archivedData(), actual[i]->archivedData()) << "element " << i << " of kind "
                                                                          << qPrintable(expected[i]->className());
    }
}

class DesignFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        picture = dir.filePath(QStringLiteral("photo.png"));
        QImage photo(40, 50, QImage::Format_RGB32);
        photo.fill(Qt::darkCyan);
        photo.save(picture);
    }
    // Every file a test wrote is checked by tools nobody here wrote.
    void TearDown() override { DesignSamples::expectPlistToolsAccept(QDir(dir.path()), {}); }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    // Writes the state and answers the path.
    QString saved(const DesignState& state, const char* name)
    {
        QString error;
        EXPECT_TRUE(writeDesignFile(path(name), state, &error)) << qPrintable(error);
        return path(name);
    }

    QTemporaryDir dir;
    QString picture;
};

TEST_F(DesignFile, EveryFieldOfBothSidesTheTableAndTheBindingsReadsBackEqual)
{
    const DesignState original = DesignSamples::fullDesign(picture);
    DesignFileError error;
    const auto read = readDesignFile(saved(original, "full.did"), &error);
    ASSERT_TRUE(read) << error.itemIndex << " " << qPrintable(error.reason);
    EXPECT_EQ(read->startMode, "G");
    EXPECT_TRUE(read->front == original.front);
    EXPECT_TRUE(read->back == original.back);
    EXPECT_EQ(read->excelBindingUse, original.excelBindingUse);
    EXPECT_EQ(read->excelSourcePath, original.excelSourcePath);
    EXPECT_EQ(read->columnTitles, original.columnTitles);
    EXPECT_EQ(read->rows, original.rows);
    EXPECT_EQ(read->groupColumns, original.groupColumns);
    expectSameElements(original.frontElements, read->frontElements);
    expectSameElements(original.backElements, read->backElements);
    EXPECT_EQ(read->frontElements[0]->Text_Value, "Line one\r\nLine two & <b>\u00fc</b>");

    // The panels' rows: texts and pictures with their own identifiers, and the missing partners.
    const QList<DynamicControl> front{{"F_field7", "Line one\r\nLine two & <b>\u00fc</b>", true, 3, "T"},
                                      {"F_label7", picture, true, -1, "P"}};
    EXPECT_EQ(read->dynamicFront, front);
    const QList<DynamicControl> back{{"B_field9", picture, false, -1, "P"}, {"F_label9", "F_label9", false, -1, "T"}};
    EXPECT_EQ(read->dynamicBack, back);
}

TEST_F(DesignFile, TheProbeRewritesOurFilesByteForByteAndDumpsEveryItem)
{
    const QString probe = QCoreApplication::applicationDirPath() + QStringLiteral("/design-probe");
    ASSERT_TRUE(QFile::exists(probe)) << "build the design-probe target";
    const QString in = saved(DesignSamples::fullDesign(picture), "in.did");
    const auto roundtrip = TestEnvironment::run(probe, {"roundtrip", in, path("out.did")});
    ASSERT_EQ(roundtrip.exitCode, 0) << roundtrip.err.constData();
    EXPECT_EQ(fileBytes(in), fileBytes(path("out.did")));

    const auto dump = TestEnvironment::run(probe, {"dump", in});
    ASSERT_EQ(dump.exitCode, 0);
    const QList<QByteArray> lines = dump.out.split('\n');
    EXPECT_EQ(lines.first(), "0: \"ZOVAMACIDCARD\"");
    EXPECT_TRUE(lines.contains("86: \"6\"")) << "front count";
    EXPECT_TRUE(lines.contains("93: \"2\"")) << "back count after six entries";
    EXPECT_TRUE(lines.contains("87.0: \"T\""));
    EXPECT_TRUE(lines.contains("87.31: \"Line one\\r\\nLine two & <b>\xc3\xbc</b>\""));
    EXPECT_TRUE(dump.out.contains("91.25: <data ")) << "the barcode picture";
    EXPECT_TRUE(lines.contains("95: <array 42 items>")) << "the hidden back picture";
}

TEST_F(DesignFile, EmptyDesignHas88ItemsAndEntriesHaveTheirKindsLengths)
{
    DesignState empty;
    empty.startMode = QStringLiteral("L");
    const QVariantList items = itemsOf(designFileData(empty));
    ASSERT_EQ(items.size(), kDesignFileFixedItems);
    EXPECT_EQ(items[0].toString(), "ZOVAMACIDCARD");
    EXPECT_EQ(items[86].toString(), "0");
    EXPECT_EQ(items[87].toString(), "0");
    EXPECT_EQ(items[2].toString(), "N") << "front border off";
    EXPECT_EQ(items[3].toString(), "0.0000:0.0000:0.0000:1.0000") << "black with four decimals";
    EXPECT_EQ(items[15].toString(), "2");
    EXPECT_EQ(items[20].toString(), "{0, 0}");

    const QVariantList full = itemsOf(designFileData(DesignSamples::fullDesign(picture)));
    ASSERT_EQ(full.size(), 88 + 6 + 2);
    const int lengths[] = {39, 24, 25, 42, 65, 22};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(full[87 + i].toList().size(), lengths[i]) << full[87 + i].toList().value(0).toString().toStdString();
    EXPECT_EQ(full[87 + 4].toList()[25].typeId(), QMetaType::QByteArray);
    EXPECT_TRUE(full[87 + 4].toList()[25].toByteArray().startsWith("\x89PNG"));
}

TEST_F(DesignFile, PlistlibAndXmllintAcceptTheFilesAndControlCharactersStayValidXml)
{
    DesignState state = DesignSamples::fullDesign(picture);
    state.frontElements[0]->Text_Value = QStringLiteral("a\rb\x01\x1f\tc\nd\uFFFE");
    state.rows[0][QStringLiteral("Column2")] = QStringLiteral("cell\r\x07");
    const QString file = saved(state, "controls.did");
    EXPECT_TRUE(fileBytes(file).contains("a&#13;b\tc\nd")) << "CR as a character reference, others dropped";

    const auto lint = TestEnvironment::run(QStringLiteral("xmllint"), {"--noout", file});
    EXPECT_EQ(lint.exitCode, 0) << lint.err.constData();
    const auto python = TestEnvironment::runPython(
        "import plistlib, sys\n"
        "items = plistlib.load(open(sys.argv[1], 'rb'))\n"
        "print(len(items), repr(items[87][31]), repr(items[73][0]['Column2']), len(items[91][25]))\n",
        {file});
    ASSERT_EQ(python.exitCode, 0) << python.err.constData();
    EXPECT_TRUE(python.out.startsWith("96 'a\\rb\\tc\\nd' 'cell\\r' ")) << python.out.constData();

    const auto read = readDesignFile(file, nullptr);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->frontElements[0]->Text_Value, "a\rb\tc\nd");
    EXPECT_EQ(read->rows[0].value("Column2"), "cell\r");
}

TEST_F(DesignFile, CommaDecimalLocaleWritesTheSameBytes)
{
    const DesignState state = DesignSamples::fullDesign(picture);
    const QByteArray inC = designFileData(state);
    const ScopedCommaLocale commaLocale;
    if (!commaLocale.active())
        GTEST_SKIP() << "no comma-decimal locale available";
    EXPECT_EQ(designFileData(state), inC);
    const auto read = readDesignFile(saved(state, "de.did"), nullptr);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->frontElements[0]->text_ctrl_font.size, 14.5);
}

TEST(DesignFileForms, ColoursFontsFlagsAndNumbersFollowTheirForms)
{
    // Any 8-bit channel survives four decimals (one decimal would move most of them).
    for (int c = 0; c < 256; ++c) {
        const QColor original(c, 255 - c, c / 2, c);
        ASSERT_EQ(Convert_String_to_Color(Convert_Color_to_String(original)).rgba(), original.rgba()) << c;
    }
    EXPECT_EQ(Convert_Color_to_String(QColor()), "0.0000:0.0000:0.0000:0.0000");
    EXPECT_EQ(Convert_String_to_Color("0.3:0.6:0.9").alphaF(), 0.0f) << "missing parts are 0";
    EXPECT_EQ(Convert_String_to_Color("0.5:x:7:1:0.2"), QColor::fromRgbF(0.5, 0, 1, 1)) << "clamped, fifth ignored";

    EXPECT_EQ(Convert_Font_to_String(CardFont{"DejaVu Sans", 12.345}), "DejaVu Sans::::12.35");
    EXPECT_FALSE(Convert_String_to_Font("DejaVu Sans 12"));
    const auto missing = Convert_String_to_Font("No Such Font Family::::17.5");
    ASSERT_TRUE(missing);
    EXPECT_EQ(*missing, (CardFont{Text_Ctrl_Font, 17.5})) << "the fallback keeps the stored size";

    EXPECT_TRUE(flagFromText("Y"));
    for (const char* no : {"y", "YES", "N", ""})
        EXPECT_FALSE(flagFromText(no)) << no;
    EXPECT_EQ(decimalText(1.333), "1.33");
    EXPECT_EQ(decimalFromText("1e39"), 0.0f) << "beyond single precision";
    EXPECT_EQ(rectText(QRectF(0.1, -2, 1e21, 3)), "{{0.1, -2}, {1e+21, 3}}");
    EXPECT_EQ(rectFromText(" {{ 0.1 ,-2},{1e+21, 3}} "), QRectF(0.1, -2, 1e21, 3));
    for (const char* bad : {"{{nan, 0}, {1, 1}}", "{{1e999, 0}, {1, 1}}", "{{1, 2}, {3}}", "{1, 2, 3, 4}"})
        EXPECT_FALSE(rectFromText(bad)) << bad;
}

TEST(DesignFileForms, OptionalTailsOfLineAndImageEntries)
{
    const QVariantList line = Get_Control_Prop_To_Array(*DesignSamples::line());
    const GraphicPtr shortLine = Create_Control_From_Array(line.mid(0, 22), 87);
    ASSERT_TRUE(shortLine);
    EXPECT_FALSE(static_cast<SKTLine&>(*shortLine)._pointsRight);
    EXPECT_THROW(Create_Control_From_Array(line.mid(0, 23), 87), DesignFileError);

    QVariantList image = Get_Control_Prop_To_Array(*DesignSamples::image("/p.png"));
    const GraphicPtr forty = Create_Control_From_Array(image.mid(0, 40), 87);
    EXPECT_EQ(forty->Text_Value, "/p.png");
    EXPECT_TRUE(forty->Drawing_Shadow);
    image[40] = QStringLiteral("Text here");
    EXPECT_EQ(Create_Control_From_Array(image.mid(0, 41), 87)->Text_Value, "/p.png");
    image[40] = QString();
    EXPECT_EQ(Create_Control_From_Array(image, 87)->Text_Value, "");
    EXPECT_FALSE(Create_Control_From_Array(image, 87)->Drawing_Shadow);

    const QVariantList signature = Get_Control_Prop_To_Array(*DesignSamples::signature(QString()));
    EXPECT_TRUE(signature[21].toString().endsWith("/sign_sample.png"));
}

}  // namespace

// Design files: what they hold, how they read back, that tools nobody here wrote accept them, and
// saving the open design and loading a file into the live objects; files that are refused.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>
#include <tuple>

#include "barcodes/BarcodeFactory.h"
#include "designfile/DesignElementRecords.h"
#include "designfile/DesignFileSamples.h"
#include "mainwindow/DesignFileController.h"
#include "mainwindow/MainWindowGlobals.h"
#include "model/SKTImage.h"
#include "platform/AppContext.h"
#include "platform/PropertyList.h"
#include "support/CommaLocale.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

// Message boxes show their text below an empty line.
QString shown(const QString& text) { return QLatin1Char('\n') + text; }

QVariantList entriesOf(const GraphicList& elements)
{
    QVariantList entries;
    for (const GraphicPtr& element : elements)
        entries.append(QVariant(Get_Control_Prop_To_Array(*element)));
    return entries;
}

void expectSameElements(const GraphicList& expected, const GraphicList& actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (qsizetype i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i]->archiveDigest(), actual[i]->archiveDigest()) << qPrintable(expected[i]->className());
}

// The sample design written to sample.did and open, in group mode on a two-sided card.
class DesignFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        CARD_SIDE_STR = QStringLiteral("2"), Not_Draw_Only_Prop_Change = false;
        Data_Folder_Path = dir.filePath(QStringLiteral("DataSet"));
        ASSERT_TRUE(writeDesignFile(path("sample.did"), design));
        ASSERT_EQ(load("sample.did"), 1);
        Start_Card_Option = QStringLiteral("G"), Project_File_Name.clear();
    }
    void TearDown() override { Start_Card_Option.clear(), Excel_Binding_Use = false, Excel_Source_Path.clear(); }

    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    QVariantList itemsAt(const char* name) const
    {
        return PropertyList::readFile(path(name)).value_or(QVariant()).toList();
    }
    int load(const char* name) { return controller.Read_and_load_design_Log_NEW_METHOD(path(name), "L", true); }

    QTemporaryDir dir;
    DesignState design = DesignSamples::fullDesign(DesignSamples::samplePicture(dir.path()));
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter presenterScope{messages};
    SKTDocument document;
    Card_Property front, back;
    Data_From_Excel table;
    WindowlessDesignFile windowless;
    DesignFileController controller{document, front, back, windowless};
};

TEST_F(DesignFile, EveryFieldOfBothSidesTheTableAndTheBindingsReadsBackEqualAndTheProbeRewritesByteForByte)
{
    DesignFileError error;
    const auto read = readDesignFile(path("sample.did"), &error);
    ASSERT_TRUE(read) << error.itemIndex << " " << qPrintable(error.reason);
    EXPECT_EQ(read->startMode, "G");
    EXPECT_TRUE(read->front == design.front);
    EXPECT_TRUE(read->back == design.back);
    EXPECT_EQ(read->excelBindingUse, design.excelBindingUse);
    EXPECT_EQ(read->excelSourcePath, design.excelSourcePath);
    EXPECT_EQ(read->columnTitles, design.columnTitles);
    EXPECT_EQ(read->rows, design.rows);
    EXPECT_EQ(read->groupColumns, design.groupColumns);
    expectSameElements(design.frontElements, read->frontElements);
    expectSameElements(design.backElements, read->backElements);

    const QString probe = QCoreApplication::applicationDirPath() + QStringLiteral("/design-probe");
    const auto roundtrip = TestEnvironment::run(probe, {"roundtrip", path("sample.did"), path("out.did")});
    ASSERT_EQ(roundtrip.exitCode, 0) << roundtrip.err.constData();
    EXPECT_EQ(fileBytes(path("sample.did")), fileBytes(path("out.did")));
}

TEST_F(DesignFile, EmptyDesignHas88ItemsAndEmptyTextsOrColoursNeverShortenAnEntry)
{
    const QVariantList items = PropertyList::fromData(designFileData(DesignState())).value_or(QVariant()).toList();
    ASSERT_EQ(items.size(), 88);
    EXPECT_EQ(items[0].toString(), "ZOVAMACIDCARD");

    const std::pair<GraphicKind, int> lengths[] = {{GraphicKind::Text, 39},  {GraphicKind::Line, 24},
                                                   {GraphicKind::Shape, 25}, {GraphicKind::Image, 42},
                                                   {GraphicKind::Barcode, 65}, {GraphicKind::Signature, 22}};
    for (const auto& [kind, length] : lengths) {
        GraphicPtr element = SKTGraphic::create(kind);
        element->_fillColor = element->textStyle.txt_clr = element->textStyle.Shadow_Color = QColor();
        element->control_ID.clear();
        element->Text_Value.clear();
        EXPECT_EQ(Get_Control_Prop_To_Array(*element).size(), length) << int(kind);
    }
    EXPECT_TRUE(itemsAt("sample.did")[91].toList()[25].toByteArray().startsWith("\x89PNG")) << "barcode picture";
}

TEST_F(DesignFile, CarriageReturnsAndControlCharactersStayValidXmlForPlistlibAndXmllint)
{
    design.frontElements[0]->Text_Value = QStringLiteral("a\rb\x01\x1f\tc\nd\uFFFE");
    design.rows[0][QStringLiteral("Column2")] = QStringLiteral("cell\r\x07");
    const QString file = path("controls.did");
    ASSERT_TRUE(writeDesignFile(file, design));
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
    const QByteArray inC = designFileData(design);
    const ScopedCommaLocale commaLocale;
    if (!commaLocale.active())
        GTEST_SKIP() << "no comma-decimal locale available";
    EXPECT_EQ(designFileData(design), inC);
}

TEST(DesignFileForms, ColoursKeepFourDecimalsMissingFontsKeepTheirSizeAndBadNumbersAreRefused)
{
    // Any 8-bit channel survives four decimals (one decimal would move most of them), and comes
    // back whole: gradients and text are drawn from all sixteen bits a colour keeps.
    for (int c = 0; c < 256; ++c) {
        const QColor original(c, 255 - c, c / 2, c);
        ASSERT_EQ(Convert_String_to_Color(Convert_Color_to_String(original)), original) << c;
    }
    EXPECT_EQ(Convert_String_to_Color("0.5000:0.2500:1.0000:1.0000"), QColor::fromRgbF(0.5f, 0.25f, 1.0f))
        << "a fraction of no 8-bit channel keeps its own value";
    EXPECT_EQ(Convert_Color_to_String(QColor()), "0.0000:0.0000:0.0000:0.0000");
    const auto missing = Convert_String_to_Font("No Such Font Family::::17.5");
    ASSERT_TRUE(missing);
    EXPECT_EQ(*missing, (CardFont{Text_Ctrl_Font, 17.5})) << "the fallback keeps the stored size";

    EXPECT_EQ(decimalFromText("1e39"), 0.0f) << "beyond single precision";
    EXPECT_EQ(rectFromText(" {{ 0.1 ,-2},{1e+21, 3}} "), QRectF(0.1, -2, 1e21, 3));
    for (const char* bad : {"{{nan, 0}, {1, 1}}", "{{1e999, 0}, {1, 1}}", "{{1, 2}, {3}}", "{1, 2, 3, 4}"})
        EXPECT_FALSE(rectFromText(bad)) << bad;
}

TEST_F(DesignFile, SavingAndOpeningRestoresBothSidesHiddenElementsTheTableAndTheGuards)
{
    ASSERT_TRUE(controller.Save_project_file(QStringLiteral("  ") + path("g.did"), true, QStringLiteral("L")));
    EXPECT_EQ(messages.texts(), QStringList{shown(kDesignSavedMessage)});

    // Another design is open, in another mode, with another table.
    controller.New_Project_Setting_Reset(true);
    table.ListData.clear(), table.ColList.removeDataColumns(), Excel_Binding_Use = false;
    Start_Card_Option = QStringLiteral("L");

    ASSERT_EQ(load("g.did"), 1);
    EXPECT_EQ(entriesOf(document.graphics()), entriesOf(design.frontElements)) << "hidden shape placed too";
    EXPECT_EQ(entriesOf(document.graphics_back()), entriesOf(design.backElements)) << "hidden picture placed too";
    EXPECT_FALSE(document.graphics()[3]->_contents.isNull()) << "the picture loaded from its file";
    EXPECT_TRUE(front == design.front);
    EXPECT_EQ(table.ColList.titles(), (QStringList{"No.", "Name", "Untitled Column 3", "Photo"}));
    EXPECT_EQ(table.ListData, design.rows);
    EXPECT_TRUE(Excel_Binding_Use);
    EXPECT_EQ(controller.excel_cb_value, design.groupColumns);
    EXPECT_EQ(Project_File_Name, path("g.did"));
    EXPECT_FALSE(Not_Draw_Only_Prop_Change);
    EXPECT_TRUE(document.undoManager().isUndoRegistrationEnabled());

    // Saved again as it was opened, the design is the same file.
    ASSERT_TRUE(controller.Save_project_file(path("again.did"), true, QStringLiteral("L")));
    EXPECT_EQ(fileBytes(path("again.did")), fileBytes(path("g.did")));
}

TEST_F(DesignFile, TemplateFormHasAnEmptyTableAndNoBindings)
{
    ASSERT_TRUE(controller.Save_project_file(path("t.did"), false, QStringLiteral("T")));
    const QVariantList items = itemsAt("t.did");
    EXPECT_EQ(items[1].toString(), "T");
    EXPECT_TRUE(items[72].toList().isEmpty());
    EXPECT_TRUE(items[73].toList().isEmpty());
    for (const int at : {87, 90, 91})  // text, image, barcode
        EXPECT_EQ(items[at].toList().mid(20, 5), (QVariantList{"0", "", "-1", "N", "-1"})) << at;
    EXPECT_EQ(document.graphics()[0]->data_source_type, 0) << "the open design loses its bindings too";
}

TEST_F(DesignFile, FailedWriteSaysSoForgetsTheFileNameAndLeavesTheOldFileWhole)
{
    // A disk that fills up half-way through the write.
    writeBytes(path("old.did"), "the design saved before");
    Project_File_Name = path("old.did");
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{4096, previous.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = controller.Save_project_file(path("old.did"), true, QStringLiteral("L"));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(messages.texts(), QStringList{shown(kDesignNotSavedMessage)});
    EXPECT_EQ(Project_File_Name, "");
    EXPECT_EQ(fileBytes(path("old.did")), "the design saved before");
}

TEST_F(DesignFile, BadFilesAreRefusedAsCorruptAndLeaveTheOpenDesignAsItWas)
{
    const QVariantList good = itemsAt("sample.did");
    // The sample's items with item `at`, or item `inner` of the entry at `at`, replaced.
    const auto with = [&](int at, int inner, const QVariant& value) {
        QVariantList items = good, entry = good[at].toList();
        if (inner >= 0)
            entry[inner] = value;
        items[at] = inner >= 0 ? QVariant(entry) : value;
        return items;
    };
    const struct { const char* what; QVariantList items; int index; } cases[] = {
        {"wrong marker", with(0, -1, "ZOVAMACIDCARDS"), 0},
        {"front count beyond the items", with(86, -1, "9"), 86},
        {"front count one too many", with(86, -1, "7"), 93},
        {"negative front count", with(86, -1, "-1"), 86},
        {"front count not a number", with(86, -1, "six"), 86},
        {"back count beyond the items", with(93, -1, "3"), 93},
        {"truncated after the counts", good.mid(0, 90), 86},
        {"card size too large", with(20, -1, "{1e9, 100}"), 20},
        {"card placed far off", with(19, -1, "{0, 100000.5}"), 19},
        {"card place not a point", with(19, -1, "{0, 1, 2}"), 19},
        {"card side of nothing", with(20, -1, "{0, 0}"), 20},
        {"negative card side", with(20, -1, "{-85.6, 54}"), 20},
        {"card side below a millimetre", with(20, -1, "{242.65, 2.83}"), 20},
        {"back's card side just past 200 inches", with(54, -1, "{14400.01, 153.07}"), 54},
        {"not-a-number bounds", with(88, 1, "{{nan, 0}, {10, 10}}"), 88},
        {"wrong entry length", with(89, -1, QVariant(good[89].toList().mid(0, 24))), 89},
        {"text where an array belongs", with(72, -1, "Name"), 72},
        {"row holding a number", with(73, -1, QVariantList{QVariantMap{{"Column1", 5}}}), 73},
        {"group column below -1", with(74, -1, "-2"), 74},
        {"font without its separator", with(87, 25, "DejaVu Sans 12"), 87},
        {"data source type out of range", with(87, 20, "7"), 87},
    };
    const GraphicList openFront = document.graphics();
    const Card_Property openCard = front;
    for (const auto& c : cases) {
        DesignFileError error;
        EXPECT_FALSE(designStateFromItems(c.items, &error)) << c.what;
        EXPECT_EQ(error.itemIndex, c.index) << c.what << ": " << qPrintable(error.reason);

        ASSERT_TRUE(PropertyList::writeFile(path("bad.did"), c.items, PropertyList::Format::Xml));
        EXPECT_EQ(load("bad.did"), 0) << c.what;
        // Only a file that is no design file at all is called corrupt; one that goes wrong further
        // on names the item and the reason.
        const QString message = c.index == 0 ? shown(kCorruptDesignFileMessage)
                                             : shown(QStringLiteral("%1 - \n").arg(c.index) + error.reason);
        EXPECT_EQ(messages.texts().last(), message) << c.what;
        EXPECT_EQ(document.graphics(), openFront) << c.what;
        EXPECT_TRUE(front == openCard) << c.what;
        EXPECT_EQ(table.ListData, design.rows) << c.what;
    }
    // A file that is no design file at all is called corrupt; the log keeps the reason.
    const struct { const char* what; QVariant root; const char* reason; } notDesigns[] = {
        {"first item not the marker", QVariantList{"ZOVAMACIDCARDS", "L"}, "The file does not begin with the design file marker."},
        {"root not an array", QVariantMap{{"ZOVAMACIDCARD", "L"}}, "The property list's root is not an array."},
    };
    for (const auto& c : notDesigns) {
        ASSERT_TRUE(PropertyList::writeFile(path("not.did"), c.root, PropertyList::Format::Xml));
        DesignFileError error;
        EXPECT_FALSE(readDesignFile(path("not.did"), &error)) << c.what;
        EXPECT_EQ(QStringLiteral("%1 - %2").arg(error.itemIndex).arg(error.reason), QStringLiteral("0 - ") + c.reason)
            << c.what;
        EXPECT_EQ(load("not.did"), 0) << c.what;
        EXPECT_EQ(messages.texts().last(), shown(kCorruptDesignFileMessage)) << c.what;
    }
    writeBytes(path("cut.did"), fileBytes(path("sample.did")).left(4000));
    EXPECT_EQ(load("cut.did"), 0);
    EXPECT_EQ(messages.texts().last(), shown(kCorruptDesignFileMessage));
    EXPECT_EQ(document.graphics(), openFront);
}

TEST_F(DesignFile, NonPngPicturesAreMadeAgainUnknownEntriesSkippedAndSeriesStayInTheDataFolder)
{
    QVariantList items = itemsAt("sample.did");
    QVariantList barcode = items[91].toList(), unknown = items[88].toList();
    barcode[25] = QByteArray("\x89PNG\r\n\x1a\n garbage that is no picture");
    barcode[20] = QStringLiteral("1"), barcode[21] = QStringLiteral("../secret");  // a series outside the data folder
    unknown[0] = QStringLiteral("Z");
    items[91] = barcode, items[88] = unknown;
    ASSERT_TRUE(PropertyList::writeFile(path("odd.did"), items, PropertyList::Format::Xml));
    QDir().mkpath(Data_Folder_Path);
    writeBytes(dir.filePath(QStringLiteral("secret.txt")), "do not read\n");

    ASSERT_EQ(load("odd.did"), 1);
    ASSERT_EQ(document.graphics().size(), 5) << "the unknown entry is skipped";
    const GraphicPtr made = document.graphics()[3];
    ASSERT_EQ(made->kind(), GraphicKind::Barcode);
    EXPECT_FALSE(made->_barcode_image.isNull());
    EXPECT_EQ(made->bounds().size(), made->_barcode_image.size());
    EXPECT_EQ(made->bar_image_ctrl_bounds, made->bounds());
    EXPECT_EQ(Barcode_output_image, made->_barcode_image);
    EXPECT_EQ(Get_First_Value_Of_Dataset(QStringLiteral("../secret")), "");

    writeBytes(QDir(Data_Folder_Path).filePath(QStringLiteral("Codes.txt")), "12345 \nsecond\n");
    EXPECT_EQ(Get_First_Value_Of_Dataset(QStringLiteral("Codes")), "12345 ");
}

TEST_F(DesignFile, APictureInAnotherCopysResourcesIsTakenFromThisCopysResources)
{
    // The design was saved by a copy of the application whose resources held the picture.
    const QString savedResources = Resource_Path;
    Resource_Path = dir.path();
    const QString here = DesignSamples::samplePicture(dir.path());
    const QString stored = QStringLiteral("/Applications/ZOVA ID Card.app/Contents/Resources/photo.png");
    const auto picture = SKTImage::initWithPosition(QPointF(20, 20), QImage(), stored);
    picture->ctrl_is_visible = true;
    DesignState moved;
    moved.frontElements = {picture};
    ASSERT_TRUE(writeDesignFile(path("moved.did"), moved));

    const int loaded = load("moved.did");
    Resource_Path = savedResources;
    ASSERT_EQ(loaded, 1);
    ASSERT_EQ(document.graphics().size(), 1);
    const GraphicPtr opened = document.graphics()[0];
    EXPECT_EQ(opened->_file_path.toStdString(), here.toStdString());
    EXPECT_EQ(opened->_contents.size(), QSize(40, 50)) << "the picture is shown";
}
// Every picture element shows its own file, also where two show the same one, which is read once;
// a missing file leaves its element empty. The reading hands its elements over before it decodes
// their barcode pictures, so that the photos are read meanwhile.
TEST_F(DesignFile, EveryPictureElementShowsItsOwnFileAfterAnOpenAndSharedFilesAreShownAlike)
{
    QImage wide(300, 100, QImage::Format_RGB32);
    wide.fill(Qt::darkRed);
    const QString widePath = path("wide.png");
    ASSERT_TRUE(wide.save(widePath));
    const QString cyanPath = DesignSamples::samplePicture(dir.path());
    DesignState pictures;
    for (const QString& file : {cyanPath, widePath, cyanPath, path("missing.png")})
        pictures.backElements.append(SKTImage::initWithPosition(QPointF(10, 10), QImage(), file));
    GraphicPtr barcode = SKTGraphic::create(GraphicKind::Barcode);
    barcodeFactory().Set_Barcode_Prop_To_Control(*barcode);
    barcode->Set_Barcode_image(barcodeFactory().Get_Image_From_Val(QStringLiteral("ZV-02"), QString(), QString()));
    pictures.frontElements = {barcode};
    ASSERT_TRUE(writeDesignFile(path("pictures.did"), pictures));

    int handedOver = 0;
    bool barcodePictureLater = false;
    const auto read = readDesignFile(path("pictures.did"), nullptr, [&](const GraphicList& elements) {
        handedOver = int(elements.size());
        barcodePictureLater = elements[0]->_barcode_image.isNull();
    });
    ASSERT_TRUE(read);
    EXPECT_EQ(std::tuple(handedOver, barcodePictureLater, read->frontElements[0]->_barcode_image.isNull()),
              std::tuple(5, true, false));

    ASSERT_EQ(load("pictures.did"), 1);
    const GraphicList& shown = document.graphics_back();
    ASSERT_EQ(shown.size(), 4);
    for (int i : {0, 2}) {
        EXPECT_EQ(shown[i]->_contents.size(), QSize(40, 50)) << i;
        EXPECT_EQ(shown[i]->_contents.pixel(20, 25), QColor(Qt::darkCyan).rgb()) << i;
    }
    EXPECT_EQ(shown[1]->_contents.size(), QSize(300, 100));
    EXPECT_EQ(shown[1]->_contents.pixel(150, 50), QColor(Qt::darkRed).rgb());
    EXPECT_TRUE(shown[3]->_contents.isNull());
    EXPECT_FALSE(document.graphics()[0]->_barcode_image.isNull());
}
}  // namespace

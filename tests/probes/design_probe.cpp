// design-probe: renders card sides to files and looks into design files, for tests and reviewers.
//   design-probe render --sample OUTDIR   the sample card's front and back
//   design-probe render FILE.did OUTDIR   a design file's front and back
//   design-probe dump FILE.did            every item of a design file with its index
//   design-probe roundtrip IN.did OUT.did reads a design file and writes it again
//   design-probe sample OUT.did           writes the sample card as a design file
//   design-probe barcode SYMBOLOGY VALUE OUTDIR [FIELD=VALUE ...] [--save FILE.did]
//                                         a white card holding one new barcode element of that
//                                         symbology (a title of the symbology list, any case) and
//                                         value, its barcode fields as given, its picture made by
//                                         the barcode factory; exit status 2 when none is made
//   design-probe every-barcode OUTDIR     a white card holding a barcode of every symbology
// Each rendered side becomes <side>.pdf and a 600-dpi <side>.png.
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <type_traits>

#include "ProbeSupport.h"
#include "SampleCard.h"
#include "../support/BarcodeSamples.h"
#include "barcodes/BarcodeLists.h"
#include "designfile/DesignFile.h"
#include "mainwindow/DesignFileController.h"
#include "mainwindow/MainWindowGlobals.h"
#include "model/WindowlessCardHost.h"
#include "model/Card_Property.h"
#include "platform/AppFolders.h"
#include "platform/AtomicFile.h"
#include "platform/DisplayFallback.h"
#include "render/ImageResolution.h"
#include "render/SKTRenderingView.h"
#include "views/inspector/InspectorGlobals.h"
#include "views/inspector/PanelValues.h"

namespace {

constexpr double kPngDpi = 600;
constexpr int kUsageError = 64;
constexpr int kNotReadable = 2;
constexpr int kNotWritten = 1;
constexpr int kNoSymbol = 2;
// The white card round a barcode of the barcode command.
constexpr double kCardMargin = 18;

bool writeSide(const GraphicList& graphics, CardSide side, const QDir& outDir, const QString& name)
{
    const CardImage image = SKTRenderingView::image_From_Card_Graphics(graphics, side, false);
    QString error;
    if (!writeFileAtomically(outDir.filePath(name + QStringLiteral(".pdf")), image.toPdf(), &error))
        return complain(false, error);
    return Save_gen_image(Increase_DPI(image, kPngDpi), outDir.filePath(name + QStringLiteral(".png")));
}

int renderSides(WindowlessCardHost& host, const GraphicList& front, const GraphicList& back, const QString& outPath)
{
    if (!QDir().mkpath(outPath))
        return complain(kNotWritten, QStringLiteral("Cannot make the folder \"%1\".").arg(outPath));
    setCardHost(&host);
    host.outline = cardShapeIndex(host.front.Card_Shape());
    const QDir outDir(outPath);
    const bool written = writeSide(front, CardSide::Front, outDir, QStringLiteral("front")) &&
                         writeSide(back, CardSide::Back, outDir, QStringLiteral("back"));
    setCardHost(nullptr);
    return written ? 0 : kNotWritten;
}

// The front: a dashed border round a gradient; the back: a solid border round a plain fill.
// The sample card's two sides with their backgrounds and borders.
void setSampleCard(WindowlessCardHost& host)
{
    host.front.setCard_Size(QSizeF(243, 154));
    host.front.setCard_fill_chk(true);
    host.front.setCard_fill_style(QStringLiteral("G"));
    host.front.setCard_fill_Grd_1_clr(QColor(230, 240, 255));
    host.front.setCard_fill_Grd_2_clr(QColor(160, 200, 240));
    host.front.setCard_grad_Stepper(30);
    host.front.setCard_border_chk(true);
    host.front.setCard_border_style(QStringLiteral("DA"));
    host.front.setCard_bor_Stepper(1);
    host.front.setCard_bordr_clr(QColor(20, 20, 90));
    host.back.setCard_Side_Name(QStringLiteral("B"));
    host.back.setCard_fill_chk(true);
    host.back.setCard_fill_style(QStringLiteral("S"));
    host.back.setCard_fill_clr(QColor(255, 236, 200));
    host.back.setCard_border_chk(true);
    host.back.setCard_border_style(QStringLiteral("S"));
    host.back.setCard_bor_Stepper(2);
    host.back.setCard_bordr_clr(QColor(120, 60, 0));
}

int renderSample(const QString& outPath)
{
    WindowlessCardHost host;
    setSampleCard(host);
    const QTemporaryDir scratch;
    return renderSides(host, sample::front(QDir(scratch.path())), sample::back(), outPath);
}

// The sample card as a design file; its picture files are kept beside it.
int writeSample(const QString& outPath)
{
    WindowlessCardHost host;
    setSampleCard(host);
    setCardHost(&host);
    DesignState state;
    state.startMode = QStringLiteral("L");
    state.front = host.front;
    state.back = host.back;
    state.frontElements = sample::front(QFileInfo(outPath).absoluteDir());
    state.backElements = sample::back();
    QString reason;
    const bool written = writeDesignFile(outPath, state, &reason);
    setCardHost(nullptr);
    return written ? 0 : complain(kNotWritten, reason);
}

std::optional<DesignState> readDesign(const QString& path)
{
    DesignFileError error;
    std::optional<DesignState> state = readDesignFile(path, &error);
    if (!state)
        std::fprintf(stderr, "%d - %s\n", error.itemIndex, qPrintable(error.reason));
    return state;
}

int renderFile(const QString& path, const QString& outPath)
{
    std::optional<DesignState> state = readDesign(path);
    if (!state)
        return kNotReadable;
    WindowlessCardHost host;
    setCardHost(&host);
    SKTDocument document;
    WindowlessDesignFile windowless;
    DesignFileController loader(document, host.front, host.back, windowless);
    loader.Load_Design_State(std::move(*state), path, QStringLiteral("L"), true);
    return renderSides(host, document.graphics(), document.graphics_back(), outPath);
}

// A barcode field named as the element stores it, set from text (a colour by its name or
// "#rrggbb"); false for an unknown field or a font.
bool setBarcodeField(BarcodeSettings& settings, const QString& name, const QString& text)
{
    bool set = false;
    BarcodeSettings::forEachField([&](const char* field, auto member) {
        using Value = std::remove_reference_t<decltype(settings.*member)>;
        if (name != QLatin1String(field))
            return;
        if constexpr (std::is_same_v<Value, qint32>)
            settings.*member = text.toInt(&set);
        else if constexpr (std::is_same_v<Value, float>)
            settings.*member = text.toFloat(&set);
        else if constexpr (std::is_same_v<Value, QString>)
            settings.*member = text, set = true;
        else if constexpr (std::is_same_v<Value, QColor>)
            set = (settings.*member = QColor::fromString(text)).isValid();
    });
    return set;
}

// A new barcode element of the symbology at the index, holding the value.
std::shared_ptr<SKTBarcode> newBarcode(int symbology, const QString& value)
{
    auto barcode = std::make_shared<SKTBarcode>();
    BarcodeSettings& settings = barcode->barcode;
    settings.barcode_font_index = symbology;
    settings.linear_or_2d = isTwoDimensionalSymbology(symbologyTitles().value(symbology)) ? 1 : 0;
    (settings.linear_or_2d ? settings.two_d_font_val : settings.linear_font_val) = value;
    barcode->ctrl_is_visible = true;
    return barcode;
}

// The element's picture made by the factory, the element placed with it at the point; false,
// said on standard error, when no symbol is made.
bool placeWithPicture(SKTBarcode& barcode, QPointF at)
{
    const BarcodeSettings& settings = barcode.barcode;
    const QString value = settings.linear_or_2d ? settings.two_d_font_val : settings.linear_font_val;
    BarcodeFactory& factory = barcodeFactory();
    factory.Set_Barcode_Prop_To_Control(barcode);
    Barcode_output_image = factory.Get_Image_From_Val(value, settings.header_val, settings.footer_val);
    if (Barcode_output_image.isNull()) {
        complain(kNoSymbol, QStringLiteral("no symbol for \"%1\" in %2")
                                .arg(value, symbologyTitles().value(settings.barcode_font_index)));
        return false;
    }
    barcode.Set_Barcode_image(Barcode_output_image);
    barcode.setBounds(QRectF(at, Barcode_output_image.size()));
    barcode.Set_Barcode_image_control_bounds(barcode.bounds());
    return true;
}

// Both sides white, without a border, of the size.
void setWhiteCard(WindowlessCardHost& host, QSizeF size)
{
    for (Card_Property* side : {&host.front, &host.back}) {
        side->setCard_Size(size);
        side->setCard_fill_chk(true);
        side->setCard_fill_style(QStringLiteral("S"));
        side->setCard_fill_clr(Qt::white);
        side->setCard_border_chk(false);
    }
}

int renderBarcode(const QStringList& args)
{
    const QStringList& titles = symbologyTitles();
    const auto title = std::find_if(titles.begin(), titles.end(),
                                    [&](const QString& t) { return t.compare(args[1], Qt::CaseInsensitive) == 0; });
    if (title == titles.end())
        return complain(kUsageError, QStringLiteral("unknown symbology \"%1\"").arg(args[1]));
    WindowlessCardHost host;
    setCardHost(&host);
    const std::shared_ptr<SKTBarcode> barcode = newBarcode(int(title - titles.begin()), args[2]);
    QString savePath;
    for (qsizetype i = 4; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--save") && i + 1 < args.size()) {
            savePath = args[++i];
            continue;
        }
        const QString name = args[i].section(u'=', 0, 0);
        if (!args[i].contains(u'=') || !setBarcodeField(barcode->barcode, name, args[i].section(u'=', 1)))
            return complain(kUsageError, QStringLiteral("not a barcode field setting: %1").arg(args[i]));
    }
    if (!placeWithPicture(*barcode, QPointF(kCardMargin, kCardMargin)))
        return kNoSymbol;
    setWhiteCard(host, barcode->bounds().size() + QSizeF(2 * kCardMargin, 2 * kCardMargin));
    if (!savePath.isEmpty()) {
        DesignState state;
        state.startMode = QStringLiteral("L");
        state.front = host.front;
        state.back = host.back;
        state.frontElements = {barcode};
        QString reason;
        if (!writeDesignFile(savePath, state, &reason))
            return complain(kNotWritten, reason);
    }
    return renderSides(host, GraphicList{barcode}, GraphicList{}, args[3]);
}

// A white card holding one barcode of every symbology with its sample value, row by row.
int renderEveryBarcode(const QString& outPath)
{
    constexpr double kRowWidth = 720;
    WindowlessCardHost host;
    setCardHost(&host);
    GraphicList barcodes;
    QPointF at(kCardMargin, kCardMargin);
    double rowHeight = 0;
    double widest = 0;
    for (int i = 0; i < symbologyTitles().size(); ++i) {
        const std::shared_ptr<SKTBarcode> barcode = newBarcode(i, barcodeSampleValues().value(i));
        if (!placeWithPicture(*barcode, at))
            return kNoSymbol;
        if (at.x() > kCardMargin && barcode->bounds().right() > kRowWidth) {
            at = QPointF(kCardMargin, at.y() + rowHeight + kCardMargin);
            rowHeight = 0;
            barcode->setBounds(QRectF(at, barcode->bounds().size()));
        }
        at.rx() = barcode->bounds().right() + kCardMargin;
        rowHeight = std::max(rowHeight, barcode->bounds().height());
        widest = std::max(widest, at.x());
        barcodes.append(barcode);
    }
    setWhiteCard(host, QSizeF(widest, at.y() + rowHeight + kCardMargin));
    return renderSides(host, barcodes, GraphicList{}, outPath);
}

// One line per item, nested arrays and dictionaries indexed below their parent ("86.3").
void dumpItem(const QString& index, const QVariant& item)
{
    QString text;
    switch (item.typeId()) {
    case QMetaType::QString:
        text = u'"' + escapedControls(item.toString()).replace(u'"', QLatin1String("\\\"")) + u'"';
        break;
    case QMetaType::QByteArray: text = QStringLiteral("<data %1 bytes>").arg(item.toByteArray().size()); break;
    case QMetaType::QVariantList: text = QStringLiteral("<array %1 items>").arg(item.toList().size()); break;
    case QMetaType::QVariantMap: text = QStringLiteral("<dict %1 keys>").arg(item.toMap().size()); break;
    default: text = QStringLiteral("<%1> %2").arg(QLatin1String(item.typeName()), item.toString());
    }
    std::printf("%s: %s\n", qPrintable(index), qPrintable(text));
    const QVariantList list = item.toList();
    for (qsizetype i = 0; item.typeId() == QMetaType::QVariantList && i < list.size(); ++i)
        dumpItem(index + u'.' + QString::number(i), list.at(i));
    const QVariantMap map = item.toMap();
    for (auto it = map.cbegin(); item.typeId() == QMetaType::QVariantMap && it != map.cend(); ++it)
        dumpItem(index + u'.' + it.key(), it.value());
}

int dumpFile(const QString& path)
{
    DesignFileError error;
    const std::optional<QVariantList> items = readDesignItems(path, &error);
    if (!items)
        return complain(kNotReadable, error.reason);
    for (qsizetype i = 0; i < items->size(); ++i)
        dumpItem(QString::number(i), items->at(i));
    return 0;
}

int roundtripFile(const QString& inPath, const QString& outPath)
{
    const std::optional<DesignState> state = readDesign(inPath);
    if (!state)
        return kNotReadable;
    QString reason;
    return writeDesignFile(outPath, *state, &reason) ? 0 : complain(kNotWritten, reason);
}

}  // namespace

int main(int argc, char** argv)
{
    Fall_Back_To_Offscreen_Without_Display();
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    Resource_Path = AppFolders::resourceFolder();
    Data_Folder_Path = AppFolders::applicationSupportFolder() + QStringLiteral("/DataSet");
    const QString command = args.value(0);
    if (command == QLatin1String("dump") && args.size() == 2)
        return dumpFile(args[1]);
    if (command == QLatin1String("sample") && args.size() == 2)
        return writeSample(args[1]);
    if (command == QLatin1String("roundtrip") && args.size() == 3)
        return roundtripFile(args[1], args[2]);
    if (command == QLatin1String("barcode") && args.size() >= 4)
        return renderBarcode(args);
    if (command == QLatin1String("every-barcode") && args.size() == 2)
        return renderEveryBarcode(args[1]);
    if (command == QLatin1String("render") && args.size() == 3)
        return args[1] == QLatin1String("--sample") ? renderSample(args[2]) : renderFile(args[1], args[2]);
    return complain(kUsageError, QStringLiteral("usage: design-probe render --sample OUTDIR\n"
                                                "       design-probe render FILE.did OUTDIR\n"
                                                "       design-probe dump FILE.did\n"
                                                "       design-probe roundtrip IN.did OUT.did\n"
                                                "       design-probe sample OUT.did\n"
                                                "       design-probe barcode SYMBOLOGY VALUE OUTDIR [FIELD=VALUE ...] "
                                                "[--save FILE.did]\n"
                                                "       design-probe every-barcode OUTDIR"));
}

// template-builder RESOURCES: writes the shipped template library into the resource folder,
// Templates/<category>/<name> (h).did and (v).did, each with the PNG preview of its front beside
// it. Made through the card model, the design-file writer and the renderer, at build time
// (resources/CMakeLists.txt runs it). Not shipped.
#include <QDir>
#include <QGuiApplication>

#include "TemplateDesigns.h"
#include "TemplateLayouts.h"
#include "designfile/DesignFile.h"
#include "mainwindow/CardSizePresets.h"
#include "model/WindowlessCardHost.h"
#include "model/Card_Property.h"
#include "platform/AppContext.h"
#include "platform/DisplayFallback.h"
#include "platform/Units.h"
#include "probes/ProbeSupport.h"
#include "render/ImageResolution.h"
#include "render/SKTRenderingView.h"

namespace {

using namespace templates;

constexpr int kUsageError = 64;
constexpr int kFailed = 1;
// The previews' long side in pixels.
constexpr double kPreviewPixels = 320;
// The sizes of the size page: a CR80 card, and the paper badge of the events.
constexpr int kCr80Row = 0;
constexpr int kEventBadgeRow = 5;  // "Durable 1456 - Name Badge", 3.54 x 2.36 in

QString displayName(const char* name)
{
    QStringList words = QString::fromLatin1(name).split(u' ');
    for (QString& word : words)
        word[0] = word[0].toUpper();
    return words.join(u' ');
}

// A side's record with the size page's choice for the orientation, so that the page shows the
// template's size and finds its other orientation.
Card_Property sideRecord(const TemplateDesign& d, bool portrait, bool back)
{
    Card_Property p;
    const QString category = d.paperBadge ? QStringLiteral("Paper Card") : QStringLiteral("PVC Card");
    const int row = d.paperBadge ? kEventBadgeRow : kCr80Row;
    const QSizeF millimetres = Get_My_card_Size(category, portrait ? QStringLiteral("V") : QStringLiteral("H"), row);
    p.setCard_Size(QSizeF(unitToPoints(float(millimetres.width()), kUnitMillimetre),
                          unitToPoints(float(millimetres.height()), kUnitMillimetre)));
    p.setCard_Preset(portrait ? QStringLiteral("Vertical") : QStringLiteral("Horizontal"));
    p.setCard_Category(category);
    p.setCard_Cat_index(row);
    p.setCard_Sub_Category((d.paperBadge ? paper_card_names() : pvc_card_names()).at(row));
    p.setCard_Name(displayName(d.name));
    p.setCard_Shape(QStringLiteral("RR"));
    p.setCard_Side(QStringLiteral("2"));
    p.setCard_Side_Name(back ? QStringLiteral("B") : QStringLiteral("F"));
    p.setCard_fill_chk(true);
    const bool gradient = !back && d.layout == Layout::Panel;
    p.setCard_fill_style(gradient ? QStringLiteral("G") : QStringLiteral("S"));
    p.setCard_fill_clr(back ? QColor(Qt::white) : d.colours.light);
    p.setCard_fill_Grd_1_clr(d.colours.main);
    p.setCard_fill_Grd_2_clr(d.colours.deep);
    p.setCard_grad_Stepper(60);
    // A hairline keeps a light card's edge visible on a white page.
    p.setCard_border_chk(!gradient);
    p.setCard_bor_Stepper(1);
    p.setCard_bordr_clr(QColor(0xd5, 0xda, 0xe1));
    return p;
}

bool writePreview(const GraphicList& front, QSizeF card, const QString& path)
{
    const double dpi = kPreviewPixels * kPointsPerInch / std::max(card.width(), card.height());
    const QImage picture = Increase_DPI(SKTRenderingView::image_From_Card_Graphics(front, CardSide::Front), dpi);
    return !picture.isNull() && Save_gen_image(picture, path);
}

// Both files of one orientation of a design; false, said on standard error, when either fails.
bool writeTemplate(WindowlessCardHost& host, const TemplateDesign& d, bool portrait, const QDir& folder)
{
    host.front = sideRecord(d, portrait, false);
    host.back = sideRecord(d, portrait, true);
    DesignState state;
    state.startMode = QStringLiteral("T");
    state.front = host.front;
    state.back = host.back;
    state.frontElements = frontOf(d, host.front.Card_Size());
    state.backElements = backOf(d, host.back.Card_Size());
    const QString mark = portrait ? QStringLiteral("v") : QStringLiteral("h");
    const QString base = folder.filePath(QStringLiteral("%1 (%2)").arg(QLatin1String(d.name), mark));
    QString reason;
    if (!writeDesignFile(base + QStringLiteral(".did"), state, &reason))
        return complain(false, QStringLiteral("%1.did: %2").arg(base, reason));
    if (!writePreview(state.frontElements, host.front.Card_Size(), base + QStringLiteral(".png")))
        return complain(false, QStringLiteral("%1.png could not be written").arg(base));
    return true;
}

int buildLibrary(const QString& resources)
{
    const QDir templates(QDir(resources).filePath(QStringLiteral("Templates")));
    // A design renamed or dropped leaves no file behind; the users' own templates live elsewhere.
    for (const TemplateDesign& d : templateDesigns())
        QDir(templates.filePath(QLatin1String(d.category))).removeRecursively();
    WindowlessCardHost host;
    host.outline = 1;  // every template has rounded corners
    setCardHost(&host);
    bool written = true;
    for (const TemplateDesign& d : templateDesigns()) {
        const QDir folder(templates.filePath(QLatin1String(d.category)));
        if (!QDir().mkpath(folder.path()))
            return complain(kFailed, QStringLiteral("Cannot make the folder \"%1\".").arg(folder.path()));
        written = writeTemplate(host, d, false, folder) && writeTemplate(host, d, true, folder) && written;
    }
    setCardHost(nullptr);
    return written ? 0 : kFailed;
}

}  // namespace

int main(int argc, char** argv)
{
    Fall_Back_To_Offscreen_Without_Display();
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 2)
        return complain(kUsageError, QStringLiteral("usage: template-builder RESOURCES"));
    Resource_Path = arguments[1];
    try {
        return buildLibrary(arguments[1]);
    } catch (const std::exception& e) {
        return complain(kFailed, QString::fromUtf8(e.what()));
    }
}

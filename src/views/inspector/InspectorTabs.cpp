#include "views/inspector/InspectorTabs.h"

#include "model/SKTGraphic.h"

namespace {

const QString kDataSourcePage = QStringLiteral("datasource_tab");
const QString kAlignPage = QStringLiteral("aligmnt_tab");

bool isLiveMode(const QString& mode)
{
    return mode == QLatin1String("V") || mode == QLatin1String("G");
}

QString titleOf(GraphicKind kind)
{
    switch (kind) {
    case GraphicKind::Text: return QStringLiteral("Text Properties");
    case GraphicKind::Image: return QStringLiteral("Image Properties");
    case GraphicKind::Line: return QStringLiteral("Line Properties");
    case GraphicKind::Signature: return QStringLiteral("Signature Properties");
    case GraphicKind::Barcode: return QStringLiteral("Barcode Properties");
    case GraphicKind::Shape: break;
    }
    return QStringLiteral("Shape Properties");
}

// The kind's own pages of an unlocked element, before the align page.
QList<InspectorTab> panelPages(GraphicKind kind, const QString& mode, int selectedImages)
{
    const InspectorTab source{kDataSourcePage, QStringLiteral("Source")};
    switch (kind) {
    case GraphicKind::Text:
        if (isLiveMode(mode))
            return {{QStringLiteral("text_edtng_tab"), {}}, {QStringLiteral("text_prop_tab"), {}}};
        return {{QStringLiteral("text_edtng_tab"), {}}, {QStringLiteral("text_prop_tab"), {}}, source};
    case GraphicKind::Image:
        if (isLiveMode(mode) || selectedImages >= 2)
            return {{QStringLiteral("image_tab"), {}}};
        return {source, {QStringLiteral("image_tab"), {}}};
    case GraphicKind::Line: return {{QStringLiteral("line_tab"), {}}};
    case GraphicKind::Signature: return {{QStringLiteral("sign_tab"), {}}};
    case GraphicKind::Barcode: return {{QStringLiteral("barcode_tab"), {}}};
    case GraphicKind::Shape: break;
    }
    return {{QStringLiteral("shape_tab"), QStringLiteral("General")}};
}

}  // namespace

InspectorTabSet cardTabSet()
{
    return {QStringLiteral("Card Properties"),
            {{QStringLiteral("card_info_tab"), {}},
             {QStringLiteral("card_size_tab"), {}},
             {QStringLiteral("card_bkgd_tab"), {}},
             {QStringLiteral("card_brdr_tab"), {}}},
            {},
            {}};
}

InspectorTabSet elementTabSet(const SKTGraphic& graphic, const QString& mode, int selectedImages)
{
    const GraphicKind kind = graphic.kind();
    InspectorTabSet set;
    set.title = titleOf(kind);
    const QString shapeTitle = kind == GraphicKind::Shape ? shapeSettingsTitle(graphic.Get_shape_type()) : QString();
    if (graphic.ctrl_is_locked) {
        const QString label = kind == GraphicKind::Shape ? shapeTitle : set.title;
        set.tabs = {{QStringLiteral("Lock_tab"), label}};
        return set;
    }
    set.shapeTitle = shapeTitle;
    set.tabs = panelPages(kind, mode, selectedImages);
    for (const InspectorTab& tab : set.tabs) {
        if (tab.page == kDataSourcePage)
            set.dataSourceTitle = kind == GraphicKind::Text ? QStringLiteral("Text Source") : QStringLiteral("Image Source");
    }
    set.tabs.append({kAlignPage, {}});
    return set;
}

QString shapeSettingsTitle(const QString& shapeCode)
{
    static const QList<std::pair<QString, QString>> titles{
        {QStringLiteral("R"), QStringLiteral("Rectangle Settings")},
        {QStringLiteral("C"), QStringLiteral("Ellipse Settings")},
        {QStringLiteral("RR"), QStringLiteral("Rounded Rectangle Settings")},
        {QStringLiteral("T"), QStringLiteral("Triangle Settings")},
        {QStringLiteral("D"), QStringLiteral("Diamond Settings")},
        {QStringLiteral("S"), QStringLiteral("Star Settings")},
        {QStringLiteral("DS"), QStringLiteral("Double Star Settings")},
        {QStringLiteral("P"), QStringLiteral("Polygon Settings")},
    };
    for (const auto& [code, title] : titles) {
        if (code == shapeCode)
            return title;
    }
    return {};
}

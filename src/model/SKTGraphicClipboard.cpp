// Element lists to and from clipboard data: a binary property list whose root is an array of
// element archives.
#include <QFileInfo>

#include "model/CardHost.h"
#include "model/NumberBounds.h"
#include "model/SKTError.h"
#include "model/SKTGraphic.h"
#include "model/SKTImage.h"
#include "platform/PropertyList.h"

namespace {

constexpr int kUnreadableClipboardData = 2;

}  // namespace

QVariantList SKTGraphic::propertiesWithGraphics(const GraphicList& graphics)
{
    QVariantList archives;
    archives.reserve(graphics.size());
    for (const GraphicPtr& graphic : graphics)
        archives.append(graphic->archivedData());
    return archives;
}

QByteArray SKTGraphic::pasteboardDataWithGraphics(const GraphicList& graphics)
{
    return PropertyList::toData(propertiesWithGraphics(graphics), PropertyList::Format::Binary);
}

GraphicList SKTGraphic::graphicsWithPasteboardData(const QByteArray& data, const QString& startMode,
                                                   std::optional<SKTError>* error)
{
    const std::optional<QVariant> root = PropertyList::fromData(data);
    if (!root || root->typeId() != QMetaType::QVariantList) {
        if (error)
            *error = SKTErrorWithCode(kUnreadableClipboardData);
        return {};
    }
    return graphicsWithProperties(root->toList(), startMode);
}

GraphicList SKTGraphic::graphicsWithProperties(const QVariantList& archives, const QString& startMode)
{
    GraphicList graphics;
    for (const QVariant& item : archives) {
        if (item.typeId() != QMetaType::QByteArray)
            continue;
        GraphicPtr graphic = fromArchivedData(item.toByteArray());
        if (!graphic)
            continue;
        // Another program may have put anything on the clipboard.
        Bound_Element_Numbers(*graphic, QStringLiteral("A pasted element"));
        graphic->applyPasteFixUps(startMode);
        graphics.append(graphic);
    }
    return graphics;
}

void SKTGraphic::applyPasteFixUps(const QString& startMode)
{
    control_ID = QStringLiteral("");
    ctrl_is_locked = false;
    const bool visitorOrGroupMode =
        startMode == QLatin1String("V") || startMode == QLatin1String("G");
    if (kind() == GraphicKind::Image) {
        auto& image = static_cast<SKTImage&>(*this);
        if (QFileInfo(_file_path).isFile())
            image.setFilePath(_file_path, false);
        if (visitorOrGroupMode)
            control_ID = cardHost().Generate_Extra_image_control_ID();
    }
    const bool textOrImage = kind() == GraphicKind::Text || kind() == GraphicKind::Image;
    if (startMode == QLatin1String("G") && textOrImage && data_source_type == 2) {
        Set_Data_source_type(0);
        Set_Excel_binding(false);
        Set_Excel_binding_Index(-1);
        Set_Batch_List_Index(-1);
        Set_Batch_List_Name(QStringLiteral(""));
    }
}

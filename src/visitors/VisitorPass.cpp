#include "visitors/VisitorPass.h"

#include "model/SKTImage.h"
#include "output/OutputPictures.h"
#include "output/RecordRun.h"
#include "photos/ImgFilterSettings.h"

const std::array<VisitorProfileField, 9>& visitorProfileFields()
{
    static const std::array<VisitorProfileField, 9> fields = {{
        {"Fup_Name", &VisitorRecord::name},
        {"Fup_Company", &VisitorRecord::companyName},
        {"Fup_Address", &VisitorRecord::address},
        {"Fup_PhoneNO", &VisitorRecord::phone},
        {"Fup_EmailID", &VisitorRecord::email},
        {"Fup_CompanySlogan", &VisitorRecord::purpose},
        {"Fup_Website", &VisitorRecord::personToMeet},
        {"Fup_UniqueNo", &VisitorRecord::visitorNo},
        {"Fup_FaxNo", &VisitorRecord::other},
    }};
    return fields;
}

QString visitorPhotoFile(const QString& photoReference)
{
    const qsizetype marker = photoReference.indexOf(IMG_Filter_Marker);
    return (marker < 0 ? photoReference : photoReference.left(marker)).trimmed();
}

namespace {

void bindValue(SKTGraphic& element, const QString& value)
{
    switch (element.kind()) {
    case GraphicKind::Text: element.Set_text_value(value); break;
    case GraphicKind::Image: static_cast<SKTImage&>(element).setFilePath(value, false); break;
    case GraphicKind::Barcode: Bind_Barcode_Value(element, value); break;
    default: break;
    }
}

}  // namespace

GraphicList visitorPassElements(const GraphicList& front, const VisitorRecord& visitor)
{
    GraphicList copies;
    for (const GraphicPtr& element : front) {
        if (!element)
            continue;
        GraphicPtr copy = element->cloneForRendering();
        const QString id = copy->control_ID.trimmed();
        if (id == QLatin1String(kVisitorPhotoId) && copy->kind() == GraphicKind::Image) {
            const QString photo = visitorPhotoFile(visitor.photoPath);
            if (!photo.isEmpty())
                bindValue(*copy, photo);
        }
        for (const VisitorProfileField& field : visitorProfileFields())
            if (id == QLatin1String(field.ctrlId))
                bindValue(*copy, visitor.*field.value);
        copies << copy;
    }
    return copies;
}

QImage Draw_Visitor_Pass(const GraphicList& front, const VisitorRecord& visitor, QString* why, double dpi)
{
    OutputPictures pictures;
    const SideSnapshot side = snapshotForOutput(visitorPassElements(front, visitor), CardSide::Front, pictures, dpi);
    if (!side.isWhole()) {
        if (why)
            *why = side.failure.isEmpty() ? QStringLiteral("The visitor pass could not be drawn.") : side.failure;
        return QImage();
    }
    return side.image.toImage(dpi);
}

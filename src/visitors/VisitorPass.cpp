#include "visitors/VisitorPass.h"

#include "model/SKTImage.h"
#include "output/OutputPictures.h"
#include "output/RecordRun.h"
#include "photos/ImgFilterSettings.h"

#include <QRegularExpression>

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

VisitDateTime visitDateAndTime(const QString& dateAndTime)
{
    // The log keeps the date and the time as one text; the time is the clock reading at its end.
    static const QRegularExpression trailingTime(
        QStringLiteral("^(.*\\S)\\s+(\\d{1,2}:\\d{2}(?::\\d{2})?(?:\\s*[AaPp][Mm])?)$"));
    const QString text = dateAndTime.trimmed();
    const QRegularExpressionMatch match = trailingTime.match(text);
    if (!match.hasMatch())
        return {text, QString()};
    return {match.captured(1), match.captured(2)};
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
        // A pass printed again later shows the visit's date and time, not those of today.
        if (!visitor.dateAndTime.trimmed().isEmpty() && copy->kind() == GraphicKind::Text) {
            const VisitDateTime visit = visitDateAndTime(visitor.dateAndTime);
            if (id == QLatin1String(kVisitDateId))
                bindValue(*copy, visit.date);
            else if (id == QLatin1String(kVisitTimeId))
                bindValue(*copy, visit.time);
        }
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

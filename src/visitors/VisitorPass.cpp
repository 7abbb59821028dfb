#include "visitors/VisitorPass.h"

#include "model/SKTImage.h"
#include "output/OutputPictures.h"
#include "output/RecordRun.h"
#include "platform/ResourcePaths.h"
#include "render/CardImage.h"

#include <QRegularExpression>

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

// Why a barcode gives no picture of the value. An empty value refuses nothing: the barcode then
// shows no symbol, as an emptied text shows no words.
QString bindValue(SKTGraphic& element, const QString& value)
{
    switch (element.kind()) {
    case GraphicKind::Text: element.Set_text_value(value); break;
    case GraphicKind::Image:
        // No picture is none, never the face the element showed before.
        if (value.isEmpty())
            static_cast<SKTImage&>(element).setFilePathUnread(QString());
        else
            static_cast<SKTImage&>(element).setFilePath(value, false);
        break;
    case GraphicKind::Barcode: return Bind_Barcode_Value(element, value);
    default: break;
    }
    return QString();
}

}  // namespace

GraphicList visitorPassElements(const GraphicList& front, const VisitorRecord& visitor, QString* why, PassValues values)
{
    const bool logged = values == PassValues::Logged;
    const QList<OtherField> others = visitorOtherFields(front);
    QString refusal;
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
            else if (logged && !Is_Placeholder_Path(copy->_file_path))
                static_cast<SKTImage&>(*copy).setFilePathUnread(QString());  // never the face the card shows now
        }
        if (const std::optional<QString> visitorValue = visitorValueOf(visitor, id, others)) {
            const QString& value = *visitorValue;
            // What the canvas shows of a visitor being registered stays, barcodes included: they are
            // drawn again only to learn whether they can show the number.
            if (logged) {
                const QString reason = bindValue(*copy, value);
                // A barcode left off the card refuses nothing.
                if (refusal.isEmpty() && isDrawnInOutput(*copy))
                    refusal = reason;
            } else if (copy->kind() == GraphicKind::Barcode && !value.isEmpty() && refusal.isEmpty()
                       && isDrawnInOutput(*copy)) {
                refusal = bindValue(*copy->cloneForRendering(), value);
            }
        }
        // A pass printed again later shows the visit's date and time, not those of today.
        if (logged && !visitor.dateAndTime.trimmed().isEmpty() && copy->kind() == GraphicKind::Text) {
            const VisitDateTime visit = visitDateAndTime(visitor.dateAndTime);
            if (id == QLatin1String(kVisitDateId))
                bindValue(*copy, visit.date);
            else if (id == QLatin1String(kVisitTimeId))
                bindValue(*copy, visit.time);
        }
        copies << copy;
    }
    if (why && !refusal.isEmpty())
        *why = refusal;
    return copies;
}

QImage Draw_Visitor_Pass(const GraphicList& front, const VisitorRecord& visitor, QString* why, PassValues values,
                         double dpi)
{
    QString refusal;
    const GraphicList elements = visitorPassElements(front, visitor, &refusal, values);
    if (refusal.isEmpty()) {
        OutputPictures pictures;
        const SideSnapshot side = snapshotForOutput(elements, CardSide::Front, pictures, dpi);
        if (side.isWhole())
            return side.image.toImage(dpi);
        refusal = side.failure.isEmpty() ? QStringLiteral("The visitor pass could not be drawn.") : side.failure;
    }
    if (why)
        *why = refusal;
    return QImage();
}

#include "visitors/VisitorOtherValues.h"

#include <QStringList>

#include "model/profiles/AddedFieldIds.h"
#include "model/profiles/ProfileCaptions.h"

namespace {

const QString kSeparator = QStringLiteral(": ");
const QString kTitleId = QStringLiteral("Fup_Title");

QString oneLine(const QString& text)
{
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(u'\r', u' ');
    line.replace(u'\n', u' ');
    return line;
}

QString captionOf(const QString& labelText)
{
    return Caption_Without_Colon(oneLine(labelText));
}

const SKTGraphic* textWithId(const GraphicList& elements, const QString& id)
{
    for (const GraphicPtr& element : elements)
        if (element && element->kind() == GraphicKind::Text && element->control_ID == id)
            return element.get();
    return nullptr;
}

bool isAddedFieldValue(const QString& id)
{
    return Is_Added_Field_Id(id) && !id.contains(QLatin1String("_label"));
}

}  // namespace

QList<OtherField> visitorOtherFields(const GraphicList& front)
{
    QList<OtherField> fields;
    for (const GraphicPtr& element : front) {
        if (!element || element->kind() != GraphicKind::Text)
            continue;
        const QString& id = element->control_ID;
        if (id == kTitleId) {
            fields.append({id, QStringLiteral("Position / Title")});
            continue;
        }
        if (!isAddedFieldValue(id))
            continue;
        const QString labelId = Added_Field_Caption_Id(id);
        const SKTGraphic* label = labelId != id ? textWithId(front, labelId) : nullptr;
        const QString caption = label ? captionOf(label->Text_Value) : QString();
        fields.append({id, caption.isEmpty() ? id : caption});
    }
    return fields;
}

QString joinOtherValues(const QString& visitorType, const QList<OtherValue>& values)
{
    QStringList lines{kVisitorTypeCaption + kSeparator + oneLine(visitorType)};
    for (const OtherValue& value : values) {
        if (!value.value.isEmpty())
            lines << captionOf(value.caption) + kSeparator + oneLine(value.value);
    }
    return lines.size() == 1 ? visitorType : lines.join(u'\n');
}

QString otherValue(const QString& other, const QString& caption)
{
    const QStringList lines = other.split(u'\n');
    const QString visitorTypeLine = kVisitorTypeCaption + kSeparator;
    if (!lines.first().startsWith(visitorTypeLine))
        return caption == kVisitorTypeCaption ? other : QString();
    const QString wanted = captionOf(caption) + kSeparator;
    for (const QString& line : lines) {
        if (line.startsWith(wanted))
            return line.mid(wanted.size());
    }
    return QString();
}

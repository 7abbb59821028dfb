#include "visitors/VisitorOtherValues.h"

#include <QSet>
#include <QStringList>
#include <QUrl>

#include "model/profiles/AddedFieldIds.h"
#include "model/profiles/AddedPictureField.h"
#include "model/profiles/ProfileCaptions.h"
#include "visitors/VisitorRecord.h"

namespace {

const QString kSeparator = QStringLiteral(": ");
const QString kTitleId = QStringLiteral("Fup_Title");
// Where a line's key ends: after the identifier, which is kept percent-encoded and so holds no
// "]", ":", space or line break.
const QString kKeyEnd = QStringLiteral("]: ");
// A line break within a value goes onto a line of its own behind a space, as mail headers fold:
// a line with a key never starts with a space (shownCaption()), and logs written before kept no
// line break in a value.
constexpr QChar kFold = u' ';

QString oneLine(const QString& text)
{
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(u'\r', u' ');
    line.replace(u'\n', u' ');
    return line;
}

QString folded(const QString& value)
{
    QString text = value;
    return text.replace(u'\n', QChar(u'\n') + QString(kFold));
}

QString captionOf(const QString& labelText)
{
    return Caption_Without_Colon(oneLine(labelText));
}

QString encodedId(const QString& ctrlId)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(ctrlId));
}

// The caption a value is shown and named under: its identifier when it has none. It never starts
// with a space, so that no line with a key is taken for a folded one.
QString shownCaption(const OtherField& field)
{
    QString caption = captionOf(field.caption);
    if (caption.isEmpty())
        caption = oneLine(field.ctrlId).trimmed();
    return caption.isEmpty() ? encodedId(field.ctrlId) : caption;
}

// "Caption [identifier]: " of a line. A caption never holds the key's end: people read it, the
// log reads the identifier.
QString keyOf(const OtherField& field)
{
    QString caption = shownCaption(field);
    caption.replace(QLatin1String("]:"), QLatin1String("] :"));
    return caption + QStringLiteral(" [") + encodedId(field.ctrlId) + kKeyEnd;
}

// How an "Other" text keeps its values: the visitor type alone, lines keyed by identifier, or the
// lines by caption of logs written before.
enum class OtherForm { VisitorTypeAlone, ByIdentifier, ByCaption };

OtherForm formOf(const QString& other)
{
    if (other.startsWith(keyOf(visitorTypeField())))
        return OtherForm::ByIdentifier;
    if (other.startsWith(kVisitorTypeCaption + kSeparator))
        return OtherForm::ByCaption;
    return OtherForm::VisitorTypeAlone;
}

// One value of an "Other" keyed by identifier, its line breaks unfolded. A line without a key
// (which the log never writes) has a null identifier and is its own value.
struct KeyedValue {
    QString caption;
    QString encodedId;
    QString value;
};

QList<KeyedValue> keyedValues(const QString& other)
{
    QList<KeyedValue> values;
    for (const QString& line : other.split(u'\n')) {
        if (line.startsWith(kFold) && !values.isEmpty()) {
            values.last().value += QChar(u'\n') + line.mid(1);
            continue;
        }
        const qsizetype keyEnd = line.indexOf(kKeyEnd);
        const qsizetype open = keyEnd < 0 ? -1 : line.lastIndexOf(u'[', keyEnd);
        if (open < 0) {
            values.append({QString(), QString(), line});
            continue;
        }
        QString caption = line.left(open);
        if (caption.endsWith(u' '))
            caption.chop(1);
        values.append({caption, line.mid(open + 1, keyEnd - open - 1), line.mid(keyEnd + kKeyEnd.size())});
    }
    return values;
}

// The value of the first line keyed by the identifier.
QString valueByIdentifier(const QString& other, const QString& ctrlId)
{
    const QString wanted = encodedId(ctrlId);
    for (const KeyedValue& keyed : keyedValues(other)) {
        if (!keyed.encodedId.isNull() && keyed.encodedId == wanted)
            return keyed.value;
    }
    return QString();
}

// A log written before keeps the visitor type on the first line: another value, whatever its
// caption, is one of the lines after it.
QString valueByCaption(const QStringList& lines, const OtherField& field)
{
    if (field.ctrlId == QLatin1String(kVisitorTypeId))
        return lines.first().mid(kVisitorTypeCaption.size() + kSeparator.size());
    const QString wanted = captionOf(field.caption) + kSeparator;
    for (const QString& line : lines.mid(1)) {
        if (line.startsWith(wanted))
            return line.mid(wanted.size());
    }
    return QString();
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

OtherField visitorTypeField()
{
    return {QLatin1String(kVisitorTypeId), kVisitorTypeCaption};
}

QList<OtherField> visitorOtherFields(const GraphicList& front)
{
    QList<OtherField> fields;
    QSet<QString> listed;
    for (const GraphicPtr& element : front) {
        const bool text = element && element->kind() == GraphicKind::Text;
        const bool picture = element && element->kind() == GraphicKind::Image;
        if (!text && !picture)
            continue;
        const QString& id = element->control_ID;
        const bool kept = isAddedFieldValue(id) || (text && id == kTitleId);
        if (!kept || listed.contains(id))
            continue;
        listed.insert(id);
        if (id == kTitleId) {
            fields.append({id, QStringLiteral("Position / Title")});
            continue;
        }
        if (picture) {
            const QString name = captionOf(Picture_Field_Name(*element));
            fields.append({id, name.isEmpty() ? id : name});
            continue;
        }
        const QString labelId = Added_Field_Caption_Id(id);
        const SKTGraphic* label = labelId != id ? textWithId(front, labelId) : nullptr;
        const QString caption = label ? captionOf(label->Text_Value) : QString();
        fields.append({id, caption.isEmpty() ? id : caption});
    }
    return fields;
}

JoinedOther joinOtherValues(const QString& visitorType, const QList<OtherValue>& values)
{
    QList<OtherValue> kept{{visitorTypeField(), visitorType}};
    for (const OtherValue& value : values) {
        if (!value.value.isEmpty())
            kept << value;
    }
    for (const OtherValue& value : kept) {
        if (value.value.size() > kVisitorTextLimit)
            return {QString(), visitorTooLong(shownCaption(value.field), kVisitorTextLimit)};
    }
    if (kept.size() == 1 && formOf(visitorType) == OtherForm::VisitorTypeAlone)
        return {visitorType, QString()};
    QStringList lines;
    qsizetype length = -1;  // no line break before the first line
    for (const OtherValue& value : kept) {
        lines << keyOf(value.field) + folded(value.value);
        length += 1 + lines.last().size();
        if (length > kVisitorOtherLimit)
            return {QString(), QStringLiteral("its %1 does not fit: the log keeps at most %2 characters of the visitor "
                                              "type, the title and the added fields together.")
                                   .arg(shownCaption(value.field))
                                   .arg(kVisitorOtherLimit)};
    }
    return {lines.join(u'\n'), QString()};
}

QString otherValue(const QString& other, const OtherField& field)
{
    switch (formOf(other)) {
    case OtherForm::VisitorTypeAlone:
        return field.ctrlId == QLatin1String(kVisitorTypeId) ? other : QString();
    case OtherForm::ByIdentifier:
        return valueByIdentifier(other, field.ctrlId);
    case OtherForm::ByCaption:
        break;
    }
    return valueByCaption(other.split(u'\n'), field);
}

QString shownOther(const QString& other)
{
    if (formOf(other) != OtherForm::ByIdentifier)
        return other;
    QStringList lines;
    for (const KeyedValue& keyed : keyedValues(other))
        lines << (keyed.encodedId.isNull() ? keyed.value : keyed.caption + kSeparator + keyed.value);
    return lines.join(u'\n');
}

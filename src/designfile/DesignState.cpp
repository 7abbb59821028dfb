#include "designfile/DesignState.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "model/profiles/AddedFieldIds.h"
#include "model/profiles/AddedPictureField.h"
#include "platform/StringHelpers.h"

namespace {

QString withoutWords(QString id, const char* first, const char* second)
{
    return Trim_Str(id.remove(QLatin1String(first)).remove(QLatin1String(second)));
}

QString labelName(const QString& id) { return withoutWords(id, "F_label", "B_label"); }
QString fieldName(const QString& id) { return withoutWords(id, "F_field", "B_field"); }

bool anyEntry(const QList<DynamicControl>& entries, const std::function<bool(const QString&)>& matches)
{
    return std::any_of(entries.cbegin(), entries.cend(),
                       [&](const DynamicControl& entry) { return matches(entry.controlId); });
}

// The row a label or field lacks its partner for; none when it has one, or when its name is empty.
std::optional<DynamicControl> missingPartner(const QString& id, const QList<DynamicControl>& entries)
{
    const bool isLabel = id.contains(QLatin1String("_label"));
    const bool isField = id.contains(QLatin1String("_field"));
    QString name;
    if (isLabel) {
        name = labelName(id);
        if (anyEntry(entries, [&](const QString& other) { return fieldName(other) == name; }))
            return std::nullopt;
    }
    if (isField) {
        name = fieldName(id);
        if (anyEntry(entries, [&](const QString& other) { return labelName(other) == name; }))
            return std::nullopt;
    }
    if (name.isEmpty())
        return std::nullopt;
    const QString partnerId = (isLabel ? QStringLiteral("F_field") : QStringLiteral("F_label")) + name;
    return DynamicControl{partnerId, partnerId, false, -1, QStringLiteral("T"), partnerId};
}

// A value's caption is the text of its label's row.
void nameValuesByTheirLabels(QList<DynamicControl>& entries)
{
    for (DynamicControl& entry : entries) {
        if (!entry.controlId.contains(QLatin1String("_field")))
            continue;
        const QString name = fieldName(entry.controlId);
        for (const DynamicControl& label : entries) {
            if (label.controlId.contains(QLatin1String("_label")) && labelName(label.controlId) == name) {
                // A caption row made for a lone value names it by its identifier's name.
                entry.caption = label.value == label.controlId ? name : label.value;
                break;
            }
        }
    }
}

}  // namespace

GroupColumnBindings unboundGroupColumns()
{
    GroupColumnBindings bindings;
    bindings.fill(-1);
    return bindings;
}

QStringList DynamicControl::toStrings() const
{
    return {controlId, value, visible ? QStringLiteral("Y") : QStringLiteral("N"), QString::number(column), kind};
}

QList<DynamicControl> Dynamic_Controls_Of_Side(const GraphicList& elements)
{
    QList<DynamicControl> entries;
    for (const GraphicPtr& element : elements) {
        const bool text = element->kind() == GraphicKind::Text;
        const QString& id = element->control_ID;
        if ((!text && element->kind() != GraphicKind::Image) || !Is_Added_Field_Id(id))
            continue;
        // A picture's value is its file, "" when that is gone: a panel never offers a path that
        // names nothing.
        const QString name = text ? element->Text_Value : Picture_Field_Name(*element);
        entries.append(DynamicControl{id, text ? element->Text_Value : Picture_Field_File(*element),
                                      element->ctrl_is_visible,
                                      element->data_source_type == 2 ? element->excel_col_indx : -1,
                                      text ? QStringLiteral("T") : QStringLiteral("P"), name.isEmpty() ? id : name});
    }
    const qsizetype elementRows = entries.size();
    for (qsizetype i = 0; i < elementRows; ++i) {
        if (const auto partner = missingPartner(entries.at(i).controlId, entries))
            entries.append(*partner);
    }
    nameValuesByTheirLabels(entries);
    return entries;
}

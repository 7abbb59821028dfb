#include "model/profiles/AddedFieldIds.h"

bool Is_Added_Field_Id(const QString& id)
{
    return !id.isEmpty() && !id.contains(QLatin1String("Fup_")) && !id.contains(QLatin1String("F_Pic"));
}

QString Added_Field_Caption_Id(const QString& valueId)
{
    return QString(valueId).replace(QLatin1String("_field"), QLatin1String("_label"));
}

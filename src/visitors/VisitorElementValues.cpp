#include "visitors/VisitorElementValues.h"

const std::array<VisitorProfileField, 8>& visitorProfileFields()
{
    static const std::array<VisitorProfileField, 8> fields = {{
        {"Fup_Name", &VisitorRecord::name},
        {"Fup_Company", &VisitorRecord::companyName},
        {"Fup_Address", &VisitorRecord::address},
        {"Fup_PhoneNO", &VisitorRecord::phone},
        {"Fup_EmailID", &VisitorRecord::email},
        {"Fup_CompanySlogan", &VisitorRecord::purpose},
        {"Fup_Website", &VisitorRecord::personToMeet},
        {"Fup_UniqueNo", &VisitorRecord::visitorNo},
    }};
    return fields;
}

const VisitorProfileField* visitorProfileField(const QString& ctrlId)
{
    for (const VisitorProfileField& field : visitorProfileFields())
        if (ctrlId == QLatin1String(field.ctrlId))
            return &field;
    return nullptr;
}

std::optional<QString> visitorValueOf(const VisitorRecord& visitor, const QString& ctrlId,
                                      const QList<OtherField>& others)
{
    if (const VisitorProfileField* field = visitorProfileField(ctrlId))
        return visitor.*field->value;
    if (ctrlId == QLatin1String(kVisitorTypeId))
        return otherValue(visitor.other, visitorTypeField());
    for (const OtherField& other : others) {
        if (other.ctrlId == ctrlId)
            return otherValue(visitor.other, other);
    }
    return std::nullopt;
}

bool isVisitorProfileValueId(const QString& ctrlId)
{
    return visitorProfileField(ctrlId) || ctrlId == QLatin1String(kVisitorTypeId)
           || ctrlId == QLatin1String("Fup_Title");
}

#include "visitors/VisitorRegistration.h"

#include "platform/DateValues.h"
#include "platform/MessageBoxes.h"
#include "visitors/VisitorPass.h"

VisitorRecord visitorFromFields(const VisitorFieldText& field, const QDateTime& moment)
{
    VisitorRecord visitor;
    for (const VisitorProfileField& profileField : visitorProfileFields())
        visitor.*profileField.value = field(QLatin1String(profileField.ctrlId)).trimmed();
    visitor.photoPath = field(QLatin1String(kVisitorPhotoId)).trimmed();
    QString date = field(QStringLiteral("Fup_Date")).trimmed();
    QString time = field(QStringLiteral("Fup_Time")).trimmed();
    if (date.isEmpty())
        date = Get_date_Value(QStringLiteral("dd-MM-yyyy"), moment);
    if (time.isEmpty())
        time = Get_time_Value(QStringLiteral("h:mm:ss a"), moment);
    visitor.dateAndTime = date + u' ' + time;
    return visitor;
}

int Register_Visitor(VisitorLog& log, const VisitorRecord& visitor)
{
    if (visitor.name.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please enter visitor name."));
        return 0;
    }
    if (!log.isOpen() && !log.openLive()) {
        Show_MessageBox(log.lastError());
        return 0;
    }
    if (!log.add(visitor)) {
        Show_MessageBox(log.lastError());
        return 0;
    }
    return 1;
}

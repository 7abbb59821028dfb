#include "visitors/VisitorRegistration.h"

#include "platform/DateValues.h"
#include "platform/MessageBoxes.h"
#include "visitors/VisitorElementValues.h"

namespace {

// What a front desk types for a date or a time: the panel's own forms and their near kin.
QDate typedDate(const QString& text)
{
    for (const char* form : {"dd/MM/yyyy", "d/M/yyyy", "dd-MM-yyyy", "d-M-yyyy", "dd.MM.yyyy", "yyyy-MM-dd"}) {
        const QDate date = QDate::fromString(text, QLatin1String(form));
        if (date.isValid())
            return date;
    }
    return {};
}

QTime typedTime(const QString& text)
{
    const QString upper = text.toUpper();
    for (const char* form : {"h:mm AP", "h:mm:ss AP", "hh:mm AP", "hh:mm:ss AP", "H:mm", "H:mm:ss"}) {
        const QTime time = QTime::fromString(upper, QLatin1String(form));
        if (time.isValid())
            return time;
    }
    return {};
}

}  // namespace

VisitorRecord visitorFromFields(const VisitorFieldText& field, const QDateTime& moment, const QList<OtherField>& others,
                                QString* refusal)
{
    VisitorRecord visitor;
    for (const VisitorProfileField& profileField : visitorProfileFields())
        visitor.*profileField.value = field(QLatin1String(profileField.ctrlId)).trimmed();
    QList<OtherValue> otherValues;
    for (const OtherField& other : others)
        otherValues.append({other, field(other.ctrlId).trimmed()});
    const JoinedOther joined = joinOtherValues(field(QLatin1String(kVisitorTypeId)).trimmed(), otherValues);
    visitor.other = joined.text;
    if (refusal)
        *refusal = joined.refusal;
    visitor.photoPath = loggedPhotoReference(field(QLatin1String(kVisitorPhotoId)).trimmed());
    QString date = field(QStringLiteral("Fup_Date")).trimmed();
    QString time = field(QStringLiteral("Fup_Time")).trimmed();
    const QDate dateTyped = typedDate(date);
    if (date.isEmpty() || dateTyped.isValid())
        date = Get_date_Value(kLoggedDatePattern, dateTyped.isValid() ? QDateTime(dateTyped, moment.time()) : moment);
    const QTime timeTyped = typedTime(time);
    if (time.isEmpty() || timeTyped.isValid())
        time = Get_time_Value(kLoggedTimePattern, timeTyped.isValid() ? QDateTime(moment.date(), timeTyped) : moment);
    visitor.dateAndTime = date + u' ' + time;
    return visitor;
}

int Register_Visitor(VisitorLog& log, const VisitorRecord& visitor, const QString& refusal)
{
    if (visitor.name.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please enter visitor name."));
        return 0;
    }
    if (!refusal.isEmpty()) {
        Show_MessageBox(kVisitorNotStored.arg(refusal));
        return 0;
    }
    if (!log.isOpen() && !log.openLive(VisitorLog::Waiting::Registering)) {
        Show_MessageBox(log.lastError());
        return 0;
    }
    if (!log.add(visitor)) {
        Show_MessageBox(log.lastError());
        return 0;
    }
    return 1;
}

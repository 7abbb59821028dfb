#include "visitors/VisitorRecord.h"

#include "photos/ImgFilterSettings.h"
#include "platform/ResourcePaths.h"

QStringList VisitorRecord::fields() const
{
    return {dateAndTime, photoPath, name, companyName, address, phone, email, purpose, personToMeet, visitorNo, other};
}

VisitorRecord VisitorRecord::fromFields(qint64 sNo, const QStringList& fields)
{
    VisitorRecord record;
    record.sNo = sNo;
    QString* const targets[] = {&record.dateAndTime, &record.photoPath, &record.name,    &record.companyName,
                                &record.address,     &record.phone,     &record.email,   &record.purpose,
                                &record.personToMeet, &record.visitorNo, &record.other};
    for (int i = 0; i < int(std::size(targets)); ++i)
        *targets[i] = fields.value(i);
    record.photoPath = loggedPhotoReference(record.photoPath);
    return record;
}

QString visitorPhotoFile(const QString& photoReference)
{
    const qsizetype marker = photoReference.indexOf(IMG_Filter_Marker);
    return (marker < 0 ? photoReference : photoReference.left(marker)).trimmed();
}

QString loggedPhotoReference(const QString& photoReference)
{
    return Is_Placeholder_Path(visitorPhotoFile(photoReference)) ? QString() : photoReference;
}

const QStringList& visitorLogTitles()
{
    static const QStringList titles = {
        QStringLiteral("S.No."),   QStringLiteral("Date and Time"),  QStringLiteral("Photo Path"),
        QStringLiteral("Name"),    QStringLiteral("Company Name"),   QStringLiteral("Address"),
        QStringLiteral("Phone"),   QStringLiteral("Email"),          QStringLiteral("Purpose"),
        QStringLiteral("Person to Meet"), QStringLiteral("Visitor No."), QStringLiteral("Other")};
    return titles;
}

int visitorFieldLimit(int field)
{
    // The photo reference is second in fields(), "Other" last.
    if (field == 1)
        return kVisitorPhotoLimit;
    return field == 10 ? kVisitorOtherLimit : kVisitorTextLimit;
}

QString visitorTooLong(const QString& what, int limit)
{
    return QStringLiteral("its %1 is longer than %2 characters.").arg(what).arg(limit);
}

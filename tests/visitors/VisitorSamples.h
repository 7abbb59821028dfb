#pragma once
// A visitor with every field filled, for the visitor tests.
#include "visitors/VisitorRecord.h"

inline VisitorRecord sampleVisitor(const QString& name, const QString& photo, const QString& number)
{
    VisitorRecord record;
    record.dateAndTime = QStringLiteral("07-12-2026 9:30:00 AM");
    record.photoPath = photo;
    record.name = name;
    record.companyName = QStringLiteral("Harbour Logistics");
    record.address = QStringLiteral("12 Quay Street");
    record.phone = QStringLiteral("+44 20 7946 0000");
    record.email = QStringLiteral("guest@example.org");
    record.purpose = QStringLiteral("Interview");
    record.personToMeet = QStringLiteral("Ms Kaur");
    record.visitorNo = number;
    record.other = QStringLiteral("Badge returned");
    return record;
}

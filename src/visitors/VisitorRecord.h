#pragma once
// One visitor of the log: what the front desk typed at registration, as texts.
#include <QString>
#include <QStringList>

struct VisitorRecord {
    qint64 sNo = 0;  // given by the log when the visitor is stored
    QString dateAndTime;
    QString photoPath;  // the picture file, with its "<IMG_FILTER>" settings when it has any
    QString name;
    QString companyName;
    QString address;
    QString phone;
    QString email;
    QString purpose;
    QString personToMeet;
    QString visitorNo;
    QString other;

    // The eleven texts in the order of the log's columns (the serial number excepted).
    QStringList fields() const;
    static VisitorRecord fromFields(qint64 sNo, const QStringList& fields);
    bool operator==(const VisitorRecord&) const = default;
};

// The titles of the log's columns as the export writes them, the serial number first.
const QStringList& visitorLogTitles();

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
    // The visitor of the log's texts, its photo reference as loggedPhotoReference keeps it.
    static VisitorRecord fromFields(qint64 sNo, const QStringList& fields);
    bool operator==(const VisitorRecord&) const = default;
};

// The picture file of a photo reference, without its "<IMG_FILTER>" settings.
QString visitorPhotoFile(const QString& photoReference);
// The photo reference the log keeps: none for one of the program's placeholder pictures, which a
// design shows where the visitor has no photo (older versions logged it as the photo); any other
// as it is.
QString loggedPhotoReference(const QString& photoReference);

// The titles of the log's columns as the export writes them, the serial number first.
const QStringList& visitorLogTitles();

// The most UTF-16 characters the log keeps of a text, by its place in fields(): a typed field (a
// line edit takes 32,767), the photo reference, which joins a path of up to 4,096 bytes with its
// picture settings, or "Other", which keeps a line for each of several typed values. The log
// stores no more, and cuts what another program wrote past it.
constexpr int kVisitorTextLimit = 64 * 1024;
constexpr int kVisitorPhotoLimit = 256 * 1024;
constexpr int kVisitorOtherLimit = 1024 * 1024;
int visitorFieldLimit(int field);
// Why a text is not stored: "its <what> is longer than <limit> characters."
QString visitorTooLong(const QString& what, int limit);

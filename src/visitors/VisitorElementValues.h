#pragma once
// Which element of a visitor design shows which of a visitor's values: the profile elements the
// log's own columns, the others their lines of "Other".
#include <QList>
#include <QString>
#include <array>
#include <optional>

#include "visitors/VisitorOtherValues.h"
#include "visitors/VisitorRecord.h"

// Which profile element shows which of the log's own columns. The visitor captions name the
// slogan, website and unique number fields "Purpose", "Person to Meet" and "Visitor No."; the fax
// field, "Visitor Type", and every other value go into "Other" (VisitorOtherValues.h).
struct VisitorProfileField {
    const char* ctrlId;
    QString VisitorRecord::*value;
};
inline constexpr const char* kVisitorPhotoId = "Fup_Photo";
inline constexpr const char* kVisitDateId = "Fup_Date";
inline constexpr const char* kVisitTimeId = "Fup_Time";

const std::array<VisitorProfileField, 8>& visitorProfileFields();
// The visitor's field an element's identifier names, or nullptr.
const VisitorProfileField* visitorProfileField(const QString& ctrlId);
// The visitor's value for the element with this identifier on a front whose "Other" fields are
// others: its own column, or its line of "Other" (empty when the visitor has none); nullopt for
// an identifier that names no value of a visitor.
std::optional<QString> visitorValueOf(const VisitorRecord& visitor, const QString& ctrlId,
                                      const QList<OtherField>& others);
// Whether an identifier names a profile field whose value the log keeps.
bool isVisitorProfileValueId(const QString& ctrlId);

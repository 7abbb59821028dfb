#pragma once
// Registration of the visitor typed into the side panels: the panel fields' texts become one
// record of the visitor log.
#include <QDateTime>
#include <QString>
#include <functional>

#include "visitors/VisitorLog.h"
#include "visitors/VisitorOtherValues.h"

// The text of the panel field with a profile identifier ("Fup_Name" ...); a null text when the
// panel has no such field.
using VisitorFieldText = std::function<QString(const QString& ctrlId)>;

// The one form the log keeps a visit's date and time in.
inline const QString kLoggedDatePattern = QStringLiteral("dd-MM-yyyy");
inline const QString kLoggedTimePattern = QStringLiteral("h:mm:ss a");

// The visitor in the fields, trimmed; the program's placeholder in the photo field is no photo
// (loggedPhotoReference). The date and time are those of the panel's "Fup_Date" and
// "Fup_Time" fields when they hold any, else the moment given, both in the log's form ("dd-MM-yyyy
// h:mm:ss a"). A typed date or time the log's form cannot be made from is kept as typed.
// The visitor type and the values of the others (the front's fields without a column of their
// own, visitorOtherFields()) go into "Other"; why "Other" cannot keep them goes into refusal.
VisitorRecord visitorFromFields(const VisitorFieldText& field, const QDateTime& moment,
                                const QList<OtherField>& others = {}, QString* refusal = nullptr);

// Stores the visitor; 1 when stored. A visitor without a name, one whose values were refused
// (refusal, from visitorFromFields()), or one the log cannot store, is refused with a message
// saying why (the fields keep what was typed: nothing here clears them).
int Register_Visitor(VisitorLog& log, const VisitorRecord& visitor, const QString& refusal = QString());

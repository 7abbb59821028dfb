#pragma once
// The values a pass shows that the visitor log has no column of their own for: the visitor type,
// the position or title, and the value of each field added to the design (a picture field's
// value is its picture file). The log keeps them in
// its "Other" column, one line each, the visitor type first: "Caption [identifier]: value". The
// identifier of the value's element is what a value is read back by; the caption is there for
// people reading the log. A line break within a value starts a line of its own behind a space.
// Logs written before kept "Caption: value" lines after "Visitor Type: ...", and are read by
// caption.
#include <QList>
#include <QString>

#include "model/SKTGraphic.h"

inline const QString kVisitorTypeCaption = QStringLiteral("Visitor Type");
inline constexpr const char* kVisitorTypeId = "Fup_FaxNo";

// A field of the front whose value goes into "Other", by its element's identifier and its caption.
struct OtherField {
    QString ctrlId;
    QString caption;
};

struct OtherValue {
    OtherField field;
    QString value;
};

// The visitor type's field, kept first in "Other".
OtherField visitorTypeField();

// The front's fields kept in "Other" besides the visitor type, in the front's order, each
// identifier once: the position or title ("Fup_Title"), each text element that is an added
// field's value (an identifier of its own, neither a profile field, an extra photo nor a caption),
// under its caption's text without the closing colon, and each picture element of an added
// field, under its name; either under its identifier when it has no caption or name.
QList<OtherField> visitorOtherFields(const GraphicList& front);

// The "Other" text of the visitor type and the other values, or why the log cannot keep them.
struct JoinedOther {
    QString text;
    QString refusal;  // names the value and its limit
};
// The visitor type alone while no other value holds anything and it cannot be taken for lines, as
// the log has always kept it; else a line per value that holds any, the visitor type's always
// first. A value keeps its line breaks; those of a caption become spaces. A value longer than a
// typed field's limit, or one that takes "Other" past its own limit, is refused by its caption.
JoinedOther joinOtherValues(const QString& visitorType, const QList<OtherValue>& values);
// The field's value as "Other" keeps it, by its identifier (by its caption in a log written
// before); for the visitor type, the whole text of a one-value "Other". Empty when the visitor
// has none.
QString otherValue(const QString& other, const OtherField& field);
// "Other" as people read it, in the log window and its workbook: a "Caption: value" line per value
// kept by identifier, without the identifier, each value with its line breaks; a text of another
// form as it stands.
QString shownOther(const QString& other);

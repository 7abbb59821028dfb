#pragma once
// The values a pass shows that the visitor log has no column of their own for: the visitor type,
// the position or title, and the value of each field added to the design. The log keeps them in
// its "Other" column, one line each: "Visitor Type: ..." first, then "Caption: value".
#include <QList>
#include <QString>

#include "model/SKTGraphic.h"

inline const QString kVisitorTypeCaption = QStringLiteral("Visitor Type");

// A field of the front whose value goes into "Other", by the caption it is kept under.
struct OtherField {
    QString ctrlId;
    QString caption;
};

struct OtherValue {
    QString caption;
    QString value;
};

// The front's fields kept in "Other" besides the visitor type, in the front's order: the position
// or title ("Fup_Title") and each text element that is an added field's value (an identifier of
// its own, neither a profile field, an extra photo nor a caption), under its caption's text
// without the closing colon, or under its identifier when it has no caption.
QList<OtherField> visitorOtherFields(const GraphicList& front);

// The "Other" text: the visitor type alone while no other value holds anything, as the log has
// always kept it; else a line per value, the visitor type first. Line breaks within a value or a
// caption become spaces.
QString joinOtherValues(const QString& visitorType, const QList<OtherValue>& values);
// The value kept under the caption; for the visitor type, the whole text of a one-value "Other".
// Empty when the visitor has none.
QString otherValue(const QString& other, const QString& caption);

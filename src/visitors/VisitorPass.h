#pragma once
// A visitor's pass: the front of the visitor design with the visitor's values in its profile
// elements, drawn as a picture for the printing view.
#include <QImage>
#include <QString>
#include <array>

#include "model/SKTGraphic.h"
#include "output/SideSnapshot.h"
#include "visitors/VisitorRecord.h"

// Which profile element shows which of a visitor's values. The visitor captions name the slogan,
// website, unique number and fax fields "Purpose", "Person to Meet", "Visitor No." and "Visitor
// Type"; the last is the log's "Other".
struct VisitorProfileField {
    const char* ctrlId;
    QString VisitorRecord::*value;
};
inline constexpr const char* kVisitorPhotoId = "Fup_Photo";
inline constexpr const char* kVisitDateId = "Fup_Date";
inline constexpr const char* kVisitTimeId = "Fup_Time";

// A visit's date and time taken apart again from the log's one text: the time is a clock reading
// ("9:05", "9:05:07 AM") at its end; without one the whole text is the date.
struct VisitDateTime {
    QString date;
    QString time;
};
VisitDateTime visitDateAndTime(const QString& dateAndTime);
const std::array<VisitorProfileField, 9>& visitorProfileFields();

// The picture file of a photo reference, without its "<IMG_FILTER>" settings.
QString visitorPhotoFile(const QString& photoReference);

// Copies of the front's elements (index 0 topmost) with the visitor's values, the date and time of
// the visit included: texts take them,
// the photo element the picture file, barcodes a new picture of them. The live elements keep
// theirs. GUI thread.
GraphicList visitorPassElements(const GraphicList& front, const VisitorRecord& visitor);
// The pass at dpi, its dots per metre saying dpi; null with the reason in why when the side
// cannot be drawn whole.
QImage Draw_Visitor_Pass(const GraphicList& front, const VisitorRecord& visitor, QString* why = nullptr,
                         double dpi = kOutputDpi);

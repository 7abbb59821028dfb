#pragma once
// A visitor's pass: the front of the visitor design with the visitor's values in its profile
// elements, drawn as a picture for the printing view.
#include <QImage>
#include <QString>

#include "model/SKTGraphic.h"
#include "output/SideSnapshot.h"
#include "visitors/VisitorElementValues.h"

// A visit's date and time taken apart again from the log's one text: the time is a clock reading
// ("9:05", "9:05:07 AM") at its end; without one the whole text is the date.
struct VisitDateTime {
    QString date;
    QString time;
};
VisitDateTime visitDateAndTime(const QString& dateAndTime);

// What a pass takes of the visitor.
enum class PassValues {
    // The visitor being registered: the side panel has already put what was typed, and the date
    // and time it shows, on the front, so the pass is the front as the canvas shows it. Only the
    // photo and the barcodes take the visitor's non-empty values again, so that a photo that cannot
    // be read or a number no barcode can show refuses the pass.
    Shown,
    // A visitor printed again from the log: every value of the record, the visit's date and time
    // included, replaces what the front shows by then (which may be another visitor's). A visitor
    // registered without a photo gets the design's placeholder picture where the front shows one
    // of the program's, as at the desk, else an empty photo box; an added picture field shows the
    // picture the visitor had in it; what the log does not keep (a field added after the visit) is
    // left empty.
    Logged,
};

// Copies of the front's elements (index 0 topmost) with the visitor's values: texts take them,
// the photo element the picture file, barcodes a new picture of them. The live elements keep
// theirs. The reason in why when a barcode cannot show its value. GUI thread.
GraphicList visitorPassElements(const GraphicList& front, const VisitorRecord& visitor, QString* why = nullptr,
                                PassValues values = PassValues::Logged);
// The pass at dpi, its dots per metre saying dpi; null with the reason in why when a barcode
// cannot show its value or the side cannot be drawn whole (a photo that cannot be read).
QImage Draw_Visitor_Pass(const GraphicList& front, const VisitorRecord& visitor, QString* why = nullptr,
                         PassValues values = PassValues::Logged, double dpi = kOutputDpi);

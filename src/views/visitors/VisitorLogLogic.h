#pragma once
// What the visitor log window does, without the window: the visitors listed (all, or those whose
// name holds the search text), the selected visitor's photo, the pass of that visitor through the
// printing view, and the export of the listed visitors to a workbook.
#include <QImage>
#include <QList>
#include <QString>
#include <functional>

#include "visitors/VisitorLog.h"

class QWidget;

class VisitorLogLogic {
public:
    // The pass of a visitor as the design draws it; null with the reason in why when it cannot be
    // drawn. The main window gives it.
    using PassMaker = std::function<QImage(const VisitorRecord& visitor, QString* why)>;

    explicit VisitorLogLogic(VisitorLog& log);

    PassMaker passMaker;

    // Lists the visitors whose name holds text (all for an empty text), none selected.
    void Search(const QString& text);
    const QList<VisitorRecord>& rows() const { return m_rows; }
    // What the rows do not show of the log (visitors past the listing's bound, texts cut short);
    // empty when they show it whole.
    QString note() const { return m_note; }
    QString searchText() const { return m_search; }

    // Selects a listed row (-1 for none) and shows its visitor's photo, or none when the picture
    // cannot be read; false for a row that is not listed.
    bool selectRow(int row);
    int selectedRow() const { return m_selected; }

    // Shows a photo reference: empty clears the photo; "path<IMG_FILTER>settings" loads the
    // picture, sets the IMG_ settings from the text and shows it through the filter chain, with its
    // border when the text asks for one; a plain path shows the picture as it is. A picture that
    // cannot be loaded leaves the photo shown as it was (false).
    bool Set_User_Image(const QString& reference);
    const QImage& photo() const { return m_photo; }

    // Preview (the print preview window) or print, with no print panel, on the visitor log's own
    // print settings (printVisitorPass) of the selected visitor's pass. False, after saying why,
    // when nothing went out.
    bool Execute_Printing(bool preview, QWidget* window = nullptr);

    // Writes the listed visitors to a workbook chosen in a save panel (".xlsx" added when
    // missing); false when cancelled or not written.
    bool Export_To_Excel(QWidget* parent = nullptr);
    bool exportTo(const QString& target);

private:
    VisitorLog& m_log;
    QList<VisitorRecord> m_rows;
    QString m_search;
    QString m_note;
    int m_selected = -1;
    QImage m_photo;
};

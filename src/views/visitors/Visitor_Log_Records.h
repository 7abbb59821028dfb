#pragma once
// The visitor log window: the registered visitors in a table, a search by name, the selected
// visitor's photo, Print and Preview of that visitor's pass, and Export of the listed visitors to
// a workbook. The logic decides; this view shows its rows and photo after each step.
#include <QDialog>

#include "views/visitors/VisitorLogLogic.h"

namespace Ui {
class Visitor_Log_Records;
}

class Visitor_Log_Records : public QDialog {
    Q_OBJECT
public:
    Visitor_Log_Records(VisitorLog& log, QWidget* parent = nullptr);
    ~Visitor_Log_Records() override;

    VisitorLogLogic logic;
    Ui::Visitor_Log_Records* ui;

    // Lists every visitor and shows the window modally.
    int Open_Wnd();
    // Lists the visitors of the search field's text.
    void Refresh_Rows();

private:
    void showRows();
    void showPhoto();
    void rowSelected();
};

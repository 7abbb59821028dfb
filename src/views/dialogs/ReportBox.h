#pragma once
// The box that ends a run with a list: what happened above, and every card left out or file not
// written below, in a field the user can scroll, select and copy however long it is.
#include <QDialog>
#include <QStringList>

namespace Ui {
class ReportBox;
}

class ReportBox : public QDialog {
    Q_OBJECT
public:
    explicit ReportBox(QWidget* parent = nullptr);
    ~ReportBox() override;

    void setReport(const QString& message, const QStringList& lines);
    // The list as it would be copied: one line per entry.
    QString listText() const;
    // Puts the list on the clipboard.
    void copyList() const;

    Ui::ReportBox* ui;
};

#pragma once
// The unit dialog: the user's unit as one of the rows of unit_matrix (0 inch, 1 centimetre,
// 2 millimetre), OK and Cancel.
#include <QDialog>
#include <memory>
#include <optional>

class QButtonGroup;
namespace Ui {
class Unit_PrefWindow;
}

class Unit_PrefWindow : public QDialog {
    Q_OBJECT
public:
    explicit Unit_PrefWindow(QWidget* parent = nullptr);
    ~Unit_PrefWindow() override;

    // A code outside 0..2 selects millimetres, the unit such a code stands for elsewhere.
    void selectUnit(int unit);
    int selectedUnit() const;
    QButtonGroup& unit_matrix() const;

private:
    std::unique_ptr<Ui::Unit_PrefWindow> ui;
};

// doPreferences: shows the dialog on currentUnit through the dialog seam and answers the chosen
// unit when the user pressed OK. Cancel answers nothing, so no unit change is applied.
std::optional<int> doPreferences(QWidget* parent, int currentUnit);

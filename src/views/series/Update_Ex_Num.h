#pragma once
// The value edit panel of the series manager: one value of the list, changed in place.
#include <QDialog>
#include <memory>

namespace Ui {
class Update_Ex_Num;
}

inline const QString kEnterValidValueMessage = QStringLiteral("Please enter a valid value.");

class Update_Ex_Num : public QDialog {
    Q_OBJECT
public:
    explicit Update_Ex_Num(QWidget* parent = nullptr);
    ~Update_Ex_Num() override;

    Ui::Update_Ex_Num& ui() const { return *m_ui; }

    // Runs the panel on the value of a row: 1 on OK, 0 on Cancel.
    int Open_Wnd(int row, const QString& value);
    // The trimmed new value after OK; null when the value was left as it was.
    const QString& editedValue() const { return m_edited; }

    void OKPressed();
    void CancelPressed();

private:
    std::unique_ptr<Ui::Update_Ex_Num> m_ui;
    QString m_edited;
};

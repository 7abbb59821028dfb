#pragma once
// The series manager's window as laid out in its .ui: the two screens in one stack, their tables
// and buttons. BatchWizard gives it its behaviour.
#include <QDialog>
#include <memory>

namespace Ui {
class BatchWizardView;
}

class BatchWizardView : public QDialog {
    Q_OBJECT
public:
    explicit BatchWizardView(QWidget* parent = nullptr);
    ~BatchWizardView() override;

    Ui::BatchWizardView& ui() const { return *m_ui; }

private:
    std::unique_ptr<Ui::BatchWizardView> m_ui;
};

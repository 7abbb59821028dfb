#pragma once
// The promotion window: one of our other products, its description and a button that opens its
// web page in the desktop's browser.
#include <QDialog>

namespace Ui {
class Promotion_Form;
}

class Promotion_Form : public QDialog {
    Q_OBJECT
public:
    explicit Promotion_Form(QWidget* parent = nullptr);
    ~Promotion_Form() override;

    static Promotion_Form& defaultInstance();

    // The product's one-letter code, set by the caller before the window opens.
    QChar software_type = u'B';

    // Shows the product of software_type and runs the window modally.
    void Open_Promotion_Window();

    Ui::Promotion_Form* ui;

public Q_SLOTS:
    void Visit_Button();
    void Close_Button();
};

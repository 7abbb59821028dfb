#pragma once
// The shared message dialog: a title and a long text with an OK button.
#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QPushButton;

class Long_SMS_Dlg : public QDialog {
    Q_OBJECT
public:
    explicit Long_SMS_Dlg(QWidget* parent = nullptr);

    static Long_SMS_Dlg& defaultInstance();

    // Shows Cutom_Msg_Title and Cutom_Msg_Val; 1 for OK, 0 for Cancel.
    int Open_Long_sms_Dialog();

    QLabel* _Msg_Title = nullptr;
    QLabel* _Msg_Val = nullptr;
    QCheckBox* apply_chk = nullptr;
    int modl_response = 0;
    QPushButton* yes_button = nullptr;
    QPushButton* no_button = nullptr;

public Q_SLOTS:
    void OKPressed();
    void CancelPressed();

private:
    void finishWith(int response);
};

// What a help button does: the shared box shows the title and the text (they become
// Cutom_Msg_Title and Cutom_Msg_Val).
void Open_Help_Box(const QString& title, const QString& text);

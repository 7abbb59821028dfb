#pragma once
// The name sheet of a print profile: its name and printer, then the page layout panel for that
// printer. OK takes a name only when it can name a file and is not the default profile's.
#include <QDialog>
#include <optional>

#include "views/print/PrintProfileList.h"

namespace Ui {
class Add_Print_Profile;
}

class Add_Print_Profile : public QDialog {
    Q_OBJECT
public:
    explicit Add_Print_Profile(QWidget* parent = nullptr);
    ~Add_Print_Profile() override;

    // Runs the sheet for a profile's name and printer ("" and "" for a new one); the accepted
    // name and printer, or nothing when cancelled.
    std::optional<ProfileNameAnswer> Open_Profile_Wnd(const QString& name, const QString& printer);

    Ui::Add_Print_Profile* ui;

public Q_SLOTS:
    void OKPressed();
    void CancelPressed();

private:
    ProfileNameAnswer m_answer;
};

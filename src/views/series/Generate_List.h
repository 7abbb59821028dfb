#pragma once
// The series generator: a numbered sequence with prefix, suffix and leading zeros, random numbers
// of a chosen digit count, or one value repeated, written as a new series or added to the series
// the manager edits. The rules are SeriesGenerator's; this window gathers them and sends the
// values on.
#include <QDialog>
#include <memory>

#include "views/series/SeriesWindowLinks.h"

class QLineEdit;
class QSpinBox;
namespace Ui {
class Generate_List;
}

inline const QString kKeepDigitsHelpTitle =
    QStringLiteral("Maintain number of Digits By adding 0's before smaller values. ");
inline const QString kKeepDigitsHelpText = QStringLiteral(
    "For example:\r\nIf you have to generate a series having values from '0' to '200', this option "
    "automatically converts small values such as '1' to '001' and '11' to '011' to maintain number of digits "
    "same as the highest value in the series.\r\n\r\nSimilarly, if you have selected a series starting from "
    "'001' to '00200', this option automatically converts small values such as '001' to '00001' and '0011' "
    "to '00011' to maintain number of digits same as the highest value in the series.");

class Generate_List : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Sequential, Constant, Random };

    explicit Generate_List(SeriesWindowLinks links = {}, QWidget* parent = nullptr);
    ~Generate_List() override;

    SeriesWindowFlags flags;

    // Resets every field and runs the window modally: 1 after values were made, else 0.
    int Open_Wnd();
    void Sequintial_Radio_Pressed();
    void Constant_Radio_Pressed();
    void Random_Radio_Pressed();
    Mode mode() const { return _mode; }
    // Checks the fields of the mode that is on, then generates; the window stays open on a
    // failed check.
    void OKPressed();
    void CancelPressed();
    void Help_btn_Pressed();

private:
    void resetFields();
    void selectMode(Mode mode);
    QLineEdit& nameField(Mode mode) const;
    // The first failed check of the mode that is on (message shown, field focused), else true.
    bool fieldsHold();
    bool generate();
    void connectLimits();
    void keepLimited(QLineEdit& field, QString (*limit)(const QString&), QSpinBox* stepper);

    std::unique_ptr<Ui::Generate_List> ui;
    SeriesWindowLinks _links;
    Mode _mode = Mode::Sequential;
};

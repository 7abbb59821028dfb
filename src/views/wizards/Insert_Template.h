#pragma once
// The picker of ready-made card wordings: titles ("Visitor", "Staff", ...) or short messages
// ("If found, please return ..."). The text page puts the one picked into its editor.
#include <QDialog>
#include <QString>
#include <QStringList>
#include <memory>

namespace Ui {
class Insert_Template;
}

// The text picked by the last OK.
extern QString Template_Msg_Val;

class Insert_Template : public QDialog {
    Q_OBJECT
public:
    // "T" for the titles, anything else for the messages.
    explicit Insert_Template(const QString& title_or_msg, QWidget* parent = nullptr);
    ~Insert_Template() override;

    static QStringList templateTitles();
    static QStringList templateMessages();

    // Runs the picker modally through the dialog seam: 1 on OK with a text picked, which is then
    // in Template_Msg_Val; 0 otherwise.
    int Open_Template_Dialog();

private:
    std::unique_ptr<Ui::Insert_Template> ui;
};

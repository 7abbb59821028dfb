#pragma once
// The keep/replace prompt for an output file that already exists. Its answer goes to
// replace_keep_file_flag so that the worker that asked can read it.
#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class Replcae_Confirm_Box : public QDialog {
    Q_OBJECT
public:
    explicit Replcae_Confirm_Box(QWidget* parent = nullptr);

    static Replcae_Confirm_Box& defaultInstance();

    // Runs the prompt on the GUI thread and waits for the answer; callable from any thread.
    void Open_box_in_thread();
    // GUI thread only. Returns the modal code; callers read replace_keep_file_flag.
    int Open_Replace_Dialog();

    QLabel* _Msg_Title = nullptr;
    QLabel* _Msg_Val = nullptr;
    QCheckBox* apply_chk = nullptr;
    QLineEdit* path_control = nullptr;
    QPushButton* keep_button = nullptr;
    QPushButton* replace_button = nullptr;
    QPushButton* cancel_button = nullptr;

    // Filled by the caller before the prompt opens.
    QString title_val;
    QString msg_val_str;
    bool apply_chk_show = false;
    QString file_path_str;

public Q_SLOTS:
    void Keep_Pressed();
    void Replace_Pressed();
    void CancelPressed();

public:
    // Escape and the close button count as Cancel: the flag left from the job's start reads as
    // Replace, which would delete the existing file.
    void reject() override;
};

// The prompt about one path with that title and text, run on the GUI thread whichever thread asks;
// answers the ReplaceKeep value chosen (the apply-to-all box offered).
int askKeepOrReplace(const QString& path, const QString& title, const QString& text);

// The path to write where a file may already be: the path itself when none is there or it is to
// be replaced, a free numbered name to keep both, "" to leave it (Cancel also stops the job that
// asked). An answer for all, in replace_keep_file_flag, holds without asking again. The file
// already there is never deleted here: the caller's whole-file write replaces it, so a write
// that fails leaves it as it was. Any thread.
QString Check_And_Show_Keep_Replace_File_Msg(const QString& path, bool show_apply_all);

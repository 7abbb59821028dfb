#pragma once
// The box shown after an export: where the output went, and whether to open it on closing.
#include <QDialog>
#include <QString>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// What the box's check box says for one file: the exports' choice, and the photo windows'.
inline const QString kOpenExportedFile = QStringLiteral("Open exported file.");
inline const QString kOpenFile = QStringLiteral("Open file.");

class Open_Export_Log : public QDialog {
    Q_OBJECT
public:
    explicit Open_Export_Log(QWidget* parent = nullptr);

    static Open_Export_Log& defaultInstance();

    // Shows the box for Export_File_Path and Export_File_Message, only when a card was exported,
    // with the details (cards left out, files not written) listed in a field the user can scroll
    // and copy. Its check box offers to open a folder, or a file under fileChoice.
    void Open_Export_File_Box(const QStringList& details = {}, const QString& fileChoice = kOpenExportedFile);
    // The end of a run that writes files into path: with files written, this box with the details
    // under the message; with none there is nothing to open, so the message and the details alone,
    // and nothing at all without details.
    static void Show_Closing_Box(const QString& path, const QString& message, const QStringList& details,
                                 int filesWritten, const QString& fileChoice = kOpenExportedFile);

    // Opens a file in its application or a folder in the file browser; tests replace it.
    std::function<void(const QString& path)> openPath;

    QCheckBox* _open_log_chk = nullptr;
    QLineEdit* _open_log_path = nullptr;
    QLabel* _open_log_message = nullptr;
    QPlainTextEdit* _open_log_details = nullptr;
    QPushButton* ok_button = nullptr;
    QPushButton* cancel_button = nullptr;

public Q_SLOTS:
    void OKPressed();
    void CancelPressed();

public:
    // Escape and the close button end the box as Cancel does, so no stale back path survives.
    void reject() override;

private:
    void resetForNextTime();
};

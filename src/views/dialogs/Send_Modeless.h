#pragma once
// The progress window of long jobs (batch export, batch mail, batch cropping). The job's worker
// sets the counts and the pause text from its own thread; a timer on the GUI thread shows them.
#include <QDialog>
#include <QMutex>
#include <QString>
#include <QTimer>
#include <atomic>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

class Send_Modeless : public QDialog {
    Q_OBJECT
public:
    explicit Send_Modeless(QWidget* parent = nullptr);

    static Send_Modeless& defaultInstance();

    // Shows the window without blocking and keeps the rest of the application out of reach,
    // so nobody edits the design the job is rebuilding. With a count unit, the count first reads
    // "0 / 12 Card" until the first refresh counts. GUI thread only.
    void showForJob(const QString& totalCaption, const QString& countUnit = QString());
    void closeForJob();

    // Any thread.
    std::atomic<int> total_count{0};
    std::atomic<int> current_count{0};
    void setPauseText(const QString& text);  // empty hides it
    QString pauseText() const;

    // Copies the counts and the pause text into the widgets. GUI thread only.
    void refreshFromJob();

    // Runs a counted job on a worker thread with the window shown, its bar counting (the busy
    // spinner hidden meanwhile): the GUI thread keeps handling events, since the job may wait for
    // it, copies done() into the count, and calls stop() once the user has stopped the job here.
    // pause(true) holds the job while the user is asked whether to stop, pause(false) lets it
    // go on after a No. Returns when the job has ended; the window is closed again. GUI thread only.
    void runCountedJob(const QString& totalCaption, int total, const std::function<void()>& job,
                       const std::function<int()>& done, const std::function<void()>& stop,
                       const std::function<void(bool)>& pause, const QString& countUnit = QString());

    QLabel* tot_label = nullptr;
    QLabel* _tot_msg_cnt = nullptr;
    QLabel* _curr_msg_cnt = nullptr;
    QProgressBar* _Curr_Progress = nullptr;
    QProgressBar* Round_Progress = nullptr;
    QPushButton* _stop_btn = nullptr;
    QLabel* pause_label = nullptr;

public Q_SLOTS:
    // Asks before stopping; on Yes the job and any later keep/replace question end.
    void Stop_Sending_Pressed();

protected:
    // The window's close button asks the same question instead of hiding a running job.
    void reject() override;

private:
    QTimer refreshTimer_;
    mutable QMutex pauseMutex_;
    QString pauseText_;
    std::function<void(bool)> pauseJob_;
    bool stopPressed_ = false;  // the running job was stopped with this window's Stop
};

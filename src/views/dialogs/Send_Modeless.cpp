#include "views/dialogs/Send_Modeless.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QtConcurrent/QtConcurrent>
#include <algorithm>
#include <QLabel>
#include <QMutexLocker>
#include <QProgressBar>
#include <QPushButton>

#include "platform/GuiThread.h"
#include "platform/MessageBoxes.h"
#include "views/dialogs/SharedDialogs.h"

namespace {
constexpr int kRefreshIntervalMs = 200;
constexpr int kJobPollMs = 20;
}

Send_Modeless::Send_Modeless(QWidget* parent)
    : QDialog(parent)
{
    applySharedDialogBackground(*this);
    setWindowTitle(tr("Progress"));
    tot_label = new QLabel(tr("Total:"), this);
    _tot_msg_cnt = new QLabel(QStringLiteral("0"), this);
    _curr_msg_cnt = new QLabel(this);
    _Curr_Progress = new QProgressBar(this);
    _Curr_Progress->setMinimumWidth(320);
    _Curr_Progress->setTextVisible(false);
    Round_Progress = new QProgressBar(this);
    Round_Progress->setRange(0, 0);  // a range of 0..0 makes Qt's busy indicator
    Round_Progress->setTextVisible(false);
    Round_Progress->setMaximumWidth(60);
    pause_label = new QLabel(this);
    pause_label->setVisible(false);
    _stop_btn = new QPushButton(tr("Stop"), this);

    auto* layout = new QGridLayout(this);
    layout->addWidget(tot_label, 0, 0);
    layout->addWidget(_tot_msg_cnt, 0, 1);
    layout->addWidget(_curr_msg_cnt, 0, 2, Qt::AlignRight);
    layout->addWidget(_Curr_Progress, 1, 0, 1, 3);
    layout->addWidget(pause_label, 2, 0, 1, 3);
    layout->addWidget(Round_Progress, 3, 0);
    layout->addWidget(_stop_btn, 3, 2, Qt::AlignRight);

    connect(_stop_btn, &QPushButton::clicked, this, &Send_Modeless::Stop_Sending_Pressed);
    refreshTimer_.setInterval(kRefreshIntervalMs);
    connect(&refreshTimer_, &QTimer::timeout, this, &Send_Modeless::refreshFromJob);
}

Send_Modeless& Send_Modeless::defaultInstance()
{
    return sharedDialogInstance<Send_Modeless>();
}

void Send_Modeless::showForJob(const QString& totalCaption, const QString& countUnit)
{
    tot_label->setText(totalCaption);
    refreshFromJob();
    if (!countUnit.isEmpty())
        _curr_msg_cnt->setText(QStringLiteral("%1 %2").arg(_curr_msg_cnt->text(), countUnit));
    setWindowModality(Qt::ApplicationModal);
    show();
    refreshTimer_.start();
}

void Send_Modeless::closeForJob()
{
    refreshTimer_.stop();
    hide();
}

void Send_Modeless::setPauseText(const QString& text)
{
    QMutexLocker lock(&pauseMutex_);
    pauseText_ = text;
}

QString Send_Modeless::pauseText() const
{
    QMutexLocker lock(&pauseMutex_);
    return pauseText_;
}

void Send_Modeless::refreshFromJob()
{
    const int total = std::max(0, total_count.load());
    const int current = std::clamp(current_count.load(), 0, total);
    _tot_msg_cnt->setText(QString::number(total));
    _curr_msg_cnt->setText(QStringLiteral("%1 / %2").arg(current).arg(total));
    _Curr_Progress->setRange(0, std::max(total, 1));
    _Curr_Progress->setValue(current);
    const QString pause = pauseText();
    pause_label->setText(pause);
    pause_label->setVisible(!pause.isEmpty());
}

void Send_Modeless::runCountedJob(const QString& totalCaption, int total, const std::function<void()>& job,
                                  const std::function<int()>& done, const std::function<void()>& stop,
                                  const std::function<void(bool)>& pause, const QString& countUnit)
{
    Stop_SMS_Sending_Now = 0;
    stopPressed_ = false;
    total_count = total;
    current_count = 0;
    setPauseText(QString());
    const bool spinnerShown = Round_Progress->isVisibleTo(this);
    Round_Progress->setVisible(false);
    showForJob(totalCaption, countUnit);
    pauseJob_ = pause;
    GuiThread::serveUntilFinished(QtConcurrent::run(job), kJobPollMs, [&] {
        current_count = done();
        // Only the window's own stop: a job ends itself at Cancel for all, after the files
        // answered before it, and a Cancel for one file only skips that file.
        if (stopPressed_)
            stop();
    });
    pauseJob_ = {};
    current_count = done();
    // The bar shows the last count before the window closes.
    refreshFromJob();
    setPauseText(QString());
    closeForJob();
    Round_Progress->setVisible(spinnerShown);
}

void Send_Modeless::Stop_Sending_Pressed()
{
    // Nothing more is written while the question is open.
    const std::function<void(bool)> pause = pauseJob_;
    if (pause)
        pause(true);
    const bool stopping = Show_YES_NO_MessageBox(QStringLiteral("Are you sure you want to stop?")) == 1;
    if (!stopping) {
        if (pause)
            pause(false);
        return;
    }
    stopPressed_ = true;
    Stop_SMS_Sending_Now = 1;
    replace_keep_file_flag = ReplaceKeep::CancelAll;
}

void Send_Modeless::reject()
{
    Stop_Sending_Pressed();
}

#include "support/ScriptedMessagePresenter.h"
#include <QMutexLocker>

#include "support/OnGuiThread.h"

void ScriptedMessagePresenter::queueAnswers(std::initializer_list<int> answers)
{
    QMutexLocker lock(&mutex_);
    answers_.insert(answers_.end(), answers);
}

int ScriptedMessagePresenter::present(const MessageBoxRequest& request)
{
    expectOnGuiThread("a message box");
    QMutexLocker lock(&mutex_);
    int answer = 0;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    records_.append(Record{request, answer, QThread::currentThread()});
    return answer;
}

void ScriptedMessagePresenter::beep()
{
    QMutexLocker lock(&mutex_);
    ++beeps_;
}

int ScriptedMessagePresenter::beeps() const
{
    QMutexLocker lock(&mutex_);
    return beeps_;
}

QList<ScriptedMessagePresenter::Record> ScriptedMessagePresenter::records() const
{
    QMutexLocker lock(&mutex_);
    return records_;
}

QStringList ScriptedMessagePresenter::texts() const
{
    QStringList texts;
    for (const Record& record : records())
        texts.append(record.request.text);
    return texts;
}

ScopedMessagePresenter::ScopedMessagePresenter(MessagePresenter& presenter)
    : previous_(&messagePresenter())
{
    setMessagePresenter(&presenter);
}

ScopedMessagePresenter::~ScopedMessagePresenter()
{
    setMessagePresenter(previous_);
}

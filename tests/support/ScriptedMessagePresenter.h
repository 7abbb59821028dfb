#pragma once
// A message presenter for tests: records every box and alert sound, answers from a queue of button indexes
// (0 once the queue is empty) and notes the thread that presented each box; a box shown off the GUI
// thread fails the running test.
#include <QList>
#include <QMutex>
#include <QStringList>
#include <QThread>
#include <deque>
#include <initializer_list>
#include "platform/MessagePresenter.h"

class ScriptedMessagePresenter : public MessagePresenter {
public:
    struct Record {
        MessageBoxRequest request;
        int answer = 0;
        QThread* thread = nullptr;
    };

    void queueAnswers(std::initializer_list<int> answers);
    int present(const MessageBoxRequest& request) override;
    void beep() override;

    QList<Record> records() const;
    QStringList texts() const;
    int beeps() const;

private:
    mutable QMutex mutex_;
    std::deque<int> answers_;
    QList<Record> records_;
    int beeps_ = 0;
};

// Installs a presenter for the lifetime of the object, then restores the one before it.
class ScopedMessagePresenter {
public:
    explicit ScopedMessagePresenter(MessagePresenter& presenter);
    ~ScopedMessagePresenter();
    ScopedMessagePresenter(const ScopedMessagePresenter&) = delete;
    ScopedMessagePresenter& operator=(const ScopedMessagePresenter&) = delete;

private:
    MessagePresenter* previous_;
};

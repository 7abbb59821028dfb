#pragma once
// Program-wide state of the card model and its helpers.
#include <QMutex>
#include <QString>
#include <atomic>

// A string global that worker threads may read while the GUI thread writes it.
class GuardedString {
public:
    QString get() const;
    void set(const QString& value);
    operator QString() const { return get(); }
    GuardedString& operator=(const QString& value)
    {
        set(value);
        return *this;
    }

private:
    mutable QMutex mutex_;
    QString value_;
};

// Answer of the last Yes/No box: true for "Yes".
extern std::atomic<bool> yes_no_msg_val;
// Stopwatch start, in whole seconds since the epoch.
extern std::atomic<qint64> mLastActivity_Time;
// The user folder's "Cropped_Images" and "PrintProfile" folders; empty until the folders are checked.
extern GuardedString Cropped_Img_Path;
extern GuardedString print_profile_path;
// Progress and class of the element archive being written or read, for the log line of a failure.
extern std::atomic<int> graphic_decode_count;
extern GuardedString graphic_decode_class;

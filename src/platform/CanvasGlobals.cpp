#include "platform/CanvasGlobals.h"
#include <QMutexLocker>

QString GuardedString::get() const
{
    QMutexLocker lock(&mutex_);
    return value_;
}

void GuardedString::set(const QString& value)
{
    QMutexLocker lock(&mutex_);
    value_ = value;
}

std::atomic<bool> yes_no_msg_val{false};
std::atomic<qint64> mLastActivity_Time{0};
GuardedString Cropped_Img_Path;
GuardedString print_profile_path;
std::atomic<int> graphic_decode_count{0};
GuardedString graphic_decode_class;

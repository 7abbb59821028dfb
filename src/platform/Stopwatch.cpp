#include "platform/Stopwatch.h"
#include "platform/CanvasGlobals.h"
#include "platform/MessageBoxes.h"

void Calculate_Time_Taken(int flag, const QString& label)
{
    Calculate_Time_Taken_At(flag, label, QDateTime::currentDateTimeUtc());
}

void Calculate_Time_Taken_At(int flag, const QString& label, const QDateTime& now)
{
    if (flag == 0) {
        mLastActivity_Time = now.toSecsSinceEpoch();
        return;
    }
    const qint64 elapsedMsecs = now.toMSecsSinceEpoch() - mLastActivity_Time.load() * 1000;
    const int s = int(elapsedMsecs / 1000);
    Show_MessageBox(QStringLiteral("Time Taken in %1 :: %2 Hours : %3 Minutes : %4 Seconds\n")
                        .arg(label, QString::number(s / 3600), QString::number((s % 3600) / 60),
                             QString::number(s % 60)));
}

#include <QDateTime>
#include <gtest/gtest.h>
#include "canvas/CanvasGlobals.h"
#include "canvas/helpers/Stopwatch.h"
#include "support/ScriptedMessagePresenter.h"

namespace {

TEST(StopwatchTest, ShowsWholeHoursMinutesAndSecondsSinceTheStart)
{
    ScriptedMessagePresenter presenter;
    ScopedMessagePresenter installed(presenter);
    const QDateTime start = QDateTime::fromMSecsSinceEpoch(1'700'000'000'400, Qt::UTC);

    Calculate_Time_Taken_At(0, "Batch Crop", start);
    EXPECT_EQ(mLastActivity_Time.load(), 1'700'000'000);
    // The start is cut to whole seconds, so 3725.9 s after the stored start shows 3725 s.
    Calculate_Time_Taken_At(1, "Batch Crop", QDateTime::fromMSecsSinceEpoch(1'700'000'000'000 + 3'725'900, Qt::UTC));
    Calculate_Time_Taken_At(2, "%1 Print", start.addSecs(59));

    EXPECT_EQ(presenter.texts(),
              (QStringList{"\nTime Taken in Batch Crop :: 1 Hours : 2 Minutes : 5 Seconds\n",
                           "\nTime Taken in %1 Print :: 0 Hours : 0 Minutes : 59 Seconds\n"}));
}

}  // namespace

#pragma once
// What a run of the program makes once (the shared dialogs) may already be made by the tests that
// ran before. A test that must meet it unmade starts with
//     if (!runsAlone()) return;
// which, when other tests share this run, runs the test alone in a new run of this program, takes
// that run's outcome as its own and answers false.
#include <QCoreApplication>
#include <gtest/gtest.h>

#include "support/TestEnvironment.h"

inline bool runsAlone()
{
    const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
    if (unit.test_to_run_count() == 1)
        return true;
    const ::testing::TestInfo& test = *unit.current_test_info();
    const QString filter = QStringLiteral("--gtest_filter=%1.%2").arg(QString::fromUtf8(test.test_suite_name()),
                                                                       QString::fromUtf8(test.name()));
    const TestEnvironment::ProcessResult alone =
        TestEnvironment::run(QCoreApplication::applicationFilePath(), {filter}, 120000);
    EXPECT_EQ(alone.exitCode, 0) << alone.out.toStdString() << alone.err.toStdString();
    EXPECT_TRUE(alone.out.contains("[  PASSED  ] 1 test.")) << alone.out.toStdString();
    return false;
}

#include "support/TestEnvironment.h"
#include <QProcess>

namespace TestEnvironment {

QString resourceDir() { return QStringLiteral(ZOVA_TEST_RESOURCE_DIR); }
QString fixtureDir() { return QStringLiteral(ZOVA_TEST_FIXTURE_DIR); }

ProcessResult run(const QString& program, const QStringList& arguments, int timeoutMs)
{
    QProcess process;
    process.start(program, arguments);
    ProcessResult result;
    if (!process.waitForStarted() || !process.waitForFinished(timeoutMs))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

ProcessResult runPython(const QString& script, const QStringList& arguments)
{
    return run(QStringLiteral(ZOVA_SYSTEM_PYTHON), QStringList{QStringLiteral("-c"), script} + arguments);
}

}  // namespace TestEnvironment

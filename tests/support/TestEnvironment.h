#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace TestEnvironment {
// The build's resource folder and the source tree's fixture folder.
QString resourceDir();
QString fixtureDir();

struct ProcessResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};
// Runs a program to its end (at most timeoutMs) and collects its output.
ProcessResult run(const QString& program, const QStringList& arguments, int timeoutMs = 60000);
// Runs a Python script text with Debian's interpreter, which has the python3-* packages.
ProcessResult runPython(const QString& script, const QStringList& arguments = {});
}  // namespace TestEnvironment

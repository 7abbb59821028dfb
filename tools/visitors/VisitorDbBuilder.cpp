// Writes an empty visitor log at the path given: the table the application opens, no rows.
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "visitors/VisitorLog.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: visitor-db-builder TARGET.db\n");
        return 2;
    }
    const QString target = QString::fromLocal8Bit(argv[1]);
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(target + QLatin1String(suffix));
    VisitorLog log;
    if (!log.open(target)) {
        std::fprintf(stderr, "%s\n", qPrintable(log.lastError()));
        return 1;
    }
    log.close();
    return 0;
}

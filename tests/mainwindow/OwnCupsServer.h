#pragma once
// A print server of the test's own: cupsd in the foreground, its configuration, spool and socket in
// a temporary folder, stopped with the object; the program's printers are its queues.
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "support/TestEnvironment.h"

inline bool writeText(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

// Whether this machine can run a server of its own with the queues' driver.
inline bool canRunOwnCupsServer(const QString& driver)
{
    return geteuid() == 0 && QFile::exists("/usr/sbin/cupsd") && QFile::exists(driver);
}

class OwnCupsServer {
public:
    bool start(const QTemporaryDir& folder, QString* why)
    {
        const QDir root(folder.path());
        for (const char* sub : {"etc/ppd", "spool", "cache", "run", "tmp", "log"})
            root.mkpath(QLatin1String(sub));
        // Filters run as the print system's own user, which must be able to reach and write here.
        QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                                 | QFileDevice::ReadOther | QFileDevice::ExeOther
                                                 | QFileDevice::ReadGroup | QFileDevice::ExeGroup);
        chmod(root.filePath("tmp").toLocal8Bit().constData(), 01777);
        // One socket path for the whole test program: the print library keeps the first server it
        // is given for the life of the process, so every server of one program listens there.
        socket = QDir::temp().filePath(QStringLiteral("zova-cups-%1.sock").arg(QCoreApplication::applicationPid()));
        QFile::remove(socket);
        const QString conf = root.filePath("etc/cupsd.conf");
        const QString files = root.filePath("etc/cups-files.conf");
        writeText(conf, QStringLiteral("Listen %1\nLogLevel warn\nWebInterface No\nBrowsing No\n"
                                       "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                       "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                            .arg(socket));
        writeText(files, QStringLiteral("ServerRoot %1/etc\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/run\n"
                                        "TempDir %1/tmp\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                                        "PageLog %1/log/page_log\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
                                        "Sandboxing Relaxed\n")
                             .arg(folder.path()));
        server.start(QStringLiteral("/usr/sbin/cupsd"), {"-f", "-c", conf, "-s", files});
        if (!server.waitForStarted() || !QTest::qWaitFor([this] { return QFile::exists(socket); }, 20000)) {
            *why = QStringLiteral("cupsd did not start: ") + QString::fromUtf8(server.readAllStandardError());
            return false;
        }
        qputenv("CUPS_SERVER", socket.toLocal8Bit());
        return true;
    }

    // A queue printing to the device through the driver, its options (-o name=value) the driver's
    // defaults.
    bool addQueue(const QString& name, const QString& device, const QString& driver, const QStringList& options,
                  QString* why)
    {
        QStringList arguments{"-h", socket, "-p", name, "-E", "-v", device, "-P", driver};
        for (const QString& option : options)
            arguments << QStringLiteral("-o") << option;
        const auto added = TestEnvironment::run(QStringLiteral("lpadmin"), arguments);
        if (added.exitCode != 0)
            *why = QStringLiteral("lpadmin: ") + QString::fromUtf8(added.err);
        return added.exitCode == 0;
    }

    ~OwnCupsServer()
    {
        server.terminate();
        server.waitForFinished(10000);
    }

    QString socket;
    QProcess server;
};

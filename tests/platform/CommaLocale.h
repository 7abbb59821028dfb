#pragma once
// Switches the C library's number locale to one with a decimal comma for a test's scope, as a
// user's locale does at run time. Systems often ship only the C locales, so when none is installed
// a German one is compiled once into a private folder (localedef and the locale sources needed).
#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <clocale>
#include <cstring>
#include <memory>

class ScopedCommaLocale {
public:
    ScopedCommaLocale() : m_previous(std::setlocale(LC_NUMERIC, nullptr))
    {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
            if (trySet(name))
                return;
        }
        const QString folder = compiledLocaleFolder();
        if (folder.isEmpty())
            return;
        const QByteArray oldPath = qgetenv("LOCPATH");
        qputenv("LOCPATH", QFile::encodeName(folder));
        trySet("de_DE.UTF-8");
        if (oldPath.isNull())
            qunsetenv("LOCPATH");
        else
            qputenv("LOCPATH", oldPath);
    }
    ~ScopedCommaLocale() { std::setlocale(LC_NUMERIC, m_previous.constData()); }
    ScopedCommaLocale(const ScopedCommaLocale&) = delete;
    ScopedCommaLocale& operator=(const ScopedCommaLocale&) = delete;

    bool active() const { return m_active; }

private:
    bool trySet(const char* name)
    {
        m_active = std::setlocale(LC_NUMERIC, name) && std::strcmp(std::localeconv()->decimal_point, ",") == 0;
        if (!m_active)
            std::setlocale(LC_NUMERIC, m_previous.constData());
        return m_active;
    }

    static QString compiledLocaleFolder()
    {
        static std::unique_ptr<QTemporaryDir> folder = [] {
            auto dir = std::make_unique<QTemporaryDir>();
            const QString localedef = QStandardPaths::findExecutable(QStringLiteral("localedef"));
            if (localedef.isEmpty() || !QFileInfo::exists(QStringLiteral("/usr/share/i18n/locales/de_DE")))
                return std::unique_ptr<QTemporaryDir>();
            QProcess process;
            process.start(localedef, {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                                      QStringLiteral("UTF-8"), dir->filePath(QStringLiteral("de_DE.UTF-8"))});
            if (!process.waitForFinished(120000) || process.exitCode() != 0)
                return std::unique_ptr<QTemporaryDir>();
            return dir;
        }();
        return folder ? folder->path() : QString();
    }

    QByteArray m_previous;
    bool m_active = false;
};

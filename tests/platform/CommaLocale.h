#pragma once
// Switches the C library's numbers to a decimal comma for a test's scope, as a German user's
// locale does. Where de_DE is not installed it is compiled once with localedef.
#include <QProcess>
#include <QTemporaryDir>

#include <clocale>
#include <cstring>
#include <string>

class ScopedCommaLocale {
public:
    ScopedCommaLocale() : m_previous(std::setlocale(LC_NUMERIC, nullptr))
    {
        if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
            return;
        static QTemporaryDir folder;
        static const int built = QProcess::execute(QStringLiteral("localedef"),
            {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"), QStringLiteral("UTF-8"),
             folder.filePath(QStringLiteral("de_DE.UTF-8"))});
        qputenv("LOCPATH", folder.path().toUtf8());
        std::setlocale(LC_NUMERIC, built == 0 ? "de_DE.UTF-8" : nullptr);
        qunsetenv("LOCPATH");
    }
    ~ScopedCommaLocale() { std::setlocale(LC_NUMERIC, m_previous.c_str()); }
    bool active() const { return std::strcmp(std::localeconv()->decimal_point, ",") == 0; }

private:
    std::string m_previous;
};

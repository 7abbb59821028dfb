#pragma once
// Shared by the test-support programs: complaints, command-line options and escaped text.
#include <QMap>
#include <QStringList>
#include <cstdio>
#include <optional>
#include <type_traits>

// Prints the message on standard error and answers the exit status.
inline int complain(int status, const QString& message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    return status;
}

// Backslash, tab, line feed and carriage return written \\, \t, \n and \r.
inline QString escapedControls(QString text)
{
    text.replace(u'\\', QLatin1String("\\\\")).replace(u'\t', QLatin1String("\\t"));
    return text.replace(u'\n', QLatin1String("\\n")).replace(u'\r', QLatin1String("\\r"));
}

// The arguments after the program's name: the known options and, in order, everything else.
struct ProbeArguments {
    QStringList positional;
    QMap<QString, QString> options;  // a flag holds ""

    bool has(const QString& name) const { return options.contains(name); }
    // The option's number (whole for an integral T), `fallback` when absent, nothing when no number.
    template <typename T>
    std::optional<T> number(const QString& name, T fallback) const
    {
        if (!has(name))
            return fallback;
        bool ok = false;
        const T value = std::is_integral_v<T> ? T(options[name].toInt(&ok)) : T(options[name].toDouble(&ok));
        return ok ? std::optional<T>(value) : std::nullopt;
    }
};

// `flags` stand alone and `valued` options take the next argument; nothing when that is missing.
inline std::optional<ProbeArguments> parseProbeArguments(const QStringList& arguments, const QStringList& flags,
                                                         const QStringList& valued)
{
    ProbeArguments parsed;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (flags.contains(arguments[i]))
            parsed.options[arguments[i]] = QString();
        else if (!valued.contains(arguments[i]))
            parsed.positional << arguments[i];
        else if (i + 1 < arguments.size())
            parsed.options[arguments[i]] = arguments[i + 1], ++i;
        else
            return std::nullopt;
    }
    return parsed;
}

#include "support/CommaLocale.h"

#include <QProcess>
#include <QTemporaryDir>
#include <clocale>

using namespace Qt::StringLiterals;

namespace {

// Where de_DE is not installed, compiles it once with localedef and switches to it.
bool switchToBuiltGermanLocale()
{
    static QTemporaryDir folder;
    static const int built = QProcess::execute(u"localedef"_s, {u"-i"_s, u"de_DE"_s, u"-f"_s, u"UTF-8"_s,
                                                                folder.filePath(u"de_DE.UTF-8"_s)});
    qputenv("LOCPATH", folder.path().toUtf8());
    const bool switched = built == 0 && std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    qunsetenv("LOCPATH");
    return switched;
}

}  // namespace

ScopedCommaLocale::ScopedCommaLocale()
    : m_previous(std::setlocale(LC_NUMERIC, nullptr)),
      m_active(std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || switchToBuiltGermanLocale())
{
}

ScopedCommaLocale::~ScopedCommaLocale()
{
    std::setlocale(LC_NUMERIC, m_previous.constData());
}

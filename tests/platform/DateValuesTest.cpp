// Date and time texts: the Unicode patterns, "AM" and "PM" in every locale, and the thirteen
// patterns the text page offers, checked against Python's strftime whatever the program's locale.
#include "platform/DateValues.h"

#include <gtest/gtest.h>

#include "support/TestEnvironment.h"

TEST(DateValues, PatternsOfDateAndTimeTextsWithAmAndPmInEnglishInEveryLocale)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QDateTime afternoon(QDate(2026, 12, 5), QTime(15, 4, 9));
    const QDateTime midnight(QDate(2026, 1, 9), QTime(0, 30, 0));
    const struct { const char* pattern; QDateTime moment; const char* expected; } cases[] = {
        {"dd-MMM-yy", afternoon, "05-Dec-26"},
        {"h:mm:ss a", afternoon, "3:04:09 PM"},
        {"hh:mm:ss a", midnight, "12:30:00 AM"},
        {"HH:mm:ss", midnight, "00:30:00"},
        {"hha 'o''clock' ''", afternoon, "03PM o'clock '"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format_Date_Value(c.pattern, c.moment, english), c.expected) << c.pattern;

    // These locales have AM and PM texts of their own, which must not show.
    for (const QLocale& locale : {QLocale(QLocale::Chinese, QLocale::China), QLocale(QLocale::Korean, QLocale::SouthKorea),
                                  QLocale(QLocale::Arabic, QLocale::Egypt)}) {
        EXPECT_EQ(Format_Date_Value("a", midnight, locale), "AM") << locale.name().toStdString();
        EXPECT_EQ(Format_Date_Value("a", afternoon, locale), "PM") << locale.name().toStdString();
    }
    // The present moment, whatever the program's locale.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    const QString now = Get_time_Value("a");
    QLocale::setDefault(previous);
    EXPECT_TRUE(now == "AM" || now == "PM") << now.toStdString();
}

// Python renders each moment in each pattern with the strftime directives of the same fields, in
// the C locale ("Dec", "PM"); ours must match under a German and an Egyptian Arabic locale, whose
// month names, day periods and digits differ.
TEST(DateValues, TheThirteenPatternsOfTheTextPageMatchPythonInEveryLocale)
{
    const QList<QDateTime> moments{
        QDateTime(QDate(2026, 12, 5), QTime(15, 4, 9)),   QDateTime(QDate(2007, 1, 9), QTime(0, 30, 0)),
        QDateTime(QDate(2030, 7, 14), QTime(12, 5, 7)),   QDateTime(QDate(1999, 3, 21), QTime(9, 59, 59)),
        QDateTime(QDate(2001, 10, 31), QTime(23, 0, 1)),
    };
    const QStringList patterns = Text_Date_styles + Text_Time_styles;
    ASSERT_EQ(patterns.size(), 13);
    QStringList arguments{patterns.join(QLatin1Char('\n'))};
    for (const QDateTime& moment : moments)
        arguments << moment.toString(Qt::ISODate);
    const auto reference = TestEnvironment::runPython(QStringLiteral(R"(
import datetime, sys
directives = {"M": "%-m", "MM": "%m", "MMM": "%b", "d": "%-d", "dd": "%d", "yy": "%y", "yyyy": "%Y",
              "h": "%-I", "hh": "%I", "H": "%-H", "HH": "%H", "mm": "%M", "ss": "%S", "a": "%p"}
def strftime_form(pattern):
    form, i = "", 0
    while i < len(pattern):
        j = i
        while j < len(pattern) and pattern[j] == pattern[i]:
            j += 1
        run = pattern[i:j]
        form += directives.get(run, run)
        i = j
    return form
patterns = sys.argv[1].split("\n")
for moment in sys.argv[2:]:
    when = datetime.datetime.fromisoformat(moment)
    for pattern in patterns:
        print(when.strftime(strftime_form(pattern)))
)"), arguments);
    ASSERT_EQ(reference.exitCode, 0) << reference.err.constData();
    const QStringList expected = QString::fromUtf8(reference.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(expected.size(), moments.size() * patterns.size());
    EXPECT_EQ(expected.at(6), "05-Dec-26");
    EXPECT_EQ(expected.at(9), "3:04:09 PM");

    const QLocale previous;
    for (const QLocale& locale : {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::Arabic, QLocale::Egypt)}) {
        QLocale::setDefault(locale);
        qsizetype line = 0;
        for (const QDateTime& moment : moments) {
            for (qsizetype i = 0; i < patterns.size(); ++i, ++line) {
                const QString ours = i < Text_Date_styles.size() ? Get_date_Value(patterns[i], moment)
                                                                 : Get_time_Value(patterns[i], moment);
                EXPECT_EQ(ours.toStdString(), expected.at(line).toStdString()) << patterns[i].toStdString() << " at "
                                                    << moment.toString(Qt::ISODate).toStdString() << " in "
                                                    << locale.name().toStdString();
            }
        }
    }
    QLocale::setDefault(previous);
}

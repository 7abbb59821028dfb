#include "output/RefusedRecords.h"

void RefusedRecords::add(const RefusedRecord& refused)
{
    QMutexLocker lock(&m_lock);
    if (!m_records.contains(refused.record))
        m_records.insert(refused.record, refused);
}

bool RefusedRecords::contains(int record) const
{
    QMutexLocker lock(&m_lock);
    return m_records.contains(record);
}

int RefusedRecords::count() const
{
    QMutexLocker lock(&m_lock);
    return int(m_records.size());
}

QList<RefusedRecord> RefusedRecords::all() const
{
    QMutexLocker lock(&m_lock);
    return m_records.values();
}

void RefusedRecords::clear()
{
    QMutexLocker lock(&m_lock);
    m_records.clear();
}

QStringList RefusedRecords::lines(int before) const
{
    QStringList lines;
    for (const RefusedRecord& refused : all()) {
        if (refused.record >= before)
            break;
        const QString card = QStringLiteral("Card %1").arg(refused.record + 1);
        lines.append(refused.label.isEmpty() ? QStringLiteral("%1: %2").arg(card, refused.reason)
                                             : QStringLiteral("%1 (%2): %3").arg(card, refused.label, refused.reason));
    }
    return lines;
}

QString countOf(int count, const QString& singular, const QString& plural)
{
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? singular : plural);
}

QString notReachedPhrase(int firstNotReached, int count)
{
    if (count <= 0)
        return QString();
    const int first = firstNotReached + 1;
    const int last = firstNotReached + count;
    const QString cards = count == 1 ? QStringLiteral("(card %1).").arg(first)
                                     : QStringLiteral("(cards %1\u2013%2).").arg(first).arg(last);
    return countOf(count, QStringLiteral("record was not reached"), QStringLiteral("records were not reached")) + u' '
           + cards;
}

QString cardsLeftOutPhrase(int count)
{
    if (count <= 0)
        return QString();
    return countOf(count, QStringLiteral("card"), QStringLiteral("cards"))
           + (count == 1 ? QStringLiteral(" was left out") : QStringLiteral(" were left out"));
}

QString listIntroduction(int cardsLeftOut, int failures, const QString& failedOne, const QString& failedMany)
{
    QStringList said;
    if (cardsLeftOut > 0)
        said.append(cardsLeftOutPhrase(cardsLeftOut));
    if (failures > 0)
        said.append(countOf(failures, failedOne, failedMany));
    return listIntroduction(said);
}

QString listIntroduction(const QStringList& counted)
{
    if (counted.isEmpty())
        return QString();
    QString said = counted.constLast();
    if (counted.size() > 1)
        said = counted.first(counted.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + said;
    return QStringLiteral("\n\n") + said + u':';
}

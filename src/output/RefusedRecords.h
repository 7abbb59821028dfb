#pragma once
// The records a run leaves out: a card whose bound picture cannot be read or whose barcode cannot
// show its value is not produced at all, and the end of the run names each of them. Any thread.
#include <QList>
#include <QMap>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <limits>

struct RefusedRecord {
    int record = 0;  // from 0; the user's card number is one more
    QString label;   // the record's name, or its first value
    QString reason;
};

class RefusedRecords {
public:
    // Notes a record left out; a record noted already keeps its first reason.
    void add(const RefusedRecord& refused);
    bool contains(int record) const;
    int count() const;
    // In record order.
    QList<RefusedRecord> all() const;
    void clear();

    // One line per record before `before`, in record order: "Card 5 (Anna Müller): reason".
    QStringList lines(int before = std::numeric_limits<int>::max()) const;

private:
    mutable QMutex m_lock;
    QMap<int, RefusedRecord> m_records;
};

// "1 card was left out", "3 cards were left out"; empty for none.
QString cardsLeftOutPhrase(int count);
// What an end report says before its list, after a blank line: "\n\n1 card was left out and 2
// files could not be written:"; empty when nothing is listed. failedOne and failedMany name one
// failure and several ("file could not be written", "files could not be written").
QString listIntroduction(int cardsLeftOut, int failures = 0, const QString& failedOne = {},
                         const QString& failedMany = {});
// The same for counted phrases in the order given: "\n\n1 card was left out, 1 card has one side
// only and 2 files could not be written:".
QString listIntroduction(const QStringList& counted);
// The records a stopped run did not reach, from the record firstNotReached (from 0) on: "3 records
// were not reached (cards 8–10)." or "1 record was not reached (card 10)."; empty for none.
QString notReachedPhrase(int firstNotReached, int count);
// A count and its noun: "1 file", "2 files".
QString countOf(int count, const QString& singular, const QString& plural);

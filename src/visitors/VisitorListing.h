#pragma once
// One listing of the visitor log, bounded whatever the log holds: at most kMaxVisitors visitors
// and kMaxTextBytes of their texts, taken newest first so that a full listing keeps the latest;
// each text cut to its field's limit. What was cut or not taken is told in a note beside the list.
#include <QList>
#include <QString>

#include "visitors/VisitorRecord.h"

class VisitorListing {
public:
    static constexpr int kMaxVisitors = 50000;
    static constexpr qint64 kMaxTextBytes = qint64(64) << 20;

    // Takes a visitor older than those taken so far, with the number of its texts that were cut
    // short; once the listing is full it takes nothing more.
    void take(const VisitorRecord& visitor, int cutTexts);
    bool full() const { return m_full; }
    // Cuts a text as read to the limit of its field (its place in VisitorRecord::fields()); true
    // when it was longer.
    static bool cut(QString& text, int field);

    // The visitors taken, in the order of registration.
    QList<VisitorRecord> visitors() const;
    // What the list does not show, in words; empty when it shows everything whole.
    QString note() const;

private:
    QList<VisitorRecord> m_newestFirst;
    qint64 m_bytes = 0;
    int m_cut = 0;
    bool m_full = false;
};

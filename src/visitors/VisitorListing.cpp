#include "visitors/VisitorListing.h"

#include <algorithm>

void VisitorListing::take(const VisitorRecord& visitor, int cutTexts)
{
    qint64 bytes = 0;
    for (const QString& text : visitor.fields())
        bytes += text.size() * qint64(sizeof(char16_t));
    if (m_full || m_newestFirst.size() >= kMaxVisitors || m_bytes + bytes > kMaxTextBytes) {
        m_full = true;
        return;
    }
    m_bytes += bytes;
    m_cut += cutTexts;
    m_newestFirst << visitor;
}

bool VisitorListing::cut(QString& text, int field)
{
    const int limit = visitorFieldLimit(field);
    if (text.size() <= limit)
        return false;
    // Half a surrogate pair is no character.
    const qsizetype kept = text.at(limit - 1).isHighSurrogate() ? limit - 1 : limit;
    // A copy of its own: cutting in place would keep the whole text's buffer, and a listing
    // counts what it holds by the texts it shows.
    text = QString(text.constData(), kept);
    return true;
}

QList<VisitorRecord> VisitorListing::visitors() const
{
    QList<VisitorRecord> oldestFirst = m_newestFirst;
    std::reverse(oldestFirst.begin(), oldestFirst.end());
    return oldestFirst;
}

QString VisitorListing::note() const
{
    QStringList notes;
    if (m_full)
        notes << QStringLiteral("Only the latest %1 visitors are listed.").arg(m_newestFirst.size());
    if (m_cut > 0)
        notes << QStringLiteral("%1 text(s) longer than the log keeps were cut short.").arg(m_cut);
    return notes.join(u' ');
}

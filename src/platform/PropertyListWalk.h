#pragma once
// The walk over a value tree that every property-list writer takes: each value is checked (a type
// a list can hold, no NUL in a text or key, an integer or date in range, nesting bounded) and handed
// to the writer's sink in document order. A sink has
//   boolean(bool), integer(qint64), real(double), text(const QString&), data(const QByteArray&),
//   date(qint32 secondsSince2001, qint32 microseconds), beginArray(qsizetype count), endArray(qsizetype count),
//   beginDictionary(qsizetype count), key(const QString&), endDictionary(qsizetype count).
#include <QDateTime>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>
#include <limits>

#include "platform/PropertyList.h"

namespace PropertyListWalk {

// Seconds between the Unix epoch and the property-list epoch, 2001-01-01 00:00:00 UTC.
inline constexpr qint64 kPlistEpochSeconds = 978307200;

inline bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

// Whole seconds since 2001 and the microseconds past them; false when out of the 32-bit range.
inline bool dateSeconds(const QDateTime& date, qint32* seconds, qint32* microseconds, QString* error)
{
    if (!date.isValid())
        return fail(error, QStringLiteral("An invalid date cannot be stored."));
    const qint64 msecs = date.toMSecsSinceEpoch() - kPlistEpochSeconds * 1000;
    const qint64 remainder = (msecs % 1000 + 1000) % 1000;
    const qint64 whole = (msecs - remainder) / 1000;
    if (whole < std::numeric_limits<qint32>::min() || whole > std::numeric_limits<qint32>::max())
        return fail(error, QStringLiteral("The date %1 is out of range.").arg(date.toString(Qt::ISODate)));
    *seconds = qint32(whole);
    *microseconds = qint32(remainder * 1000);
    return true;
}

template <typename Sink>
bool walk(const QVariant& value, Sink& sink, QString* error, int depth = 0)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        sink.boolean(value.toBool());
        return true;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        sink.integer(value.toLongLong());
        return true;
    case QMetaType::ULongLong:
        if (value.toULongLong() > quint64(std::numeric_limits<qint64>::max()))
            return fail(error, QStringLiteral("The integer %1 is too large.").arg(value.toULongLong()));
        sink.integer(qint64(value.toULongLong()));
        return true;
    case QMetaType::Float:
    case QMetaType::Double:
        sink.real(value.toDouble());
        return true;
    case QMetaType::QString: {
        const QString text = value.toString();
        if (text.contains(QChar(u'\0')))
            return fail(error, QStringLiteral("A string contains a NUL character."));
        sink.text(text);
        return true;
    }
    case QMetaType::QByteArray:
        sink.data(value.toByteArray());
        return true;
    case QMetaType::QDateTime: {
        qint32 seconds = 0, microseconds = 0;
        if (!dateSeconds(value.toDateTime(), &seconds, &microseconds, error))
            return false;
        sink.date(seconds, microseconds);
        return true;
    }
    case QMetaType::QVariantList:
    case QMetaType::QVariantMap:
        if (depth >= PropertyList::kMaxDepth)
            return fail(error, QStringLiteral("The value is nested too deeply."));
        break;
    default:
        return fail(error, QStringLiteral("A value of type %1 cannot be stored in a property list.")
                               .arg(QString::fromLatin1(value.typeName() ? value.typeName() : "invalid")));
    }
    if (value.typeId() == QMetaType::QVariantList) {
        const QVariantList list = value.toList();
        sink.beginArray(list.size());
        for (const QVariant& item : list) {
            if (!walk(item, sink, error, depth + 1))
                return false;
        }
        sink.endArray(list.size());
        return true;
    }
    const QVariantMap map = value.toMap();
    sink.beginDictionary(map.size());
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (it.key().contains(QChar(u'\0')))
            return fail(error, QStringLiteral("A dictionary key contains a NUL character."));
        sink.key(it.key());
        if (!walk(it.value(), sink, error, depth + 1))
            return false;
    }
    sink.endDictionary(map.size());
    return true;
}

}  // namespace PropertyListWalk

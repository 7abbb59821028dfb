#pragma once
#include <QMetaType>
#include <QVariant>

// A properties-dictionary entry that holds a number (a flag counts as one).
inline bool isPropertyNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

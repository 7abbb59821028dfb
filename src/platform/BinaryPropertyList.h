#pragma once
// Writing binary property lists ourselves, in one pass over the values. libplist's writer decides
// whether two equal data objects are stored once by hashing the addresses of its nodes, so the
// same value (a picture archived twice in one element, say) gave different bytes from one write
// to the next; it also looked every new dictionary key up among those before it.
#include <QByteArray>
#include <QString>
#include <QVariant>

// The binary property-list bytes of a value tree, laid out as libplist 2.2 lays out a list when
// no two of its data objects are merged: objects in the order the walk meets them (a dictionary's
// key before its value), equal texts, keys, numbers, booleans and dates stored once, every data
// object and container stored whole, the narrowest offsets and references. Empty, with the reason
// in *error, for a value a list cannot hold (see PropertyListWalk).
QByteArray binaryPropertyListData(const QVariant& value, QString* error);

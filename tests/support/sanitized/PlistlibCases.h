// Property lists made from seeds by Python, each with what Python's plistlib reads from its bytes,
// and the check that the reader reads them alike.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// A value as text both sides write alike: texts as the hex of their UTF-8, data as its hex, lists in
// brackets, dictionaries by their keys in order. (Reals and dates are left out of the seeds.)
QString canonicalValue(const QVariant& value);

// What plistlib reads from each file: canonicalValue() of the value, or "refused".
QStringList plistlibValues(const QStringList& paths);

struct PlistlibCase {
    QByteArray bytes;
    // canonicalValue() of what is read, or "refused".
    QString expected;
};

// Controls below U+0020 (raw, or as references) put in the seeds at random places. plistlib refuses
// each; the reader reads those in the text of a string or a key, where the list writer writes them
// as they are. Expected: refused when one stands anywhere else, as plistlib refuses it; otherwise
// the value plistlib reads with a private-use character standing for each control in a text (a
// reference it takes for plain characters, as in a comment, kept).
QList<PlistlibCase> controlCases(const QList<QByteArray>& seeds, int count, int seed);

// The seeds (UTF-8 with a declaration) declared in each encoding and written in it where Python
// can, some after a UTF-8 byte-order mark, some with a byte of 0x80 to 0xFF put in a text. Expected:
// what plistlib reads.
QList<PlistlibCase> encodingCases(const QList<QByteArray>& seeds, const QStringList& encodings, int seed);

// Reads every case (within the reader bounds, as `what`) and expects its result; the number read.
int expectReadAsExpected(const QString& what, const QList<PlistlibCase>& cases);

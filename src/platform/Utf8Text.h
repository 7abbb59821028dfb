#pragma once
// Texts read from files come back exactly as they were written.
#include <QByteArrayView>
#include <QString>

// UTF-8 bytes as text, with a leading U+FEFF kept: QString::fromUtf8 takes it for a byte-order
// mark and drops it, so a text beginning with one lost it at every reading.
QString textFromUtf8(QByteArrayView bytes);

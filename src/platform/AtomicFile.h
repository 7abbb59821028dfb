#pragma once
#include <QByteArray>
#include <QString>

// Writes the whole file or nothing (QSaveFile): on failure the old file stays whole and
// *error says why.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

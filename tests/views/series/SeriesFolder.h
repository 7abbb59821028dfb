#pragma once
// A private series folder made Data_Folder_Path for one test, with helpers to fill and read it.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/AppContext.h"

class SeriesFolder {
public:
    SeriesFolder() : m_previous(Data_Folder_Path) { Data_Folder_Path = m_dir.path(); }
    ~SeriesFolder() { Data_Folder_Path = m_previous; }
    SeriesFolder(const SeriesFolder&) = delete;
    SeriesFolder& operator=(const SeriesFolder&) = delete;

    QString at(const QString& name) const { return m_dir.filePath(name); }
    void put(const QString& name, const QByteArray& bytes) const
    {
        QFile file(at(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    QByteArray contents(const QString& name) const
    {
        QFile file(at(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QStringList files() const { return QDir(m_dir.path()).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

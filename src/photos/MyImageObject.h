#pragma once
// An item of an image browser: a picture file's path, its display name and an identifier.
// The path is also the picture the browser shows; the three are readable by key.
#include <QString>
#include <QVariant>

class MyImageObject {
    Q_GADGET
    Q_PROPERTY(QString path READ path)
    Q_PROPERTY(QString name READ name)
    Q_PROPERTY(QString identifier READ identifier)

public:
    MyImageObject(const QString& image_Path, const QString& image_Name, const QString& image_UID);

    const QString& path() const { return m_path; }
    const QString& name() const { return m_name; }
    const QString& identifier() const { return m_identifier; }
    void setPath(const QString& path) { m_path = path; }
    // The name without its extension, as the browser titles the item.
    QString imageTitle() const;

    // The value kept under a key ("path", "name" or "identifier"); invalid for any other key.
    QVariant valueForKey(const QString& key) const;

private:
    QString m_path;
    QString m_name;
    QString m_identifier;
};

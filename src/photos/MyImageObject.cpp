#include "photos/MyImageObject.h"

#include <QFileInfo>
#include <QMetaProperty>

MyImageObject::MyImageObject(const QString& image_Path, const QString& image_Name, const QString& image_UID)
    : m_path(image_Path), m_name(image_Name), m_identifier(image_UID)
{
}

QVariant MyImageObject::valueForKey(const QString& key) const
{
    const int property = staticMetaObject.indexOfProperty(key.toUtf8().constData());
    return property < 0 ? QVariant() : staticMetaObject.property(property).readOnGadget(this);
}

QString MyImageObject::imageTitle() const
{
    return QFileInfo(m_name).completeBaseName();
}

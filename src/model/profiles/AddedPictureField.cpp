#include "model/profiles/AddedPictureField.h"

#include <QFileInfo>

#include "model/SKTGraphic.h"
#include "platform/ResourcePaths.h"

QString Picture_Field_Name(const SKTGraphic& picture)
{
    const QString& text = picture.Text_Value;
    if (text.isEmpty() || text == QLatin1String("Text here") || text == picture._file_path || text.contains(u'/'))
        return QString();
    return text;
}

QString Picture_Field_File(const SKTGraphic& picture)
{
    // What the card shows and the pass prints, a cut picture included; the element's text may
    // name a file chosen before.
    const QString& own = picture._file_path;
    if (own.isEmpty() || !QFileInfo(own).isFile() || Is_Placeholder_Path(own))
        return QString();
    return own;
}

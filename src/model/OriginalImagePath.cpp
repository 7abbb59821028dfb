#include "model/OriginalImagePath.h"

#include <QFileInfo>

#include "model/SKTGraphic.h"

namespace {

bool fileExistsAt(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

}  // namespace

QString Get_Original_Path_Of_Image_Control(const SKTGraphic& graphic)
{
    if (fileExistsAt(graphic._file_path) && fileExistsAt(graphic.Text_Value))
        return graphic.Text_Value;
    return QString();
}

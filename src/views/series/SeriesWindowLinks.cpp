#include "views/series/SeriesWindowLinks.h"

#include <QFileInfo>

#include "platform/StringHelpers.h"

bool SeriesWindowLinks::pathProblem(const QString& path) const
{
    if (Check_And_Validate_File_Path)
        return Check_And_Validate_File_Path(path);
    return Trim_Str(path).isEmpty() || !QFileInfo::exists(Trim_Str(path));
}

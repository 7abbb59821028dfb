#include "platform/KeepReplaceAnswers.h"

#include <QFileInfo>

#include "platform/FreeFileName.h"

QString pathForAnswer(int answer, const QString& path)
{
    switch (answer) {
    case ReplaceKeep::Keep:
    case ReplaceKeep::KeepAll:
        return Check_Exist_Path_and_Create_New(path);
    case ReplaceKeep::Replace:
    case ReplaceKeep::ReplaceAll:
        return path;
    default:
        return QString();
    }
}

QString KeepReplaceAnswers::pathToWrite(const QString& path)
{
    if (m_flag == ReplaceKeep::CancelAll)
        return QString();
    if (!cardFileExists(path))
        return path;
    if (m_flag == ReplaceKeep::ReplaceAll)
        return path;
    if (m_flag == ReplaceKeep::KeepAll)
        return Check_Exist_Path_and_Create_New(path);
    const QString text = QFileInfo(path).fileName() +
                         QStringLiteral("\n\nFile already exists in this location.\n\nDo you want to replace it "
                                        "with one you processed?");
    m_flag = m_prompt ? m_prompt(path, QStringLiteral("File already exists :"), text) : ReplaceKeep::Cancel;
    return pathForAnswer(m_flag, path);
}

#include "data/SeriesFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "platform/AppContext.h"
#include "platform/FileHelpers.h"
#include "platform/Log.h"

namespace {

// Enough for any first line; a file is never read whole for its first value.
constexpr qint64 kMaxSeriesFileBytes = 64LL * 1024 * 1024;

SeriesFirstValue unreadable(const QString& name, const QString& reason)
{
    return {QString(), QStringLiteral("The series \"%1\" cannot be read: %2.").arg(name, reason)};
}

}  // namespace

QStringList Get_datasheet_File_Name_Array() { return SeriesStore().names(); }

SeriesFirstValue readFirstSeriesValue(const QString& name)
{
    if (!isPlainFileName(name)) {
        if (!name.isEmpty())
            Show_NSLog_Message(QStringLiteral("The series name \"%1\" is not a file name in the data folder.").arg(name));
        return {};
    }
    QFile file(series_path(name));
    if (!QFileInfo(file.fileName()).isFile())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return unreadable(name, file.errorString());
    const QByteArray bytes = file.read(kMaxSeriesFileBytes);
    if (bytes.isNull() && file.error() != QFileDevice::NoError)
        return unreadable(name, file.errorString());
    const qsizetype lineEnd = bytes.indexOf('\n');
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString value = utf8.decode(lineEnd < 0 ? bytes : bytes.left(lineEnd));
    if (utf8.hasError() || value.contains(QChar(u'\0')))
        return unreadable(name, QStringLiteral("it is not a text file"));
    return {value, QString()};
}

QString Get_First_Value_Of_Dataset(const QString& name)
{
    const SeriesFirstValue first = readFirstSeriesValue(name);
    if (!first.readable())
        Show_NSLog_Message(first.failure);
    return first.value;
}

std::optional<QString> Get_First_Value_Of_Excel_Binding(int n)
{
    Data_From_Excel& table = Loaded_Data_Table();
    if (table.ListData.isEmpty()) {
        Show_NSLog_Message(QStringLiteral("No spreadsheet rows are loaded."));
        return QString();
    }
    const std::optional<QString> value = table.Get_Item_Text(0, n);
    if (value && value->isEmpty())
        return QStringLiteral(" ");
    return value;
}

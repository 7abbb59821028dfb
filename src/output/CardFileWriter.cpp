#include "output/CardFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "output/CardFileNames.h"
#include "output/CardPictureEncoding.h"

namespace {

constexpr double kJoinedDpi = 72.0;


QImage joinedPicture(const CardFile& file)
{
    const QImage front = file.front.toImage(kJoinedDpi);
    const QImage back = file.back.toImage(kJoinedDpi);
    if (front.isNull() || back.isNull())
        return {};
    const QSize size = file.sideBySide ? QSize(front.width() * 2, front.height())
                                       : QSize(front.width(), front.height() * 2);
    QImage joined(size, QImage::Format_ARGB32);
    joined.fill(Qt::transparent);
    joined.setDotsPerMeterX(front.dotsPerMeterX());
    joined.setDotsPerMeterY(front.dotsPerMeterY());
    QPainter painter(&joined);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, front);
    painter.drawImage(file.sideBySide ? QPoint(front.width(), 0) : QPoint(0, front.height()), back);
    return joined;
}

bool failed(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

QString systemReason() { return QString::fromLocal8Bit(std::strerror(errno)); }

}  // namespace

QByteArray cardFileBytes(const CardFile& file, QString* error)
{
    const QString extension = QFileInfo(file.path).suffix().toLower();
    if (file.front.isNull() || (file.joined && file.back.isNull())) {
        failed(error, QStringLiteral("Invalid image"));
        return {};
    }
    QImage picture;
    if (file.joined) {
        picture = joinedPicture(file);
    } else if (extension == QLatin1String("pdf")) {
        return file.front.toPdf();
    } else {
        picture = file.front.toImage(kExportDpi);
    }
    if (picture.isNull()) {
        failed(error, QStringLiteral("the card could not be drawn"));
        return {};
    }
    if (extension == QLatin1String("eps") && !file.joined)
        return encodeEps(picture, file.front.size(), error);
    return encodeCardPicture(picture, file.path, error);
}

bool writeFileWhole(const QString& path, const QByteArray& bytes, QString* error)
{
    const QFileInfo info(path);
    const QString temporary = info.absolutePath() + QStringLiteral("/.%1.%2.part")
                                                        .arg(info.fileName())
                                                        .arg(QRandomGenerator::global()->generate64(), 0, 16);
    QFile file(temporary);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return failed(error, file.errorString());
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    const QString writeReason = file.errorString();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        const QString reason = written ? file.errorString() : writeReason;
        QFile::remove(temporary);
        return failed(error, reason);
    }
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) != 0) {
        const QString reason = systemReason();
        QFile::remove(temporary);
        return failed(error, reason);
    }
    return true;
}

bool syncFolder(const QString& folder, QString* error)
{
    const int descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return failed(error, systemReason());
    const bool synced = ::syncfs(descriptor) == 0 && ::fsync(descriptor) == 0;
    const QString reason = synced ? QString() : systemReason();
    ::close(descriptor);
    return synced || failed(error, reason);
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
    switch (m_flag) {
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

#include "output/BatchExport.h"

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <memory>

#include "output/CardFileNames.h"
#include "output/RefusedRecords.h"
#include "platform/Log.h"

namespace {

// Snapshots waiting for a worker, per worker: enough to keep every worker busy while the GUI
// thread binds the next records, few enough that memory does not grow with the run.
constexpr int kQueuedPerWorker = 2;

struct RecordFiles {
    std::atomic<int> pending{0};
    std::atomic<bool> whole{true};
};

}  // namespace

QString exportReportMessage(const ExportReport& report)
{
    if (!report.folderMade)
        return kExportFolderFailure;
    const bool whole = report.failures.isEmpty() && report.cardsRefused == 0;
    QString message = whole ? QStringLiteral("Card has been exported successfully.\n\n") : QString();
    message += countOf(report.cardsWritten, QStringLiteral("card was written."), QStringLiteral("cards were written."));
    if (report.stopped)
        message += QStringLiteral(" The export was stopped.");
    return message + listIntroduction(report.cardsRefused, int(report.failures.size()),
                                      QStringLiteral("file could not be written"),
                                      QStringLiteral("files could not be written"));
}

BatchExport::BatchExport(BatchExportSettings settings, SideSource source, KeepReplaceAnswers::Prompt prompt)
    : m_settings(std::move(settings)), m_source(std::move(source)), m_answers(std::move(prompt))
{
}

QString BatchExport::exportFolder() const { return QDir(m_settings.folder).filePath(kExportFolderName); }

ExportReport BatchExport::Export_Batch_File()
{
    ExportReport report;
    const QString folder = exportFolder();
    if (!QDir().mkpath(folder)) {
        report.folderMade = false;
        return report;
    }
    const int threads = m_settings.threads > 0 ? m_settings.threads : std::max(1, QThread::idealThreadCount());
    QThreadPool pool;
    pool.setMaxThreadCount(threads);
    QSemaphore room(threads * (kQueuedPerWorker + 1));
    QMutex reportLock;

    auto fail = [&](const QString& path, const QString& reason) {
        QMutexLocker lock(&reportLock);
        report.failures.append(QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), reason));
        Show_NSLog_Message(QStringLiteral("Cannot write the card \"%1\": %2").arg(path, reason));
    };
    auto finishFile = [&](const std::shared_ptr<RecordFiles>& record, bool written) {
        if (!written)
            record->whole = false;
        if (record->pending.fetch_sub(1) == 1) {
            if (record->whole) {
                QMutexLocker lock(&reportLock);
                ++report.cardsWritten;
            }
            ++m_cardsDone;
        }
    };
    // Settles the file's name on this thread (asking when it is there), then hands it to a worker.
    auto queue = [&](CardFile file, const std::shared_ptr<RecordFiles>& record) {
        file.path = m_answers.pathToWrite(file.path);
        if (m_answers.cancelledAll())
            m_stop = true;
        if (file.path.isEmpty() || m_stop) {
            finishFile(record, false);
            return;
        }
        room.acquire();
        pool.start([&, file = std::move(file), record] {
            QString error;
            bool written = false;
            if (!m_stop) {
                const QByteArray bytes = cardFileBytes(file, &error);
                // A stop while encoding drops the file: nothing lands after a stop.
                m_gate.pass();
                if (!m_stop) {
                    written = !bytes.isEmpty() && writeFileWhole(file.path, bytes, &error);
                    if (written) {
                        QMutexLocker lock(&reportLock);
                        ++report.filesWritten;
                        if (report.firstFile.isEmpty())
                            report.firstFile = file.path;
                    } else {
                        fail(file.path, error.isEmpty() ? QStringLiteral("the card could not be encoded") : error);
                    }
                }
            }
            finishFile(record, written);
            room.release();
        });
    };

    const bool both = m_settings.side == QLatin1String("BOTH");
    const bool backOnly = m_settings.side == QLatin1String("B");
    for (int i = m_settings.first; i < m_settings.end && !m_stop; ++i) {
        m_gate.pass();
        if (m_stop)
            break;
        const QString base = QDir(folder).filePath(QStringLiteral("Card_%1.%2").arg(i + 1).arg(m_settings.extension));
        // The back is bound and written before the front, as the design's users know it.
        const SideSnapshot back = both || backOnly ? m_source(i, CardSide::Back) : SideSnapshot();
        if (m_stop)
            break;
        const SideSnapshot front = backOnly || (both && !back.isWhole()) ? SideSnapshot() : m_source(i, CardSide::Front);
        if (m_stop)
            break;
        const bool refused = both ? !back.isWhole() || !front.isWhole() : !(backOnly ? back : front).isWhole();
        if (refused) {
            ++report.cardsRefused;
            ++m_cardsDone;
            continue;
        }
        auto record = std::make_shared<RecordFiles>();
        CardFile file;
        if (both && m_settings.joined) {
            record->pending = 1;
            file.path = base;
            file.joined = true;
            file.sideBySide = m_settings.sideBySide;
            file.front = front.image;
            file.back = back.image;
            queue(file, record);
        } else if (both) {
            record->pending = 2;
            CardFile backFile = file;
            backFile.path = Create_Back_Card_Path(base);
            backFile.front = back.image;
            queue(backFile, record);
            file.path = Create_Front_Card_Path(base);
            file.front = front.image;
            queue(file, record);
        } else {
            record->pending = 1;
            file.path = backOnly ? Create_Back_Card_Path(base) : Create_Front_Card_Path(base);
            file.front = backOnly ? back.image : front.image;
            queue(file, record);
        }
    }
    pool.waitForDone();
    report.stopped = m_stop;
    QString error;
    if (report.filesWritten > 0 && !syncFolder(folder, &error))
        report.failures.append(QStringLiteral("%1: %2").arg(kExportFolderName, error));
    return report;
}

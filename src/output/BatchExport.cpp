#include "output/BatchExport.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <QWaitCondition>
#include <algorithm>

#include "output/CardFileNames.h"
#include "output/RefusedRecords.h"
#include "platform/AtomicFile.h"
#include "platform/Log.h"

namespace {

// What the run says when its folder cannot be made: the folder and the system's reason.
QString exportFolderFailure(const QString& failure)
{
    return QStringLiteral("Unable to continue saving barcode image.\n\n%1.").arg(failure);
}

// Records waiting for a worker, per worker: enough to keep every worker busy while the GUI
// thread binds the next records, few enough that memory does not grow with the run.
constexpr int kQueuedPerWorker = 2;

}  // namespace

struct BatchExport::RecordFiles {
    int record = 0;
    int order = 0;    // its place among the records handed to the workers
    int planned = 0;  // files the record has: a side, both sides, or the joined picture
    QList<CardFile> files;
    QStringList sides;  // "front", "back" or "" (joined), per file
};

struct BatchExport::Outcome {
    QMutex lock;
    QWaitCondition landedOne;
    int landed = 0;  // records handed to the workers that have landed or been dropped
    ExportReport report;
    QList<int> dropped;  // records bound whose files a stop kept from the disk
};

// A record's files land only after those of every record before it: the cards a stop leaves on
// the disk are the first ones of the run, with no gap a resumed run would miss.
class BatchExport::Turn {
public:
    Turn(Outcome& outcome, int order) : m_outcome(outcome)
    {
        QMutexLocker lock(&m_outcome.lock);
        while (m_outcome.landed != order)
            m_outcome.landedOne.wait(&m_outcome.lock);
    }
    ~Turn()
    {
        QMutexLocker lock(&m_outcome.lock);
        ++m_outcome.landed;
        m_outcome.landedOne.wakeAll();
    }
    Turn(const Turn&) = delete;
    Turn& operator=(const Turn&) = delete;

private:
    Outcome& m_outcome;
};

QString exportReportMessage(const ExportReport& report)
{
    if (!report.folderMade)
        return exportFolderFailure(report.folderFailure);
    const bool whole =
        !report.stopped && report.failures.isEmpty() && report.cardsRefused == 0 && report.oneSided.isEmpty();
    QString message = whole ? QStringLiteral("Card has been exported successfully.\n\n") : QString();
    message += countOf(report.cardsWritten, QStringLiteral("card was written."), QStringLiteral("cards were written."));
    if (report.stopped)
        message += QStringLiteral(" The export was stopped.");
    if (report.notReached > 0)
        message += u' ' + notReachedPhrase(report.reachedEnd, report.notReached);
    QStringList listed;
    if (report.cardsRefused > 0)
        listed << cardsLeftOutPhrase(report.cardsRefused);
    if (!report.oneSided.isEmpty())
        listed << countOf(int(report.oneSided.size()), QStringLiteral("card has one side only"),
                          QStringLiteral("cards have one side only"));
    if (!report.failures.isEmpty())
        listed << countOf(int(report.failures.size()), QStringLiteral("file could not be written"),
                          QStringLiteral("files could not be written"));
    return message + listIntroduction(listed);
}

BatchExport::BatchExport(BatchExportSettings settings, SideSource source, KeepReplaceAnswers::Prompt prompt)
    : m_settings(std::move(settings)), m_source(std::move(source)), m_answers(std::move(prompt))
{
}

QString BatchExport::exportFolder() const { return QDir(m_settings.folder).filePath(kExportFolderName); }

bool BatchExport::settleNames(RecordFiles& files)
{
    for (qsizetype i = 0; i < files.files.size();) {
        files.files[i].path = m_answers.pathToWrite(files.files[i].path);
        // Cancel for all ends the run at this record; those answered before it still land.
        if (m_stop || m_answers.cancelledAll())
            return false;
        // A file the user chose not to replace is skipped; the record's other side still goes.
        if (files.files[i].path.isEmpty()) {
            files.files.removeAt(i);
            files.sides.removeAt(i);
        } else {
            ++i;
        }
    }
    return true;
}

void BatchExport::writeRecord(const RecordFiles& files, Outcome& outcome)
{
    QList<QByteArray> bytes;
    QStringList errors;
    for (const CardFile& file : files.files) {
        if (m_stop)
            break;
        QString error;
        bytes.append(cardFileBytes(file, &error));
        errors.append(error);
    }
    const Turn turn(outcome, files.order);
    // The record's files land together: held while the run is paused, none after a stop, so a
    // stop leaves no card with one side.
    m_gate.pass();
    if (m_stop) {
        QMutexLocker lock(&outcome.lock);
        outcome.dropped.append(files.record);
        return;
    }
    QStringList written;
    for (qsizetype i = 0; i < files.files.size(); ++i) {
        const QString& path = files.files[i].path;
        QString error = errors[i];
        const bool done = !bytes[i].isEmpty() && writeFileWhole(path, bytes[i], &error);
        QMutexLocker lock(&outcome.lock);
        ExportReport& report = outcome.report;
        if (done) {
            written.append(files.sides[i]);
            ++report.filesWritten;
            if (report.firstFile.isEmpty())
                report.firstFile = path;
            continue;
        }
        if (error.isEmpty())
            error = QStringLiteral("the card could not be encoded");
        report.failures.append(QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), error));
        Show_NSLog_Message(QStringLiteral("Cannot write the card \"%1\": %2").arg(path, error));
    }
    QMutexLocker lock(&outcome.lock);
    if (written.size() == files.planned)
        ++outcome.report.cardsWritten;
    else if (!written.isEmpty() && files.planned == 2)
        outcome.report.oneSided.append(
            QStringLiteral("Card %1: only the %2 was written.").arg(files.record + 1).arg(written.first()));
    ++m_cardsDone;
}

ExportReport BatchExport::Export_Batch_File()
{
    const QString folder = exportFolder();
    if (QString failure; !makeFolderPath(folder, &failure)) {
        ExportReport report;
        report.folderMade = false;
        report.folderFailure = failure;
        return report;
    }
    const int threads = m_settings.threads > 0 ? m_settings.threads : std::max(1, QThread::idealThreadCount());
    QThreadPool pool;
    pool.setMaxThreadCount(threads);
    QSemaphore room(threads * (kQueuedPerWorker + 1));
    Outcome outcome;
    QList<int> refused;

    const bool both = m_settings.side == QLatin1String("BOTH");
    const bool backOnly = m_settings.side == QLatin1String("B");
    int handedOut = 0;
    int next = m_settings.first;  // the first record not yet taken
    for (; next < m_settings.end && !m_stop; ++next) {
        m_holdingRecords = true;
        m_gate.pass();
        m_holdingRecords = false;
        if (m_stop)
            break;
        const QString base =
            QDir(folder).filePath(QStringLiteral("Card_%1.%2").arg(next + 1).arg(m_settings.extension));
        // The back is bound and written before the front, as the design's users know it.
        const SideSnapshot back = both || backOnly ? m_source(next, CardSide::Back) : SideSnapshot();
        if (m_stop)
            break;
        const SideSnapshot front =
            backOnly || (both && !back.isWhole()) ? SideSnapshot() : m_source(next, CardSide::Front);
        if (m_stop)
            break;
        if (both ? !back.isWhole() || !front.isWhole() : !(backOnly ? back : front).isWhole()) {
            refused.append(next);
            ++m_cardsDone;
            continue;
        }
        RecordFiles files;
        files.record = next;
        if (both && m_settings.joined) {
            files.files = {CardFile{base, front.image, back.image, true, m_settings.sideBySide}};
            files.sides = {QString()};
        } else if (both) {
            files.files = {CardFile{Create_Back_Card_Path(base), back.image},
                           CardFile{Create_Front_Card_Path(base), front.image}};
            files.sides = {QStringLiteral("back"), QStringLiteral("front")};
        } else {
            files.files = {CardFile{backOnly ? Create_Back_Card_Path(base) : Create_Front_Card_Path(base),
                                    backOnly ? back.image : front.image}};
            files.sides = {backOnly ? QStringLiteral("back") : QStringLiteral("front")};
        }
        files.planned = int(files.files.size());
        if (!settleNames(files))
            break;
        if (files.files.isEmpty()) {
            ++m_cardsDone;
            continue;
        }
        files.order = handedOut++;
        room.acquire();
        // The pool starts its work in the order given, so the record whose turn it is always
        // has a worker.
        pool.start([this, files = std::move(files), &outcome, &room] {
            writeRecord(files, outcome);
            room.release();
        });
    }
    pool.waitForDone();

    ExportReport report = std::move(outcome.report);
    report.stopped = m_stop || m_answers.cancelledAll();
    // A stop ends the run at the first record it kept from the disk: a card refused after that
    // was not reached either, whatever the binding found.
    report.reachedEnd = next;
    for (int dropped : outcome.dropped)
        report.reachedEnd = std::min(report.reachedEnd, dropped);
    report.cardsRefused = int(std::count_if(refused.begin(), refused.end(), [&](int n) { return n < report.reachedEnd; }));
    // No card from there on is on the disk: the run can be taken up again at reachedEnd.
    report.notReached = std::max(0, m_settings.end - report.reachedEnd);
    QString error;
    if (report.filesWritten > 0 && !syncFolder(folder, &error))
        report.failures.append(QStringLiteral("%1: %2").arg(kExportFolderName, error));
    return report;
}

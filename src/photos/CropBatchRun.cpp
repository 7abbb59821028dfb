#include "photos/CropBatchRun.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QSaveFile>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrent>
#include <deque>

#include "data/Data_From_Excel.h"
#include "data/SeriesStore.h"
#include "photos/CropSources.h"
#include "photos/FaceDetector.h"
#include "platform/AtomicFile.h"
#include "platform/FreeFileName.h"

struct CropBatchRun::Prepared {
    QString source;
    bool unusable = false;  // a direct run's line that names no usable picture
    CropResult result;
    QByteArray bytes;
};

// The detectors the workers share out: a cascade is not safe on two threads at once.
struct CropBatchRun::Detectors {
    DetectorMaker make;
    QMutex mutex;
    std::vector<std::unique_ptr<FaceDetector>> idle;

    std::unique_ptr<FaceDetector> take()
    {
        {
            QMutexLocker lock(&mutex);
            if (!idle.empty()) {
                std::unique_ptr<FaceDetector> detector = std::move(idle.back());
                idle.pop_back();
                return detector;
            }
        }
        return make ? make() : nullptr;
    }
    void giveBack(std::unique_ptr<FaceDetector> detector)
    {
        QMutexLocker lock(&mutex);
        idle.push_back(std::move(detector));
    }
};

namespace {

// Stands in where no detector was given: it finds no face.
class NoFaceDetector : public FaceDetector {
public:
    std::optional<QRectF> firstFace(const QImage&) override { return std::nullopt; }
};

}  // namespace

CropBatchRun::CropBatchRun(CropBatchPlan plan, DetectorMaker makeDetector, KeepReplaceAnswers::Prompt prompt)
    : m_plan(std::move(plan)), m_detectors(std::make_unique<Detectors>()), m_answers(std::move(prompt)),
      m_counter(m_plan.firstCounter)
{
    m_detectors->make = std::move(makeDetector);
}

CropBatchRun::~CropBatchRun() = default;

CropBatchRun::Prepared CropBatchRun::prepare(int index)
{
    Prepared prepared;
    prepared.source = m_plan.pictures.at(index);
    m_gate.pass();
    if (m_stop)
        return prepared;
    if (m_plan.direct && !CropSources::isUsablePicturePath(prepared.source, m_plan.extensions)) {
        prepared.unusable = true;
        return prepared;
    }
    CropRequest request = m_plan.crop;
    request.source = prepared.source;
    request.previewSide = m_plan.shownSide;
    // Only the extension matters here: the file is named when its turn comes.
    request.target = QStringLiteral("crop.") + (m_plan.direct ? QFileInfo(prepared.source).suffix().toLower()
                                                              : CropSources::outputExtension(m_plan.formatIndex));
    if (request.method == CropRequest::Selection) {
        const QSize shown = picturePreviewSize(request.source, m_plan.shownSide);
        request.viewSize = shown.isValid() ? scaledImageRect(QSizeF(shown), m_plan.view).size() : QSizeF();
    }
    std::unique_ptr<FaceDetector> detector = request.method == CropRequest::Face ? m_detectors->take() : nullptr;
    NoFaceDetector none;
    prepared.result = encodePictureCrop(request, detector ? *detector : none, &prepared.bytes);
    if (detector)
        m_detectors->giveBack(std::move(detector));
    return prepared;
}

QString CropBatchRun::outputPath(const QString& source, QString* planned)
{
    if (m_plan.direct) {
        *planned = Check_Exist_Path_and_Create_New(QDir(m_plan.outputFolder).filePath(QFileInfo(source).fileName()));
        return *planned;
    }
    *planned = CropSources::croppedFileName(m_plan.outputFolder, source, m_plan.customName, m_counter++,
                                            m_plan.formatIndex);
    const QString path = m_answers.pathToWrite(*planned);
    if (m_answers.cancelledAll())
        m_stop = true;
    return path;
}

void CropBatchRun::leaveOut(const QString& source, const QString& reason)
{
    m_leftOut << QStringLiteral("%1: %2").arg(QFileInfo(source).fileName(), reason);
}

QString CropBatchRun::whyNothing(const CropResult& result) const
{
    if (result.noFace)
        return QStringLiteral("no face was found.");
    if (result.unreadable)
        return QStringLiteral("the picture could not be read.");
    if (!result.error.isEmpty())
        return QStringLiteral("the crop could not be encoded.");
    return m_plan.crop.method == CropRequest::GivenSize ? QStringLiteral("the size asked for is under one pixel.")
                                                        : QStringLiteral("no part of it lies in the selection.");
}

void CropBatchRun::commit(const Prepared& prepared)
{
    // A picture that gives no file keeps its own line: a card made from it shows the picture as
    // it was, or is refused when that cannot be read, never a blank photo.
    QString entry = prepared.source;
    if (prepared.unusable) {
        if (!prepared.source.trimmed().isEmpty())
            leaveOut(prepared.source, QStringLiteral("the picture could not be read."));
    } else if (prepared.bytes.isEmpty()) {
        leaveOut(prepared.source, whyNothing(prepared.result));
    } else {
        QString planned, error;
        const QString path = outputPath(prepared.source, &planned);
        if (path.isEmpty()) {
            leaveOut(prepared.source,
                     QStringLiteral("\"%1\" is there already and was kept.").arg(QFileInfo(planned).fileName()));
        } else if (writeFileWhole(path, prepared.bytes, &error)) {
            entry = path;
            ++m_written;
        } else {
            leaveOut(prepared.source,
                     QStringLiteral("\"%1\" could not be written: %2").arg(QFileInfo(path).fileName(), error));
        }
    }
    m_entries << entry;
}

bool CropBatchRun::stopping()
{
    if (m_stopAsked && m_stopAsked())
        m_stop = true;
    return m_stop;
}

bool CropBatchRun::run()
{
    QSaveFile series(m_plan.seriesPath);
    if (!m_plan.seriesPath.isEmpty() && !series.open(QIODevice::WriteOnly))
        return false;
    QThreadPool pool;
    pool.setMaxThreadCount(m_plan.threads > 0 ? m_plan.threads : QThread::idealThreadCount());
    // Pictures begin in list order; a few more than the workers wait, so none idles while the
    // next file is written, and at most that many full pictures are in memory.
    const int ahead = pool.maxThreadCount() * 2;
    std::deque<QFuture<Prepared>> pending;
    int next = 0;
    auto begin = [&] {
        while (next < total() && int(pending.size()) < ahead) {
            const int index = next++;
            pending.push_back(QtConcurrent::run(&pool, [this, index] { return prepare(index); }));
        }
    };
    begin();
    while (!pending.empty() && !stopping()) {
        const Prepared prepared = pending.front().result();
        pending.pop_front();
        m_gate.pass();
        if (stopping())
            break;
        commit(prepared);
        if (series.isOpen())
            series.write(SeriesStore::fileBytes({m_entries.constLast()}));
        ++m_done;
        begin();
    }
    m_stop = true;  // pictures begun but not taken end at once
    pool.waitForDone();
    // A direct run's entries become the binding of the picture: lines a stop kept it from stay
    // as they were listed rather than fall empty.
    if (m_plan.direct) {
        for (qsizetype i = m_entries.size(); i < m_plan.pictures.size(); ++i) {
            m_entries << m_plan.pictures[i];
            if (series.isOpen())
                series.write(SeriesStore::fileBytes({m_entries.constLast()}));
        }
    }
    if (m_written > 0)
        syncFolder(m_plan.outputFolder, nullptr);
    if (series.isOpen() && !series.commit())
        m_failures << QStringLiteral("The series \"%1\" could not be written: %2")
                          .arg(QFileInfo(m_plan.seriesPath).completeBaseName(), series.errorString());
    return true;
}

QString croppedSeriesPath(const SeriesStore& store, const QString& chosen, bool replace)
{
    const QString name = SeriesStore::cleanName(chosen);
    if (!SeriesStore::isUsableName(name))
        return {};
    if (replace)
        return store.series_path(name);
    return Check_Exist_Path_and_Create_New(QDir(store.folder()).filePath(name + QStringLiteral(".txt")));
}

CroppedColumn croppedColumnOf(const Data_From_Excel& table)
{
    CroppedColumn column;
    column.index = table.ColList.count();
    column.key = QStringLiteral("Column%1").arg(column.index);
    column.header = QStringLiteral("Column %1").arg(column.index + 1);
    return column;
}

void fillCroppedColumn(Data_From_Excel& table, const CroppedColumn& column, const QStringList& entries)
{
    table.ColList.addColumn(column.key, column.header);
    for (int row = 0; row < table.rowCount(); ++row)
        table.ListData[row][column.key] = entries.value(row);
}

#pragma once
// The cropping tool's run over its whole file list, apart from its windows. Several pictures are
// read, adjusted, cut and encoded at once on a pool; their files are named, asked about and written
// one after the other in the list's order, so names, answers and series lines come in that order
// whatever finishes first. A stop ends the run before the next picture in the list: every file of
// the pictures taken is whole and has its series line, and nothing else is written.
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>

#include "photos/ImageGeometry.h"
#include "photos/PictureCrop.h"
#include "platform/KeepReplaceAnswers.h"
#include "platform/PauseGate.h"
#include "platform/PictureReading.h"

class Data_From_Excel;
class FaceDetector;
class SeriesStore;

struct CropBatchPlan {
    QStringList pictures;  // the file list, in its order
    // The method and its values and the adjustments; the source, the target and, for the
    // selection, the view size are set for each picture.
    CropRequest crop;
    // How the tool shows a picture (read at most shownSide pixels on its longer side), which the
    // one selection drawn in view coordinates is taken through for every picture.
    ImageViewLayout view;
    int shownSide = kPicturePreviewMaxPoints;

    QString outputFolder;
    // Standard runs name files by croppedFileName from counter firstCounter on and ask before
    // writing over a file. Direct runs keep each source's file name, made free in the folder, and
    // take a listed path that is no usable picture as it stands.
    bool direct = false;
    QString customName;
    int formatIndex = 0;
    int firstCounter = 0;
    QStringList extensions;  // the picture extensions a direct run accepts
    // When set, the entries go to this series file, which is written under a temporary name as
    // the run goes and takes the name only at the end.
    QString seriesPath;
    int threads = 0;  // 0: as many as the machine runs at once
};

class CropBatchRun {
public:
    using DetectorMaker = std::function<std::unique_ptr<FaceDetector>()>;

    // makeDetector gives each worker a detector of its own (the face method only); prompt asks the
    // keep/replace question on the run's thread.
    CropBatchRun(CropBatchPlan plan, DetectorMaker makeDetector, KeepReplaceAnswers::Prompt prompt);
    ~CropBatchRun();

    // Runs to the end of the list or to a stop; blocks. False, with nothing done, when the series
    // file cannot be opened ("Error in series file accessing.").
    bool run();
    // Any thread: the run ends before its next picture.
    void stop()
    {
        m_stop = true;
        m_gate.open();
    }
    // Any thread: no picture is cut or written from now until resume or stop.
    void pause() { m_gate.close(); }
    void resume() { m_gate.open(); }
    // Asked before each picture is taken, on the run's thread: the run ends when it answers true.
    void stopWhen(std::function<bool()> asked) { m_stopAsked = std::move(asked); }

    // Any thread: pictures taken so far, and in the run.
    int done() const { return m_done; }
    int total() const { return int(m_plan.pictures.size()); }

    // After the run: one entry per picture taken, in list order: the path written, or the path
    // listed when nothing was (no face, no usable picture, skipped, failed), so that a card bound
    // to the entries shows that picture as it was, or is refused when it cannot be read. A direct
    // run stopped early has an entry for every picture of its list: those not taken as listed.
    const QStringList& entries() const { return m_entries; }
    int filesWritten() const { return m_written; }
    // Each picture taken that gave no file, in list order, as "photo.png: no face was found.";
    // an empty line of a direct run names no picture and is not listed.
    const QStringList& leftOut() const { return m_leftOut; }
    // What went wrong beyond the pictures: the series file that could not be written.
    const QStringList& failures() const { return m_failures; }
    // Whether the run ended before the end of its list.
    bool stopped() const { return m_done < total(); }
    // The counter for the next standard name.
    int nextCounter() const { return m_counter; }

private:
    struct Prepared;
    struct Detectors;
    Prepared prepare(int index);
    // Where the picture goes; "" when the keep/replace answer keeps the file at *planned.
    QString outputPath(const QString& source, QString* planned);
    void commit(const Prepared& prepared);
    void leaveOut(const QString& source, const QString& reason);
    QString whyNothing(const CropResult& result) const;
    bool stopping();

    CropBatchPlan m_plan;
    std::unique_ptr<Detectors> m_detectors;
    KeepReplaceAnswers m_answers;
    std::atomic<bool> m_stop{false};
    PauseGate m_gate;
    std::function<bool()> m_stopAsked;
    std::atomic<int> m_done{0};
    QStringList m_entries;
    QStringList m_leftOut;
    QStringList m_failures;
    int m_written = 0;
    int m_counter = 0;
};

inline const QString kSeriesFileFailure = QStringLiteral("Error in series file accessing.");

// The file a series run writes: with replace the chosen series' own file, else the first free
// "name (k).txt" beside it ("Staff (1)"). Empty for a name that cannot name a series.
QString croppedSeriesPath(const SeriesStore& store, const QString& chosen, bool replace);

// The column a direct column run adds to the loaded table: with n columns before the run (the
// row-number column counted), its key "Column<n>" and its header "Column <n + 1>".
struct CroppedColumn {
    int index = 0;
    QString key;
    QString header;
};
CroppedColumn croppedColumnOf(const Data_From_Excel& table);
// Adds the column and gives row i entry i.
void fillCroppedColumn(Data_From_Excel& table, const CroppedColumn& column, const QStringList& entries);

#pragma once
// The batch export: one file per record and side (or one joined picture per record) in the
// export folder. The caller's source binds and snapshots each side (on the GUI thread); a record
// with a side that could not be made gets no file at all and the run goes on. A pool
// of workers only draws the snapshots at 600 dpi, encodes and writes them, fed through a bounded
// queue so memory stays flat however many records there are. Each file is written whole, the
// folder synced once at the end, and a stop leaves only whole cards: a record's files are written
// together or not at all, and in the order of the records, so the cards a stop leaves are the
// first ones of the run.
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>

#include "model/CardSide.h"
#include "output/CardFileWriter.h"
#include "output/SideSnapshot.h"
#include "platform/PauseGate.h"

struct BatchExportSettings {
    QString folder;     // the chosen folder; files go into its "ZOVA ID Card" folder
    QString extension;  // used as typed, e.g. "TIFF"
    QString side = QStringLiteral("BOTH");  // "BOTH", "F" or "B"
    bool joined = false;
    bool sideBySide = false;
    int first = 0;  // Print_Start: the first record, from 0
    int end = 1;    // Total_Label: records first up to but not including end
    int threads = 0;  // 0: one per core
};

struct ExportReport {
    bool folderMade = true;
    QString folderFailure;  // why the export folder could not be made, naming it
    bool stopped = false;
    int cardsWritten = 0;  // records whose every file was written
    int cardsRefused = 0;  // records left out whole before the stop: a side of theirs could not be made
    int notReached = 0;    // records a stop kept the run from: reachedEnd up to the end of the range
    int reachedEnd = 0;    // no card from this record on was written: only those before it are
                           // named as left out, and a run taken up again starts here
    int filesWritten = 0;
    QString firstFile;     // the first file written
    QStringList oneSided;  // "Card 7: only the back was written.", per card left with one side
    QStringList failures;  // "file: reason" of files not written, in the order they happened
};

// What the closing box says about a run: the cards written, the records a stop kept it from, the
// cards left out, those with one side only and the files that could not be written, counted; the
// box lists the cards and files themselves. A run whose folder could not be made names the
// folder and the system's reason.
QString exportReportMessage(const ExportReport& report);

inline const QString kExportFolderName = QStringLiteral("ZOVA ID Card");

class BatchExport {
public:
    // Record n's side, bound and snapshotted; called from the thread running the export.
    using SideSource = std::function<SideSnapshot(int record, CardSide side)>;

    BatchExport(BatchExportSettings settings, SideSource source, KeepReplaceAnswers::Prompt prompt);

    // Runs the export to its end or its stop; call it off the GUI thread when the source or the
    // prompt waits for the GUI thread.
    ExportReport Export_Batch_File();
    // Any thread: no file is written after this, not even the rest of the current record.
    void stop()
    {
        m_stop = true;
        m_gate.open();
    }
    // Any thread: no record is bound and no file written from now until resume or stop.
    void pause() { m_gate.close(); }
    void resume() { m_gate.open(); }
    bool stopping() const { return m_stop; }
    // Any thread: the run waits at a pause before binding its next record.
    bool holdsRecords() const { return m_holdingRecords; }
    // Any thread: how many of the run's threads a pause holds: the one binding records and the
    // one whose record's files are next to be written.
    int heldAtPause() const { return m_gate.waiting(); }

    // Records finished so far and the records of the run, for the progress window.
    int cardsDone() const { return m_cardsDone; }
    int cardCount() const { return std::max(0, m_settings.end - m_settings.first); }
    // The export folder, "ZOVA ID Card" inside the chosen one.
    QString exportFolder() const;

private:
    // One record's files, written together on a worker: none after a stop, so a stop never
    // leaves a card with one side.
    struct RecordFiles;
    // What the workers add to, under its lock.
    struct Outcome;
    class Turn;
    void writeRecord(const RecordFiles& files, Outcome& outcome);
    // Settles the names of a record's files on the run's thread, asking when a file is there;
    // false when the answer stops the run.
    bool settleNames(RecordFiles& files);

    BatchExportSettings m_settings;
    SideSource m_source;
    KeepReplaceAnswers m_answers;
    std::atomic<bool> m_stop{false};
    PauseGate m_gate;
    std::atomic<int> m_cardsDone{0};
    std::atomic<bool> m_holdingRecords{false};
};

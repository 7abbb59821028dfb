#pragma once
// One output run over a design (export, print, mail): both sides are copied when the run begins,
// the run's sources decided, then each record is bound into fresh copies of a side and those are
// snapshotted for output. The live design is never changed, so there is nothing to put back, a
// canvas never shows a mix of records, and every job of the run starts from the design as it was.
// A record whose bound picture cannot be read or whose barcode cannot show its value is refused:
// its side comes back without a picture and the record is noted for the end report.
// Binding and snapshotting read the card's settings and run on the GUI thread; a caller on a
// worker thread waits for them, then only encodes and writes the snapshot.
#include "model/CardSide.h"
#include "output/DesignSnapshot.h"
#include "output/OutputPictures.h"
#include "output/RefusedRecords.h"
#include "output/RunSources.h"
#include "output/SideSnapshot.h"

class Data_From_Excel;
class SeriesStore;
class SKTDocument;

class RecordRun {
public:
    // Copies both sides and decides the sources of the design (the back only on a two-sided
    // card). GUI thread. The store and table outlive the run. Series are read through the store
    // unless a reader is given.
    RecordRun(const SKTDocument& design, const SeriesStore& store, const Data_From_Excel& table, bool twoSided,
              SeriesBindingTable::Reader seriesReader = {});
    RecordRun(const RecordRun&) = delete;
    RecordRun& operator=(const RecordRun&) = delete;

    // Mirror every side rendered: top to bottom when vertical, else left to right.
    bool Mirror_Image_Create = false;
    bool Mirror_Vertical_Not_Horz = false;

    // The run's sources; a window may turn one off and count again (Get_total_Card_count).
    RunSources& sources() { return m_sources; }
    const DesignSnapshot& designBefore() const { return m_before; }
    OutputPictures& pictures() { return m_pictures; }
    // The records refused so far; a window clears it when a new job of the run starts.
    RefusedRecords& refused() { return m_refused; }

    // Record n's values into the bound elements of a list, in list order: texts take the value,
    // pictures the file it names, barcodes a new picture of it centred in their box. Elements
    // left out of output, manual ones and those of a source turned off keep their values. The
    // reason the record cannot be shown, when a barcode cannot show its value. GUI thread.
    QString Assign_Batch_Values_To_Control(const GraphicList& side, int n);
    // Record n bound into copies of the side as it was when the run began, snapshotted for
    // output, mirrored when the run says so. A refused record gives no picture, its reason, and
    // a note in refused(). Any thread: the work is done on the GUI thread, which must keep
    // handling events (never wait on the caller) while a run is under way.
    SideSnapshot Set_data_table_value_to_card(int n, CardSide side);

    // Record n bound into fresh copies of the side as it was when the run began, for a caller
    // that shows them itself. None, with the reason and a note in refused(), when the record
    // cannot be shown whole (a barcode that cannot show its value, a picture that cannot be
    // read). GUI thread.
    GraphicList recordOnCopies(int n, CardSide side, QString* refusal);

    // A list drawn as it stands, no record put in and never mirrored, whatever the run's mirror
    // says: for a side the caller has filled itself. Any thread, as Set_data_table_value_to_card.
    SideSnapshot Generate_Batch_Image_For_Differ_Value_from_redrenig_class(const GraphicList& elements, CardSide side);

    // The record as the end report names it: the first text value bound on the card (a name, as a
    // rule), else its first bound value. GUI thread.
    QString recordLabel(int n) const;

private:
    // The value record n gives an element, and whether the element takes one in this run.
    QString recordValue(const SKTGraphic& element, int n, bool* bound) const;
    SideSnapshot bindAndSnapshot(int n, CardSide side);
    // The values into the elements; a picture element's preview is read only with readPreviews.
    QString bindValues(const GraphicList& side, int n, bool readPreviews);
    // Copies of the side as it was, record n bound into them; the reason a barcode refused it.
    // Without previews, the copies' pictures are left for the snapshot to read.
    GraphicList boundCopies(int n, CardSide side, QString* refusal, bool readPreviews = true);
    // Starts reading the output pictures of the records after n on the side.
    void readAheadAfter(int n, CardSide side);
    void noteRefused(int n, QString* failure);

    DesignSnapshot m_before;
    RunSources m_sources;
    OutputPictures m_pictures;
    RefusedRecords m_refused;
    int m_readAheadFrom[2] = {0, 0};  // per side, the first record not yet read ahead
};

// A new picture of value in a barcode element, centred in its barcode box, which stays as it was
// (a record's value is no move of the user's). An empty value leaves the element without a picture
// and refuses nothing; a value the symbology cannot encode gives no picture and the reason. GUI
// thread.
QString Bind_Barcode_Value(SKTGraphic& element, const QString& value);

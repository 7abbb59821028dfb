#pragma once
// One output run over a design (export, print, mail): the design's sides are copied first, the
// run's sources decided, then record after record is bound into the live elements of a side and
// the side snapshotted for output, and at the end the design is put back from the copies.
// The live elements belong to the GUI thread: binding and snapshotting run there, and a caller on
// a worker thread waits for them; the worker then only encodes and writes the snapshot.
#include "model/CardSide.h"
#include "output/DesignSnapshot.h"
#include "output/OutputPictures.h"
#include "output/RunSources.h"
#include "output/SideSnapshot.h"

class Data_From_Excel;
class SeriesStore;
class SKTDocument;

class RecordRun {
public:
    // Copies both sides, stops undo recording for the run, and decides the sources of the design
    // (the back only on a two-sided card). GUI thread. The design, store and table outlive the run.
    // Series are read through the store unless a reader is given.
    RecordRun(SKTDocument& design, const SeriesStore& store, const Data_From_Excel& table, bool twoSided,
              SeriesBindingTable::Reader seriesReader = {});
    // Puts the design back when finish was not called.
    ~RecordRun();
    RecordRun(const RecordRun&) = delete;
    RecordRun& operator=(const RecordRun&) = delete;

    // Mirror every side rendered: top to bottom when vertical, else left to right.
    bool Mirror_Image_Create = false;
    bool Mirror_Vertical_Not_Horz = false;

    // The run's sources; a window may turn one off and count again (Get_total_Card_count).
    RunSources& sources() { return m_sources; }
    const DesignSnapshot& designBefore() const { return m_before; }
    OutputPictures& pictures() { return m_pictures; }

    // Record n's values into the bound elements of a side's list, in list order: texts take the
    // value, pictures the file it names, barcodes a new picture of it centred where the last one
    // was. Elements left out of output and manual ones keep their values. GUI thread.
    void Assign_Batch_Values_To_Control(const GraphicList& side, int n);
    // Binds record n into the side and snapshots it for output, mirrored when the run says so, on
    // the GUI thread; a caller on another thread waits for it, so the GUI thread must keep handling
    // events (never wait on that worker) while a run is under way.
    SideSnapshot Set_data_table_value_to_card(int n, CardSide side);

    // Puts both sides back as they were before the run and undo recording as it was; false when
    // already done.
    bool Create_Card_Design_Again();

private:
    void bindBarcode(SKTGraphic& element, QString value, bool seriesGone);
    SideSnapshot bindAndSnapshot(int n, CardSide side);

    SKTDocument& m_design;
    DesignSnapshot m_before;
    RunSources m_sources;
    OutputPictures m_pictures;
    bool m_undoWasRecording = true;
    bool m_finished = false;
};

// A new picture of value in a barcode element, centred in its barcode box, which stays as it was
// (a record's value is no move of the user's). The reason, and no picture, when the value gives no
// symbol: an empty value, or one the symbology cannot encode. GUI thread.
QString Bind_Barcode_Value(SKTGraphic& element, const QString& value);

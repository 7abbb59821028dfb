#pragma once
// A snapshot of both sides' elements taken before an output run, which may change the live
// elements (template form clears data bindings, group mode fills in a record, record values are
// bound), and the rebuild of both sides from it afterwards.
#include "output/DesignSnapshot.h"

class SKTDocument;

class DesignBackup {
public:
    // Copies of both sides' elements, replacing any earlier snapshot.
    void Create_Design_Backup_Array(const SKTDocument& document);
    // Rebuilds both sides from the snapshot without recording undo, every element with every
    // value it had. Without a snapshot nothing changes and the answer is false, so a missing
    // backup never empties the design.
    bool Create_Card_Design_Again(SKTDocument& document) const;

private:
    DesignSnapshot m_snapshot;
};

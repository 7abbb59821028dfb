#pragma once
// A snapshot of both sides' elements taken before an output run, which may change the live
// elements (template form clears data bindings, group mode fills in a record), and the rebuild
// of both sides from it afterwards.
#include <QByteArray>
#include <QList>

class SKTDocument;

class DesignBackup {
public:
    // Each holds at most one snapshot: the side's element archives in list order.
    QList<QList<QByteArray>> Graphics_array_Batch_Front_Bkup;
    QList<QList<QByteArray>> Graphics_array_Batch_BAck_Bkup;

    // Replaces any earlier snapshot. An element that cannot be archived is logged and left out.
    void Create_Design_Backup_Array(const SKTDocument& document);
    // Rebuilds both sides from the snapshot without recording undo. Without a snapshot nothing
    // changes and the answer is false, so a missing backup never empties the design.
    bool Create_Card_Design_Again(SKTDocument& document) const;
};

#pragma once
// Both sides of a design as they were before an output run, kept as copies of the elements
// themselves: a run binds record values into the live elements, and putting the copies back gives
// the user every element again with every value it had, nothing lost to a round through an archive.
#include "model/SKTGraphic.h"

class SKTDocument;

class DesignSnapshot {
public:
    // No snapshot.
    DesignSnapshot() = default;
    // Copies of both sides' elements in list order.
    static DesignSnapshot take(const SKTDocument& design);

    bool isEmpty() const { return !m_taken; }
    const GraphicList& front() const { return m_front; }
    const GraphicList& back() const { return m_back; }

    // Puts fresh copies of the kept elements on both sides, recording no undo; the snapshot stays
    // as it is for another restore. Without a snapshot nothing changes and the answer is false.
    bool restore(SKTDocument& design) const;

    // Fresh copies of the elements, in list order.
    static GraphicList copiesOf(const GraphicList& elements);

private:

    GraphicList m_front;
    GraphicList m_back;
    bool m_taken = false;
};

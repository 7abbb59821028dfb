#pragma once
// Whether a design is open, and whether it differs from the file it was opened from or last saved
// to. Unsaved changes show as "*" in the window title; while no design is open (from the reset of
// a new project until a start succeeds) the commands that act on a design are disabled and there
// is nothing to save.
#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <functional>

class SKTWindowController;

class DesignSession : public QObject {
    Q_OBJECT
public:
    // The controller calls saved() once its canvases exist: the empty new design is unchanged.
    explicit DesignSession(SKTWindowController& controller);

    // A freshly made window holds an empty design, so a session starts open.
    bool isOpen() const { return m_open; }
    // A start road or Open has put a design up: its undo history starts with it as it stands, it
    // counts as unchanged, and the design commands come back.
    void started();
    // Runs a step of a start road that is the user's own edit, not the design the road starts from
    // (a profile confirmed in the start windows): when it changes the design, the design started
    // counts as changed until it is saved.
    void startWithEdit(const std::function<void()>& edit);
    // The design was reset for a new project; nothing is open until the next start.
    void closed();
    // The design was written to its file: it counts as unchanged again.
    void saved();
    // Compared afresh: an edit that was undone again is no change.
    bool hasUnsavedChanges() const;
    // Runs a step that changes what the design shows but not the design itself (a group record put
    // on the card): a design without unsaved changes has none after it either.
    void showWithoutChange(const std::function<void()>& step);
    // Copy Design to Other Side: on while a design is open and its card has a back.
    void syncCopyDesignCommand();
    // Refreshes the title's mark once control returns to the event loop, however many edits ask.
    void scheduleCheck();

private:
    QByteArray currentFingerprint() const;
    void updateModifiedMark();
    void setDesignCommandsEnabled(bool enabled);

    SKTWindowController& m_controller;
    bool m_open = true;
    bool m_editedOnStart = false;
    QByteArray m_savedFingerprint;
    QTimer m_check;
};

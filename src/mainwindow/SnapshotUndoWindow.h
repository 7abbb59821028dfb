#pragma once
// What the side-snapshot undo needs from the main window, its canvases and the visitor and group
// side panels. The main window implements it; tests implement it apart.
#include <QImage>
#include <QList>
#include <QString>

#include "views/visitors/ProfileSidePanel.h"

class QCheckBox;
class QLineEdit;
class QWidget;
class SKTGraphic;

class SnapshotUndoWindow {
public:
    virtual ~SnapshotUndoWindow() = default;

    // Undo_btn with undo_menu, Redo_btn with redo_menu.
    virtual void setUndoControlsEnabled(bool enabled) = 0;
    virtual void setRedoControlsEnabled(bool enabled) = 0;

    // The canvas of the side (0 front, 1 back) lets go of its selection, its current element and
    // the element being created: a rebuild is about to replace every element of its list.
    virtual void dropSelection(int side) = 0;
    virtual void Refresh_Canvas() = 0;
    // Drawing stores a few values back into the elements (colours take their opacity, a text the
    // words it shows). Drawing the side (0 front, 1 back) once before it is archived makes a
    // snapshot hold what the canvas shows, so a later paint is not taken for an edit.
    virtual void settleDrawnValues(int side) = 0;
    // nullptr shows the card's own properties.
    virtual void Show_RHS_Properties(SKTGraphic* graphic) = 0;
    // After a record, an undo, a redo or a button update: the design may now differ from the
    // file it was opened from or saved to (or match it again).
    virtual void designMayHaveChanged() = 0;

    // ---- Visitor and group side panels ----------------------------------------------------
    // A window without these panels has nothing to follow the lock, no panel, no field
    // (nullptr) and no picture view.
    virtual void Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK() = 0;
    virtual ProfileSidePanel* profilePanel(int side) = 0;
    virtual QWidget* Get_Dynamic_Photo_Ctrl(const QString& ctrlId) = 0;
    virtual QCheckBox* Get_chk_box_of_visitor_mode(const QString& ctrlId) const = 0;
    virtual QLineEdit* Get_text_box_of_visitor_mode(const QString& ctrlId) const = 0;
    // Puts a picture into one of the panels' picture views; none shows the no-picture picture.
    virtual void showPicture(QWidget* view, const QImage& picture) = 0;
    // The placeholder of an empty photo field.
    virtual QImage no_image_ctrl_GP() const = 0;
    // The side (0 front, 1 back) was rebuilt from a snapshot and its panel refilled from it: in
    // group mode the record chosen in the group list goes back onto it, since a snapshot holds
    // whichever record the card showed when it was taken.
    virtual void sideRebuiltFromSnapshot(int) {}
    // The side (0 front, 1 back) now holds a snapshot's elements: the panel's rows of added fields
    // follow them before the panel is refilled.
    virtual void userRowsFollowSide(int) {}
};

#pragma once
// The main window's share of visitor and group modes: the front and back side panels in the left
// pane, what they report written onto the card, and the group project's records (the loaded data
// table) edited row by row through them.
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <optional>

#include "data/GroupRecords.h"
#include "designfile/DesignState.h"

class QDockWidget;
class QImage;
class QCheckBox;
class QLineEdit;
class QScrollArea;
class QStackedWidget;
class QWidget;
class Profile_Side_Panel;
class SKTGraphicView;
class SKTWindowController;

// The photo of the card holder's profile.
inline const QString kPhotoFieldId = QStringLiteral("Fup_Photo");
inline const QString kRecordAddedMessage = QStringLiteral("Record added successfully.");
inline const QString kDeleteRecordQuestion = QStringLiteral("Are you sure you want delete selected record?");
inline const QString kRecordDeletedMessage = QStringLiteral("Record deleted successfully.");
inline const QString kLastRecordMessage =
    QStringLiteral("Unable to delete this record because project must have one record.");
inline const QString kWorkbookNotWrittenMessage = QStringLiteral("The group's records could not be written to \"%1\".");
inline const QString kFieldNameNeededMessage = QStringLiteral("Please enter a name for the field.");
inline const QString kUpdatePhotoDataQuestion = QStringLiteral(
    "Photo has been captured successfully.\n\nDo you want to update your changes in your project data now?");
inline const QString kNoSuchRecordMessage = QStringLiteral("There is no record %1: the project has %2 records.");
inline const QString kUnsavedRecordQuestion =
    QStringLiteral("Record \"%1\" has changes that are not saved.\n\nDo you want to save them before record \"%2\" is shown?");
inline const QString kUnsavedBeforeCopyQuestion = QStringLiteral(
    "Record \"%1\" has changes that are not saved.\n\nDo you want to save them before the design is copied to the "
    "other side?");
inline const QString kUnsavedBeforeSideQuestion = QStringLiteral(
    "Record \"%1\" has changes that are not saved.\n\nDo you want to save them before the other side is shown?");
inline const QString kUnsavedBeforeProfileQuestion = QStringLiteral(
    "Record \"%1\" has changes that are not saved.\n\nDo you want to save them before the card holder profile is "
    "shown?");
inline const QString kUnsavedBeforeUndoQuestion = QStringLiteral(
    "Record \"%1\" has changes that are not saved.\n\nDo you want to save them before the last edit is undone?");
inline const QString kUnsavedBeforeRedoQuestion = QStringLiteral(
    "Record \"%1\" has changes that are not saved.\n\nDo you want to save them before the edit is redone?");
inline const QString kVisitorTypingBeforeUndoQuestion = QStringLiteral(
    "Undoing the last edit would also take back what was typed in the visitor's panel: %1.\n\nDo you want to keep "
    "what was typed when the last edit is undone?");
inline const QString kVisitorTypingBeforeRedoQuestion = QStringLiteral(
    "Redoing the edit would also replace what was typed in the visitor's panel: %1.\n\nDo you want to keep what "
    "was typed when the edit is redone?");
inline const QString kRecordSavedMessage = QStringLiteral("Record \"%1\" has been saved in \"%2\".");
inline const QString kColumnTakenMessage =
    QStringLiteral("The column \"%1\" already shows %2 on this side. Choose another column for %3, or set %2 to None first.");

class LiveModePanels : public QObject {
    Q_OBJECT
public:
    // Makes both panels (and the globals naming them) in a hidden left pane of the window.
    explicit LiveModePanels(SKTWindowController& controller);
    ~LiveModePanels() override;

    Profile_Side_Panel& panel(int side) const;
    QDockWidget& pane() const { return *m_pane; }

    // Group-mode column bindings of the ten text fields, then the front and back photo.
    GroupColumnBindings excel_cb_value = unboundGroupColumns();
    QList<DynamicControl> dynamic_ctrl_list_front;
    QList<DynamicControl> dynamic_ctrl_list_back;

    // ---- Layout ------------------------------------------------------------------------------
    // false: the design layout, panels hidden. true: the panels of mode "V" or "G". Nothing while
    // a design is being copied onto the other side.
    void Show_Hide_Profile_Panel_Live_Mode(bool show);
    // 0 the front panel, 1 the back, scrolled to the top.
    void change_Visitor_Side_View(int side);
    void Hide_Visitor_panel();
    void Set_Front_Panel_Size();
    void Set_Back_Panel_Size();

    // ---- Set-up ------------------------------------------------------------------------------
    void Reset_All_Visitor_Grp_Mode_Ctrl();
    void Reset_Group_Mode_Excel_Col_Index();
    // Both panels' added rows again from the dynamic-control lists (front, then back).
    void Create_Control_For_Visitor_Mode();
    // A front without a "Fup_Photo" element or any picture gets one showing the no-picture image.
    void Check_For_Defalut_Photo_Control();
    // What a design load ends with in modes "V" and "G" (captions, panels, rows, front side).
    void After_Design_Load();
    // The visitor road's set-up once its template is loaded.
    void Start_Visitor_Panels();
    // Each side's panel shows what that side's elements hold, as after an undo.
    void showCardInPanels();
    // Another window (the card holder profile) changed the side's card (0 front, 1 back): its
    // panel shows what the card now holds, in visitor mode the symbols carrying a visitor's field
    // show its value too, and in group mode the record chosen goes back onto the bound fields, so
    // that what is registered, saved and printed is the one person the card shows. Nothing in
    // other modes.
    void panelFollowsCard(int side);
    // The visit's moment in the date and time fields not entered by hand, and on the card.
    void showVisitMoment(const QDateTime& moment);

    // The design was copied onto the side (0 front, 1 back): both panels show what their cards
    // hold, as after an Open of the design; in visitor mode the side's panel shows the first
    // picture copied as the photo; the photo's column goes along; in group mode the group list is
    // set up again with the record chosen before (row 0 unless one was). Nothing in other modes.
    void Design_Copied_To_Side(int side, int chosenRow);

    // ---- Fields --------------------------------------------------------------------------------
    QLineEdit* Get_text_box_of_visitor_mode(const QString& ctrlId) const;
    QCheckBox* Get_chk_box_of_visitor_mode(const QString& ctrlId) const;
    QWidget* Get_Dynamic_Photo_Ctrl(const QString& ctrlId) const;
    // The column chosen for a profile field or a user-added row; -1 none.
    int Get_Excel_Coulmn_Index_According_ID(const QString& ctrlId) const;
    // The element with the identifier on the front or the back, made at its template place when
    // missing (a picture when txtOrPic is "P"), showing the value, bound to the column (none for
    // -1) and shown or hidden.
    void Check_and_create_control_for_group_mode_FRONT(const QString& ctrlId, const QString& value,
                                                       const QString& txtOrPic, int column, bool visible);
    void Check_and_create_control_for_group_mode_BACK(const QString& ctrlId, const QString& value,
                                                      const QString& txtOrPic, int column, bool visible);
    void Set_User_Image_Control(int side, const QString& path, const QString& ctrlId);
    // A picture element of the side (0 front, 1 back) was cropped, reset, chosen or deleted (an
    // empty path): the card holder's photo ("Fup_Photo") shows in the panel's photo, a picture
    // field added in the panel in its own row; the card's other pictures are no one's photo.
    void showPictureOfElement(int side, const QString& path, const QImage& picture, const QString& ctrlId);
    // A crop or a reset gave the picture element of the side a new picture: the panel shows it as
    // above, and in visitor mode a new photo of the holder's is the photo of both sides.
    void pictureOfElementChanged(int side, const QString& path, const QImage& picture, const QString& ctrlId);
    // Visitor mode: a barcode carrying a visitor's field was given a value in the barcode window;
    // the side's panel field and text show that value, so that the pass, the panel and what is
    // registered name one visitor.
    void panelFieldFollowsBarcode(int side, const SKTGraphic& barcode);
    // A field the user adds to the side: a caption "F_label<n>" and a value "F_field<n>" for
    // text ("T"), a picture "F_Photo<n>" otherwise, n the side's next free number; each becomes
    // an element of the card and a row of the panel. A caption is needed.
    void Add_User_Field(int side, const QString& kind, const QString& caption);
    // The side's added-field rows again from what its card holds (visitor and group modes only).
    void userRowsFollowCard(int side);

    // ---- Group records ---------------------------------------------------------------------------
    // The panel of the side ("F" or "B") and that side's elements take the row's cells by their
    // bound columns. False, changing nothing, for a row the table does not have.
    bool Set_GP_mode_Value_From_Excel(const QString& side, int row);
    void Select_Excel_First_Row();
    // Group mode: the record chosen in the group list (row 0 when none) onto the side in force,
    // its bound elements and its panel, as output binds it. Nothing in other modes or for a row
    // the table does not have.
    void Assign_value_to_card_in_group_mode_list_selection();
    // After an undo, a redo or the card holder profile rebuilt the side: the bindings follow its
    // elements again, and the record chosen in the group list goes back onto it and its panel. In
    // visitor mode, the typing the user chose to keep over the undo or redo goes back instead.
    void Show_Chosen_Record_After_Rebuild(int side);
    // The record shown (recordShown()) takes the panel's values, exactly as typed.
    void Save_Group_Mode_List_Details_In_XL_Data_List();
    // After a project is read: group list, column titles and bindings, row 0 shown. Nothing for an
    // empty path.
    void Set_Group_Mode_List_Setting_After_Loading(const QString& projectPath, const QString& a_or_u);
    void Create_Group_List_By_Excel_List();
    void Add_In_Excel_Details_Btn_Clicked();
    void Delete_In_Excel_Details_Btn_Clicked();
    void View_Excel_Btn_Clicked();
    // Group mode: whether the design may be copied onto the other side, which shows the stored
    // record again: yes when nothing typed over the record shown is unsaved, else as the user
    // answers (save it first, drop it, or keep it and copy nothing). Yes in other modes.
    bool typingSettledBeforeDesignCopy();
    // Group mode: whether the side (0 front, 1 back) may be shown in place of the side whose panel
    // the user sees, which would show the stored record again: as for the design copy, the user
    // keeping the typing keeps the side. Yes for the side already seen and in other modes.
    bool typingSettledBeforeSideShown(int side);
    // Group mode: whether the card holder profile may show the record, which it shows as stored;
    // as for the design copy. Yes in other modes.
    bool typingSettledBeforeProfile();
    // Group mode: whether Undo or Redo may rebuild the side, which shows the stored record again;
    // as for the design copy. Saved or dropped, the typing is no step of the history: the step
    // taken is the last edit of the design. Visitor mode: the same when the step would take back
    // what was typed in the side's panel along with the edit; kept (Yes), the typing goes back
    // onto the rebuilt side, so that the step takes back or brings back the edit alone. Yes in
    // other modes.
    bool typingSettledBeforeUndo();
    bool typingSettledBeforeRedo();
    // Saves the project with the panel's values in the record shown and says which record it
    // saved; false when it could not (and said so).
    bool Save_Details_Clicked();
    // The row the group list shows selected, 0 when none.
    int selectedRow() const;
    // The spreadsheet row whose values the card shows: in group mode the record shown, else the
    // first.
    int recordOnCard() const;
    // The record the panel and the card show: the selected one, except while another is being
    // chosen.
    int recordShown() const;
    // The workbook kept beside the project's design: Group_Excel_Data/NAME.xlsx.
    static QString projectWorkbookPath(const QString& projectPath);

    // ---- Photo ------------------------------------------------------------------------------------
    // Group mode: the loaded table gets the columns "MFPC" and "MBPC" where it lacks them, which
    // keep each record's photo set in the front and the back panel when no column was chosen for
    // the photo; their indexes (none in other modes).
    GroupRecords::ManualPhotoColumns Check_for_manual_photo_XL_col_for_GP_mode();
    void Open_Camera_Clicked(int side);
    // After the camera set the photo: a group record keeps it only once saved, so the user is
    // asked whether to save it now (the Save Details road). A visitor's photo is kept when the
    // visitor is registered: nothing is asked.
    void Show_Message_To_Update_Data();
    // The Browse… of the side's photo, or of a picture field added in its panel; a file dropped
    // on such a field's view takes the same road once it is a picture the Browse… would take.
    void Browse_Photo_Clicked(int side, const QString& ctrlId = kPhotoFieldId);
    void Photo_File_Dropped(int side, const QString& ctrlId, const QString& path);

    // The group table into Group_Excel_Data/NAME.xlsx beside the project; says so when it cannot.
    void writeProjectWorkbook() const;

private:
    // The ten text fields of the profile in the record's order (their binding slots), and the
    // same with the photo last: the fields a column can be chosen for.
    static QStringList textFieldIds();
    static QStringList boundFieldIds();
    void Check_and_create_control_for_group_mode(int side, const QString& ctrlId, const QString& value,
                                                 const QString& txtOrPic, int column, bool visible);
    // The field's element shows the value (a picture's path, a text), bound to the column when
    // one is given, shown or hidden.
    static void showFieldValue(SKTGraphic& element, const QString& value, int column, bool visible);
    // The side's panel shows the column's value for the field, ticked when a column is chosen.
    void showColumnValueInPanel(int side, const QString& ctrlId, const QString& value, int column);
    // The field's text element on the side, where it has one, takes the column (none below 1)
    // chosen on the other side, with the chosen record's value; the side's panel shows it.
    void sideFollowsColumn(int side, const QString& ctrlId, int column);
    // Lays a new field of the side (its element, or its caption and value) out near the point,
    // clear of the rest of the design where the card has room, made smaller where it has not, the
    // value beside its caption or under it; texts take the ink that reads on what lies under them.
    void placeClearOfDesign(int side, const GraphicList& row, QPointF wanted);
    // The text element with the identifier on the side shows the text; false when there is none.
    bool showOnCard(int side, const QString& ctrlId, const QString& text);
    // In visitor mode, the side's barcodes carrying a visitor field's identifier show its value.
    void showOnBarcodes(int side, const QString& ctrlId, const QString& text);
    // In visitor mode, every such barcode drawn from the value its field shows, when it has one
    // or a text of the side shows the field.
    void barcodesShowPanelValues();
    // Whether a text element of the side carries the identifier.
    bool showsAsText(int side, const QString& ctrlId) const;
    // The side's panel shows what the side's elements hold.
    void showSideInPanel(int side);
    int sideInForce() const;
    SKTGraphicView& view(int side) const;
    // The fields added on the side (0 front, 1 back).
    QList<DynamicControl>& dynamicControls(int side) { return side == 1 ? dynamic_ctrl_list_back : dynamic_ctrl_list_front; }
    const QList<DynamicControl>& dynamicControls(int side) const
    {
        return side == 1 ? dynamic_ctrl_list_back : dynamic_ctrl_list_front;
    }
    void connectPanel(Profile_Side_Panel& panel);
    void fieldEdited(int side, const QString& ctrlId, const QString& text);
    void fieldShown(int side, const QString& ctrlId, bool shown);
    void columnChosen(int side, const QString& ctrlId, int column);
    // A column chosen in the row of a field added on the side (none below 1): its element is
    // bound to it and shows the record chosen; Save Details writes the row's value into it.
    void addedFieldColumnChosen(int side, const QString& ctrlId, int column);
    // The side's photo element and panel show the picture; the Browse and Camera buttons also
    // select the photo on the canvas, which shows its page in the inspector.
    void setPhoto(int side, const QString& path, bool selectOnCanvas = false);
    // A picture file chosen for the photo or an added picture field of the side.
    void photoChosen(int side, const QString& ctrlId, const QString& path);
    // The added picture field's element and row show the picture, shown on the card and selected
    // there, as one edit; the element keeps the field's name as its text.
    void showAddedPicture(int side, const QString& ctrlId, const QString& path);
    // The side panels' selection of an element: the one with the identifier becomes the canvas's
    // selection (unless it is selected already) and the inspector shows it when its side is
    // shown. False when there is none.
    bool selectElementWithId(int side, const QString& ctrlId);
    // The column whose cells the side's photo shows: the one chosen for it, else the manual-photo
    // column its element is bound to; -1 none.
    int photoColumnOf(int side) const;
    // The column a photo set through the side's panel goes into: the one chosen for it, else in
    // group mode the side's manual-photo column, made when missing.
    int columnForPanelPhoto(int side);
    // The values the side's panel gives each bound column; where two fields share a column, the
    // one typed over the row's stored value (none: the last field's value).
    QMap<int, QString> panelValues(int side, int row = -1) const;
    // ---- Choosing another record (LiveModeRecordChange.cpp) ----
    // The group list shows the row selected without asking anything.
    void markChosenRow(int row);
    // Whether the record shown may give way to the row: yes when nothing typed over it is unsaved,
    // else as the user answers (save it first, drop it, or stay on it).
    bool leaveRecordShown(int row);
    // Asks the question over unsaved typing: true once saved (Yes) or dropped (No), false to stay.
    bool settleUnsavedTyping(const QString& question);
    // Group mode: true when nothing typed over the record shown is unsaved, else as the user
    // answers the question (its %1 the record).
    bool typingOverRecordShownSettled(const QString& question);
    bool hasUnsavedTyping() const;
    // ---- One visitor on both sides (LiveModeOneVisitor.cpp) ----
    // The fields a visitor's pass shows on either side by the same identifier: the profile's
    // texts, then the photo.
    static QStringList visitorFieldIds();
    // Visitor mode: what was typed into the side's panel for a profile text is the visitor's on
    // the other side too (its panel, texts and symbols), as typing there.
    void otherSideTakesTyping(int side, const QString& ctrlId, const QString& text);
    // Visitor mode: the value the side's field was given another way (the barcode window) goes
    // onto the other side too.
    void otherSideTakesValue(int side, const QString& ctrlId, const QString& value);
    // Whether the side's card has a text or a symbol with the identifier.
    bool holdsVisitorField(int side, const QString& ctrlId) const;
    // For each field the side's card holds, its panel and its texts and symbols with the
    // identifier show the value, as no edit of the side; its symbols take an empty value only when
    // symbolsAlways or a text of either side shows the field. No element is made.
    void showVisitorValues(int side, const QMap<QString, QString>& values, bool symbolsAlways);
    // The text the side's card shows for the field, if it has one.
    std::optional<QString> visitorValueOnCard(int side, const QString& ctrlId) const;
    // Visitor mode: each of the fields shows on both sides that hold it what the leading side's
    // card shows, else the other card's; the photo, the leading side's photo element's picture
    // (else the other's) on the other side's photo element and in its panel.
    void sidesShowOneVisitor(int leader, const QStringList& fields);
    void photoFollows(int leader);
    // After an Undo or Redo rebuilt the side: the typing it took back leaves both sides, and every
    // other field shows what the front shows.
    void sidesShowVisitorAfterRebuild(int side);

    // ---- Typing against Undo and Redo (LiveModeHistoryTyping.cpp) ----
    enum class TypingAnswer { Save, Drop, Stay };  // the question's Yes, No and Cancel
    static TypingAnswer askAboutTyping(const QString& question);
    bool typingSettledBeforeHistoryStep(bool undoing);
    bool visitorTypingSettledBeforeHistoryStep(bool undoing);
    // Visitor mode: the fields of the side in force whose typing the step would replace, by
    // identifier, with what was typed; typing that another window has replaced since is not
    // counted.
    QMap<QString, QString> typingTakenBackBy(bool undoing);
    // The typing kept over the step back onto the rebuilt side and its panel, as no edit.
    void putKeptTypingBack(int side);
    // A column already bound to another field of the side is refused with a message; true then.
    bool refuseColumnTaken(int side, const QString& ctrlId, int column) const;
    QString fieldName(int side, const QString& ctrlId) const;
    // Saves the project where it is; says so when it cannot.
    bool saveProject();
    void showRow(int row);
    // The row's cells into the side's panel and elements by their bound columns; every bound
    // element of the side takes the record's value as output gives it.
    void showRowOnSide(int side, int row);
    void putRecordOnBoundElements(int side, int row);
    // Each field's column is the one its element on the side (else on the other side) is bound
    // to; a field without an element is bound to none.
    void followBindingsOfElements(int side);
    int boundColumnOf(int side, const QString& ctrlId) const;
    int bindingSlot(const QString& ctrlId, int side) const;

    SKTWindowController& m_controller;
    QDockWidget* m_pane = nullptr;
    QStackedWidget* m_sides = nullptr;
    QScrollArea* m_scrolls[2] = {nullptr, nullptr};
    Profile_Side_Panel* m_panels[2] = {nullptr, nullptr};
    int m_shownRow = -1;           // the record the panel and the card show
    // Visitor mode: what was last typed into each side's panel fields, by identifier.
    QMap<QString, QString> m_typed[2];
    QMap<QString, QString> m_typingKept;  // typing kept over the undo or redo under way
    QStringList m_typingDropped;           // typing the undo or redo under way takes back
    bool m_programSelects = false;  // a row selected by the program: shown without asking
};

#pragma once
// The side panel of visitor and group modes: the card holder's fixed fields, the photo, the date
// and time, and a row for each text or picture element the design adds, for one side of the
// card. In group mode each field also chooses the workbook column it shows; in visitor mode the
// panel registers the visitor, prints the pass and opens the log. The panel only shows and
// reports: the main window writes what it reports onto the card.
#include <QImage>
#include <QList>
#include <QMap>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

#include "designfile/DesignState.h"
#include "views/visitors/ProfileSidePanel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
namespace Ui {
class Profile_Side_Panel;
}

class Profile_Side_Panel : public QWidget, public ProfileSidePanel {
    Q_OBJECT
public:
    enum class Mode { Visitor, Group };

    // side: 0 front, 1 back.
    explicit Profile_Side_Panel(int side, QWidget* parent = nullptr);
    ~Profile_Side_Panel() override;

    int side() const { return m_side; }
    // A picture view of the panel shows the picture fitted into it; a null picture empties it.
    static void showPicture(QWidget* view, const QImage& picture);
    void setMode(Mode mode);
    Mode mode() const { return m_mode; }

    // Selects the element with the identifier on the side's canvas; false when there is none.
    void setElementSelector(std::function<bool(const QString&)> select) { m_selectElement = std::move(select); }
    // The picture a photo field without a photo shows.
    void setNoPicture(const QImage& picture) { m_noPicture = picture; }

    // ---- ProfileSidePanel ---------------------------------------------------------------------
    // Captions from the caption globals.
    void Refresh_Controls() override;
    // With an identifier, the element it names is selected on the side's canvas first, and
    // nothing more happens when there is none. Then the path field shows the trimmed path and the
    // photo view the picture, or the file's picture when none is given, or nothing for an empty
    // or missing file. One of the program's stand-in pictures (the placeholder, no.png) is no
    // one's photo: the field and the view show none.
    void Set_User_Image_Control(const QString& path, const QImage& picture, const QString& ctrlId) override;
    QList<ProfilePanelRow> view_array_label() const override { return m_labelRows; }
    QList<ProfilePanelRow> view_array_value() const override { return m_valueRows; }
    void clearProfileFields() override;

    // The text box and the shown check box of a fixed field ("Fup_Name" .. "Fup_UniqueNo",
    // "Fup_Date", "Fup_Time") or of a user-added text row; nullptr when there is none. The photo's
    // text box ("Fup_Photo") is its read-only path field.
    QLineEdit* textBox(const QString& ctrlId) const;
    QCheckBox* checkBox(const QString& ctrlId) const;
    // The picture view of a user-added photo row, or nullptr.
    QWidget* Get_Dynamic_Photo_Ctrl(const QString& ctrlId) const;
    QCheckBox* date_manual_chk() const;
    QCheckBox* time_manual_chk() const;
    QString photoPath() const;
    QImage shownPhoto() const { return m_photo; }

    // Replaces the user-added rows (the old rows go first, so a rebuild never doubles them): one
    // per value ("F_field...", a text box) and picture ("F_Photo...", a picture view taking a
    // dropped file, with its Browse… button "F_Photo..._browse"), in the order of their numbers,
    // each under its caption with its shown check box and, in group mode, its column ("..._col",
    // the control's column chosen). A caption
    // ("F_label...") is no row of its own but its value's caption; entries of other identifiers
    // are left out.
    void Rebuild_User_Rows(const QList<DynamicControl>& controls);
    // Keeps the buttons below the user-added rows.
    void Change_btn_location();
    // The kind a field the user adds next is: text ("T"), as every set-up leaves it, or picture.
    void setNewFieldKindToText();
    QString newFieldKind() const;
    // Every field, check box and picture back to empty, and each field open for typing (the date
    // and time only by hand).
    void Reset_Controls();

    // Group mode: the workbook's column titles offered to every field ("None" first), the rows
    // added later included, but for the columns (1 the first title) that are the project's own,
    // which no field is offered.
    void setColumnTitles(const QStringList& titles, const QList<int>& notOffered = {});
    // The column chosen for a fixed field, the photo ("Fup_Photo") or an added row: -1 for none.
    int chosenColumn(const QString& ctrlId) const;
    // A column not offered shows as none.
    void setChosenColumn(const QString& ctrlId, int column);

    // The date and time shown while their manual boxes are off.
    void showDateTime(const QString& date, const QString& time);

Q_SIGNALS:
    // Typed into a text box, as typed.
    void fieldEdited(const QString& ctrlId, const QString& text);
    void fieldShown(const QString& ctrlId, bool shown);
    // Group mode: a column chosen for a field (-1 none).
    void columnChosen(const QString& ctrlId, int column);
    void cameraRequested();
    // The Browse… of the photo ("Fup_Photo") or of an added picture row.
    void photoFileRequested(const QString& ctrlId);
    // A file dropped on an added picture row's view: its path (a URL that names no local file as
    // it stands).
    void photoFileDropped(const QString& ctrlId, const QString& path);
    void registerRequested();
    void passRequested(bool preview);
    void logRequested();
    void addRecordRequested();
    void saveRecordRequested();
    void deleteRecordRequested();
    void viewDataRequested();
    // A field of the kind ("T" text, "P" picture) with this caption, to be added to the side.
    void fieldAddRequested(const QString& kind, const QString& caption);

private:
    struct FixedRow {
        QString ctrlId;
        QLabel* caption = nullptr;
        QCheckBox* shown = nullptr;
        QLineEdit* text = nullptr;
        QComboBox* column = nullptr;
    };
    void buildFixedRows();
    void connectButtons();
    void addFixedRow(const QString& ctrlId, int row);
    const FixedRow* fixedRow(const QString& ctrlId) const;
    const ProfilePanelRow* userRow(const QString& ctrlId) const;
    QComboBox* columnBox(const QString& ctrlId) const;
    // "None" and the column titles offered, as setColumnTitles gave them.
    void fillColumnBox(QComboBox& box) const;
    static void showColumn(QComboBox& box, int column);
    void clearUserRows();
    void showPhoto(const QImage& picture);

    std::unique_ptr<Ui::Profile_Side_Panel> ui;
    int m_side;
    Mode m_mode = Mode::Visitor;
    QList<FixedRow> m_fixed;
    QList<ProfilePanelRow> m_labelRows;
    QList<ProfilePanelRow> m_valueRows;
    QList<QWidget*> m_userWidgets;
    QMap<QString, QComboBox*> m_userColumns;  // the added rows' column boxes, by identifier
    QStringList m_columnTitles;
    QList<int> m_notOffered;
    QImage m_photo;
    QImage m_noPicture;
    std::function<bool(const QString&)> m_selectElement;
};

// The panels of the front and the back, made with the main window before any project starts;
// null before that.
extern Profile_Side_Panel* Front_Profile_Panel_OBJ;
extern Profile_Side_Panel* Back_Profile_Panel_OBJ;

// A photo set through a group project's panel, by Browse… or by the camera, belongs to the record
// shown, whether or not a column was chosen for the photo: on the real window, through another
// record, Save Details and the project opened again, with the project's workbook read by openpyxl.
#include <utility>

#include <QListView>
#include <QPushButton>

#include "GroupPeopleFixture.h"
#include "mainwindow/ProfileWindows.h"
#include "views/profiles/Show_User_Profile.h"
#include "views/series/LoadedDataTableWindow.h"

namespace {

enum class Source { Browse, Camera };

struct ManualPhotoCase {
    Source source;
    bool bound;  // the Photo column chosen for the photo, else none
    const char* name;
};

class GroupManualPhoto : public GroupPeople, public testing::WithParamInterface<ManualPhotoCase> {
protected:
    GroupManualPhoto() { bindPhotoColumn = GetParam().bound; }
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(GroupPeople::SetUp());
        setPhotoWindows(&camera, nullptr, nullptr);
    }
    void TearDown() override
    {
        setPhotoWindows(nullptr, nullptr, nullptr);
        GroupPeople::TearDown();
    }
    void setPhotoInPanel(const QString& path)
    {
        if (GetParam().source == Source::Browse) {
            dialogs.queueOpenFile(path);
            front().findChild<QPushButton*>(QStringLiteral("browse_photo_btn"))->click();
            return;
        }
        camera.path = path;
        messages.queueAnswers({1});  // "No": not saved yet
        front().findChild<QPushButton*>(QStringLiteral("camera_btn"))->click();
    }
    // The panel's photo and the card's photo, which must be one and shown.
    QString photoShown() const
    {
        if (!frontElement("Fup_Photo"))
            return QStringLiteral("(no photo element)");
        EXPECT_TRUE(photoOnCard().ctrl_is_visible);
        EXPECT_EQ(front().photoPath(), photoOnCard()._file_path);
        return photoOnCard()._file_path;
    }
    // The column titles the photo's column chooser lists, and those its keys can reach.
    std::pair<QStringList, QStringList> photoColumnsOffered() const
    {
        const auto* box = front().findChild<QComboBox*>(QStringLiteral("photo_column_box"));
        const auto* list = qobject_cast<const QListView*>(box->view());
        QStringList listed, reached;
        for (int i = 0; i < box->count(); ++i) {
            if (!list->isRowHidden(i))
                listed << box->itemText(i);
            if (box->model()->flags(box->model()->index(i, 0)) & Qt::ItemIsEnabled)
                reached << box->itemText(i);
        }
        return {listed, reached};
    }
    // As an older version wrote the project: its no-picture picture in every empty manual-photo
    // cell of the design file's records.
    void asAnOlderVersionWroteIt()
    {
        const GroupRecords::ManualPhotoColumns manual = GroupRecords::manualPhotoColumns(Loaded_Data_Table().ColList);
        const auto older = TestEnvironment::runPython(
            "import sys, plistlib\n"
            "with open(sys.argv[1], 'rb') as f: items = plistlib.load(f)\n"
            "for row in [row for item in items if isinstance(item, list) for row in item if isinstance(row, dict)]:\n"
            "    row.update({key: sys.argv[2] for key in sys.argv[3:] if row.get(key) == ''})\n"
            "with open(sys.argv[1], 'wb') as f: plistlib.dump(items, f)\n",
            {Project_File_Name, QStringLiteral("/opt/zova-old/build/resources/no.png"),
             Column_Key_For_Index(manual.front), Column_Key_For_Index(manual.back)});
        ASSERT_EQ(older.exitCode, 0) << older.err.toStdString();
    }
    // The Photo the card holder profile window shows.
    QString profilePhoto()
    {
        QString shown = QStringLiteral("(not shown)");
        dialogs.queueHook([&](QDialog& dialog) {
            shown = dialog.findChild<QLineEdit*>(QStringLiteral("image_path_val"))->text();
            controller.profileWindows().sideProfileWindow().Cancel_Btn_Clicked();
        });
        action(QStringLiteral("User_Profile_Button_Clicked")).trigger();
        return shown;
    }
    int viewerColumnCount()
    {
        QString shown;
        dialogs.queueHook([&](QDialog& dialog) { shown = dialog.findChild<QLabel*>(QStringLiteral("column_count"))->text(); });
        front().findChild<QPushButton*>(QStringLiteral("view_data_btn"))->click();
        return shown.toInt();
    }

    TakenPicture camera;
};

}  // namespace

// Record 2 gets its own photo; leaving it asks to save it and record 3 never shows it; Save
// Details writes it into record 2's row (under Photo, or without a chosen column under the
// manual-photo column MFPC, the others' cells empty: no photo); the project opened again (its
// empty cells holding the no-picture path an older version wrote there) shows it on record 2
// alone, the others without a photo in the panel, on the card and in the card holder profile,
// keeps the photo's column choice, and neither offers nor counts MFPC and MBPC as the user's
// columns.
TEST_P(GroupManualPhoto, APhotoSetInThePanelStaysWithItsRecordThroughSaveAndReopen)
{
    const ManualPhotoCase c = GetParam();
    const QString own = visitortest::photoFile(QDir(scratch.path()), QStringLiteral("own.png"), Qt::darkGreen);
    const QString none;  // a record without a photo of its own: an empty cell, no photo
    // What record 3 shows: its Photo cell, or without a column none.
    const QString third = c.bound ? photos[2] : none;
    ASSERT_TRUE(Save_Btn_Clicked(controller));

    clickGroupRow(1);
    setPhotoInPanel(own);
    EXPECT_EQ(photoShown(), own);
    const qsizetype said = messages.texts().size();
    messages.queueAnswers({0});  // "Yes": saved first
    clickGroupRow(2);
    EXPECT_EQ(messages.texts().mid(said).value(0),
              kUnsavedRecordQuestion.arg(QStringLiteral("2 - Person 2"), QStringLiteral("3 - Person 3")));
    EXPECT_EQ(photoShown(), third);
    clickGroupRow(1);
    EXPECT_EQ(photoShown(), own);
    front().findChild<QPushButton*>(QStringLiteral("save_excel_detail_btn"))->click();
    picture(QStringLiteral("group-manual-photo-%1.png").arg(QLatin1String(c.name)));

    // Without a column of the user's, the two manual-photo cells follow.
    const auto cells = [&](const QString& front) { return c.bound ? QString() : u'|' + front + u'|' + none; };
    EXPECT_EQ(workbookRow(1), c.bound ? QStringLiteral("Staff Name|Company|Photo|ID")
                                      : QStringLiteral("Staff Name|Company|Photo|ID|MFPC|MBPC"));
    EXPECT_EQ(workbookRow(2), QStringLiteral("Staff Person 1|Firm 1|%1|ID0001").arg(photos[0]) + cells(none));
    EXPECT_EQ(workbookRow(3), c.bound ? QStringLiteral("Staff Person 2|Firm 2|%1|ID0002").arg(own)
                                      : QStringLiteral("Staff Person 2|Firm 2|%1|ID0002|%2|%3").arg(photos[1], own, none));
    EXPECT_EQ(workbookRow(4), QStringLiteral("Staff Person 3|Firm 3|%1|ID0003").arg(photos[2]) + cells(none));

    if (!c.bound)
        ASSERT_NO_FATAL_FAILURE(asAnOlderVersionWroteIt());
    dialogs.queueOpenFile(Project_File_Name);
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    EXPECT_EQ(photoShown(), c.bound ? photos[0] : none);
    EXPECT_EQ(profilePhoto(), c.bound ? photos[0] : none);
    clickGroupRow(1);
    EXPECT_EQ(photoShown(), own);
    clickGroupRow(2);
    EXPECT_EQ(photoShown(), third);
    picture(QStringLiteral("group-manual-photo-%1-reopened.png").arg(QLatin1String(c.name)));
    EXPECT_EQ(front().chosenColumn(kPhotoFieldId), c.bound ? 3 : -1);
    const QStringList usersColumns{QStringLiteral("None"), QStringLiteral("Name"), QStringLiteral("Company"),
                                   QStringLiteral("Photo"), QStringLiteral("ID")};
    EXPECT_EQ(photoColumnsOffered(), std::make_pair(usersColumns, usersColumns));
    EXPECT_EQ(viewerColumnCount(), 5);

    // The Photo column chosen, then None again: None shows the photos set by hand, where the project
    // keeps any.
    clickGroupRow(1);
    chooseColumn("Fup_Photo", 3);
    EXPECT_EQ(photoShown(), c.bound ? own : photos[1]);
    chooseColumn("Fup_Photo", 0);
    EXPECT_EQ(photoShown(), c.bound ? QString() : own);
    // Any column of the user's may give the photo, the first one too, record by record.
    chooseColumn("Fup_Name", 0);
    chooseColumn("Fup_Photo", 1);
    clickGroupRow(2);
    EXPECT_EQ(photoShown(), QStringLiteral("Person 3"));
}

INSTANTIATE_TEST_SUITE_P(BrowseOrCameraBoundOrNot, GroupManualPhoto,
                         testing::Values(ManualPhotoCase{Source::Browse, true, "browse-bound"},
                                         ManualPhotoCase{Source::Browse, false, "browse-unbound"},
                                         ManualPhotoCase{Source::Camera, true, "camera-bound"},
                                         ManualPhotoCase{Source::Camera, false, "camera-unbound"}),
                         [](const testing::TestParamInfo<ManualPhotoCase>& info) {
                             return QString::fromLatin1(info.param.name).replace(u'-', u'_').toStdString();
                         });

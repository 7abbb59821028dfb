// The side profile dialog opening on a side whose eleven profile fields are bound, with 1,000
// series in the data folder and a loaded table of 50,000 rows by 50 columns: at most 150 ms,
// against setting the same lists and values into the same controls directly.
//   bench_side_profile [rounds]
#include <QApplication>
#include <QDir>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include "data/Data_From_Excel.h"
#include "model/SKTGraphic.h"
#include "model/profiles/User_Profile_Class.h"
#include "platform/AppContext.h"
#include "views/profiles/ProfileFormHost.h"
#include "views/profiles/Show_User_Profile.h"
#include "BenchSupport.h"

namespace {

constexpr int kSeries = 1000;
constexpr int kRows = 50000;
constexpr int kColumns = 50;
constexpr double kOpenTargetMs = 150.0;

class BenchHost : public ProfileFormHost {
public:
    User_Profile_Class& profileRecord(ProfileRecord) override { return record; }
    int Card_Front_Or_Back() const override { return 0; }
    GraphicList graphicsOfSide(int) const override { return elements; }
    void Batch_Series_Button() override {}
    bool Check_And_Validate_File_Path(const QString&) override { return false; }
    void Delete_Excel_File_Temp_Folder() override {}
    QStringList Allowd_Image_fileTypes() const override { return {QStringLiteral("png")}; }
    QImage Show_Profile_Preview(const QString&) override { return {}; }

    User_Profile_Class record;
    GraphicList elements;
};

void fillTable()
{
    Data_From_Excel& table = Loaded_Data_Table();
    for (int column = 1; column <= kColumns; ++column)
        table.ColList.addColumn(Column_Key_For_Index(column), QStringLiteral("Column %1").arg(column));
    QStringList cells;
    for (int column = 0; column < kColumns; ++column)
        cells.append(QString());
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column)
            cells[column] = QStringLiteral("r%1c%2").arg(row).arg(column);
        table.Create_List_By_Array(cells, kColumns);
    }
}

// Half the fields on a series, half on a column, the photo on a column.
GraphicList boundFields()
{
    GraphicList elements;
    const auto& fields = User_Profile_Fields();
    for (int field = 0; field < User_Profile_Field_Count; ++field) {
        const bool photo = field == User_Profile_Photo_Field;
        GraphicPtr element = SKTGraphic::create(photo ? GraphicKind::Image : GraphicKind::Text);
        element->control_ID = QLatin1String(fields[size_t(field)].valueId);
        element->ctrl_is_visible = true;
        element->data_source_type = (field % 2 == 0 || photo) ? 2 : 1;
        element->excel_col_indx = field + 1;
        element->batch_list_name = QStringLiteral("series %1").arg(field * 90, 4, 10, QLatin1Char('0'));
        elements.append(element);
    }
    return elements;
}

}  // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QApplication app(argc, argv);
    const int rounds = countArgument(argc, argv, 7);

    QTemporaryDir folder;
    Data_Folder_Path = folder.path();
    for (int i = 0; i < kSeries; ++i) {
        QFile file(QDir(folder.path()).filePath(QStringLiteral("series %1.txt").arg(i, 4, 10, QLatin1Char('0'))));
        if (!file.open(QIODevice::WriteOnly) || file.write("first\nsecond\n") < 0)
            return 1;
    }
    fillTable();
    BenchHost host;
    host.elements = boundFields();
    Show_User_Profile dialog(host);
    dialog.load_side = QStringLiteral("F");

    // The peer puts the same lists and values into the same controls directly, with no rules run.
    const BenchSide ours{[&] { dialog.Prepare_Wnd(); }};
    const BenchSide peer{[&] {
        const QStringList series = QDir(folder.path()).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
        const QStringList columns = Loaded_Data_Table().ColList.titles();
        for (int field = 0; field < User_Profile_Field_Count; ++field) {
            const ProfileFieldRow& row = dialog.row(field);
            row.ser_col_cb->clear();
            row.ser_col_cb->addItems(field % 2 == 0 ? columns : series);
            row.ser_col_cb->setCurrentIndex(1);
            if (row.value)
                row.value->setText(QStringLiteral("r0c%1").arg(field));
        }
    }};
    const PairedTimings timings = runPairedRounds(Rounds{rounds, 1, 1}, ours, peer);
    printRatio("side_profile_open_11_bound", timings, "the same lists set into the controls directly");
    printBudget("side_profile_open_11_bound", "median ms", timings.ours.median() * 1000.0, kOpenTargetMs, " ms");

    return 0;
}

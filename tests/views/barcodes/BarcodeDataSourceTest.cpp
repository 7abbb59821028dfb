// Where the barcode window's value comes from: typed, the first line of a series in the data
// folder, or a column of the loaded spreadsheet; what each mode offers, and what OK binds.
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "BarcodeWindowFixture.h"
#include "views/inspector/DataSourcePanel.h"
#include "views/series/SeriesValueModel.h"
#include "views/series/View_Data_Series.h"

namespace {

using BarcodeDataSourceTest = BarcodeWindowTest;

QStringList entries(const QComboBox& combo)
{
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts << combo.itemText(i);
    return texts;
}

TEST_F(BarcodeDataSourceTest, TheSourcesOfferedFollowTheModeAndTheSpreadsheetBinding)
{
    const GraphicPtr element = barcode();
    element->Set_Data_source_type(1), element->Set_Batch_List_Name("Staff");
    QStringList offered[3];
    Start_Card_Option = QStringLiteral("V");
    open(*element, [&] {
        offered[0] = entries(combo("Data_source_type"));
        EXPECT_TRUE(control("Batch_Series").isHidden());
        EXPECT_FALSE(control<QLineEdit>("dataText").isReadOnly());
    });
    Start_Card_Option = QStringLiteral("L");
    open(*element, [&] { offered[1] = entries(combo("Data_source_type")); });
    Excel_Binding_Use = true;
    open(*element, [&] { offered[2] = entries(combo("Data_source_type")); });
    EXPECT_EQ(offered[0], QStringList{"Manual"});
    EXPECT_EQ(offered[1], (QStringList{"Manual", "Series"}));
    EXPECT_EQ(offered[2], (QStringList{"Manual", "Series", "Excel"}));
}

TEST_F(BarcodeDataSourceTest, ASeriesOrAColumnGivesTheFirstValueAndOkBindsIt)
{
    Excel_Binding_Use = true;
    const GraphicPtr element = barcode();
    const GraphicPtr series = open(*element, [&] {
        choose("Data_source_type", "Series");
        EXPECT_EQ(entries(combo("Batch_Series")), QStringList{"Staff"});
        choose("Batch_Series", "Staff");
        EXPECT_EQ(control<QLineEdit>("dataText").text(), "E-1001");
        EXPECT_EQ(control<QPlainTextEdit>("dataText_2D").toPlainText(), "E-1001");
        EXPECT_TRUE(control<QLineEdit>("dataText").isReadOnly());
        EXPECT_EQ(factory.values.last(), "E-1001");
        pressOk();
    });
    ASSERT_TRUE(series);
    EXPECT_EQ(series->data_source_type, 1);
    EXPECT_EQ(series->batch_list_name, "Staff");
    EXPECT_EQ(series->batch_list_index, 0);
    EXPECT_EQ(series->barcode.linear_font_val, "E-1001");

    // Opened again, the bound series is chosen and shows its first value.
    const GraphicPtr column = open(*series, [&] {
        EXPECT_EQ(combo("Batch_Series").currentText(), "Staff");
        EXPECT_EQ(control<QLineEdit>("dataText").text(), "E-1001");
        choose("Data_source_type", "Excel");
        choose("Batch_Series", "Badge");
        EXPECT_EQ(control<QLineEdit>("dataText").text(), "B-77");
        pressOk();
    });
    ASSERT_TRUE(column);
    EXPECT_EQ(column->data_source_type, 2);
    EXPECT_TRUE(column->excel_binding);
    EXPECT_EQ(column->excel_col_indx, 2);
    EXPECT_EQ(column->barcode.two_d_font_val, "B-77");
    EXPECT_TRUE(column->batch_list_name.isEmpty());

    // Without the spreadsheet there is no column to offer, least of all the last barcode's.
    Excel_Binding_Use = false;
    open(*column, [&] { EXPECT_EQ(combo("Batch_Series").count(), 0); });
}

// Visitor mode types every value: a barcode bound to a series (or a column) opens on "Manual",
// and OK keeps what was typed, unbound.
TEST_F(BarcodeDataSourceTest, InVisitorModeABoundBarcodeOpensOnManualAndOkTakesTheTypedValue)
{
    Start_Card_Option = QStringLiteral("V");
    Excel_Binding_Use = true;
    const GraphicPtr series = barcode();
    series->Set_Data_source_type(1), series->Set_Batch_List_Name("Staff"), series->Set_Batch_List_Index(0);
    const GraphicPtr column = barcode();
    column->Set_Data_source_type(2), column->Set_Excel_binding_Index(2);
    for (const GraphicPtr& bound : {series, column}) {
        const GraphicPtr typed = open(*bound, [&] {
            EXPECT_EQ(combo("Data_source_type").currentIndex(), 0);
            EXPECT_EQ(combo("Data_source_type").currentText(), "Manual");
            QLineEdit& value = control<QLineEdit>("dataText");
            EXPECT_FALSE(value.isReadOnly());
            value.setText(QStringLiteral("V-207"));
            Q_EMIT value.textEdited(value.text());
            pressOk();
        });
        ASSERT_TRUE(typed) << qPrintable(messages.texts().join(u'|'));
        EXPECT_EQ(typed->data_source_type, 0);
        EXPECT_EQ(typed->barcode.linear_font_val, "V-207");
        EXPECT_EQ(factory.values.last(), "V-207");
    }
    EXPECT_TRUE(messages.texts().isEmpty()) << qPrintable(messages.texts().join(u'|'));
}

TEST_F(BarcodeDataSourceTest, ABindingWithoutASeriesIsRefusedAndNoSeriesEmptiesTheValue)
{
    const GraphicPtr element = barcode();
    const GraphicPtr unchosen = open(*element, [&] {
        choose("Data_source_type", "Series");
        control<QPushButton>("view_series_btn").click();
        pressOk();
        choose("Batch_Series", "Staff");
        control<QPushButton>("view_series_btn").click();
    });
    EXPECT_EQ(unchosen, nullptr);
    EXPECT_EQ(messages.texts(), (QStringList{shown(kSelectSeriesMessage), shown(kSelectSeriesOrColumnMessage)}));
    // The chosen series was shown in the series viewer.
    EXPECT_EQ(View_Data_Series::defaultInstance().ListData().texts(), (QStringList{"E-1001", "E-1002"}));

    QDir(Data_Folder_Path).removeRecursively();
    const GraphicPtr none = open(*element, [&] {
        choose("Data_source_type", "Series");
        EXPECT_TRUE(control<QLineEdit>("dataText").text().isEmpty());
        EXPECT_TRUE(window.previewPicture().isNull());
        EXPECT_EQ(window.copyUnderEdit()->data_source_type, 0) << "the source stays as it was";
        pressCancel();
    });
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(element->barcode.linear_font_val, "0123");
}

// While a bound source has no series or column chosen, the blank preview names what is missing,
// on the 2-D page as on the linear one; any other blank preview keeps its own notice.
TEST_F(BarcodeDataSourceTest, UntilASeriesOrColumnIsChosenTheBlankPreviewSaysSo)
{
    Excel_Binding_Use = true;
    const GraphicPtr element = barcode();
    element->barcode.barcode_font_index = symbology("QR Code");
    element->barcode.two_d_font_val = QStringLiteral("0123");
    open(*element, [&] {
        const QLabel& notice = control<QLabel>("barcode_error_label");
        EXPECT_TRUE(notice.isHidden());
        // The window keeps its size and OK its place as the notice comes and goes.
        QDialog& view = window.view();
        view.show();
        const auto okPlace = [&] {
            view.layout()->activate();
            return std::pair(view.size(), okButton().mapTo(&view, QPoint()));
        };
        const auto before = okPlace();
        choose("Data_source_type", "Series");
        EXPECT_TRUE(window.previewPicture().isNull());
        EXPECT_FALSE(notice.isHidden());
        EXPECT_EQ(notice.text(), kSelectSeriesOrColumnMessage);
        EXPECT_EQ(okPlace(), before);
        choose("Batch_Series", "Staff");
        EXPECT_TRUE(notice.isHidden());
        EXPECT_EQ(okPlace(), before);
        EXPECT_FALSE(window.previewPicture().isNull());
        choose("Data_source_type", "Excel");
        EXPECT_FALSE(notice.isHidden());
        EXPECT_EQ(notice.text(), kSelectSeriesOrColumnMessage);
        choose("Data_source_type", "Manual");
        EXPECT_TRUE(notice.isHidden());
        control<QPlainTextEdit>("dataText_2D").setPlainText(QStringLiteral("Grüße"));
        EXPECT_FALSE(notice.isHidden());
        EXPECT_EQ(notice.text(), "No barcode: the value does not suit this symbology or its settings.");
        pressCancel();
    });
    EXPECT_TRUE(messages.texts().isEmpty()) << qPrintable(messages.texts().join(u'|'));
}

// Notes what the window asks of the card being edited.
class RecordingCanvas : public BarcodeWindowCanvas {
public:
    void Refresh_Canvas() override { ++refreshes; }
    void Set_Selected_Graphic(const SKTGraphic& element) override { reselected << &element; }
    int refreshes = 0;
    QList<const SKTGraphic*> reselected;
};

// A chosen series or column entry redraws the card; Cancel makes the element the side's current
// one again, and OK leaves that to the copy-back.
TEST_F(BarcodeDataSourceTest, AChosenEntryRedrawsTheCardAndCancelMakesTheElementCurrentAgain)
{
    RecordingCanvas card;
    window.setCanvas(&card);
    Excel_Binding_Use = true;
    const GraphicPtr element = barcode();
    open(*element, [&] {
        choose("Data_source_type", "Series");
        EXPECT_EQ(card.refreshes, 0) << "nothing chosen yet";
        choose("Batch_Series", "Staff");
        EXPECT_EQ(card.refreshes, 1);
        choose("Data_source_type", "Excel");
        choose("Batch_Series", "Badge");
        EXPECT_EQ(card.refreshes, 2);
        pressCancel();
    });
    EXPECT_EQ(card.reselected, QList<const SKTGraphic*>{element.get()});
    ASSERT_TRUE(open(*element, [&] { pressOk(); }));
    EXPECT_EQ(card.reselected.size(), 1);
    window.setCanvas(nullptr);
}

}  // namespace

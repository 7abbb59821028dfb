// A group project made from the shipped staff template, whose barcode holds a sample ID: bound in
// the barcode window to the workbook's ID column, as the user guide tells, each record's card
// carries its own person's ID in the exported files (zbarimg).
#include <QDialogButtonBox>

#include "LiveModeRoadFixture.h"
#include "support/CanvasMouse.h"

namespace {

const QString kSampleId = QStringLiteral("NW-0421758");

class GroupTemplateBarcode : public LiveModeRoad {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(LiveModeRoad::SetUp());
        ASSERT_TRUE(QFile::remove(QDir(Resource_Path).filePath(QStringLiteral("Templates/employee/badge (h).did"))));
        ASSERT_NO_FATAL_FAILURE(copyBuiltResources({"Templates/employee/classic blue (h).did", "photo_placeholder.png"}));
        const QString workbook = openpyxlWorkbook(QStringLiteral("staff.xlsx"),
                                                  "ws.append(['Name', 'StaffID'])\n"
                                                  "for n in range(1, 13): ws.append(['Person %d' % n, 'ID%d' % (100000 + n)])\n");
        ASSERT_NO_FATAL_FAILURE(startGroupProject(workbook));
        chooseColumn("Fup_Name", 1);
    }
    GraphicPtr barcode() const
    {
        for (const GraphicPtr& element : controller.graphicView(SKTDocument::FrontSide)->graphics())
            if (element->kind() == GraphicKind::Barcode)
                return element;
        return nullptr;
    }
    // The barcode window opened by a double click, its value taken from the column.
    void bindToColumn(const QString& column)
    {
        bool opened = false;
        dialogs.queueHook([&](QDialog& window) {
            opened = true;
            auto* source = window.findChild<QComboBox*>(QStringLiteral("Data_source_type"));
            source->setCurrentText(QStringLiteral("Excel"));
            auto* columns = window.findChild<QComboBox*>(QStringLiteral("Batch_Series"));
            columns->setCurrentIndex(columns->findText(column));
            Q_EMIT columns->activated(columns->currentIndex());
            window.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        canvas_mouse::doubleClick(*controller.graphicView(SKTDocument::FrontSide), barcode()->bounds().center());
        EXPECT_TRUE(opened);
    }
};

}  // namespace

TEST_F(GroupTemplateBarcode, TheSampleIdBoundToTheIdColumnGivesEachCardItsOwnPersonsId)
{
    ASSERT_TRUE(barcode());
    EXPECT_EQ(barcode()->barcode.linear_font_val, kSampleId) << "the template's sample, until it is bound";
    bindToColumn(QStringLiteral("StaffID"));
    clickGroupRow(8);
    EXPECT_EQ(frontElement("Fup_Name")->Text_Value, "Person 9");

    const QTemporaryDir out;
    const QDir cards = exportRecords(QStringLiteral("PNG"), 1, 12, out);
    for (int n : {1, 9, 12}) {
        const QString front = cards.filePath(QStringLiteral("Card_%1_Front.PNG").arg(n));
        const auto read = TestEnvironment::run(QStringLiteral("zbarimg"), {QStringLiteral("-q"), QStringLiteral("--raw"), front});
        EXPECT_EQ(QString::fromUtf8(read.out).trimmed(), QStringLiteral("ID%1").arg(100000 + n)) << qPrintable(front);
    }
}

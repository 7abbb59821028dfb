// Pictures, on a real X server, of the data-source page of a text bound to a series, of the
// barcode page, and of a locked element's page, with the sample design open at 1280 x 800.
#include <QComboBox>
#include <QFile>
#include <QStandardPaths>

#include "InspectorScreenshots.h"
#include "platform/AppContext.h"

namespace {

TEST_F(InspectorScreenshots, DataSourceBarcodeAndLockedElementPages)
{
    Start_Card_Option = QStringLiteral("L");
    Data_Folder_Path = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath("DataSet");
    ASSERT_TRUE(QDir().mkpath(Data_Folder_Path));
    for (const char* name : {"Staff", "Visitors", "Badge numbers"}) {
        QFile series(QDir(Data_Folder_Path).filePath(QString::fromLatin1(name) + ".txt"));
        ASSERT_TRUE(series.open(QIODevice::WriteOnly));
        series.write("Ada Lovelace\nAlan Turing\n");
    }
    const GraphicList front = sampleFront();
    putOnCard(front);
    showWindow();

    // The title text bound to a series: its first value on the card.
    select(front[0]);
    ASSERT_TRUE(view().showPage(QStringLiteral("datasource_tab")));
    auto* source = view().findChild<QComboBox*>(QStringLiteral("Data_source_type"));
    auto* series = view().findChild<QComboBox*>(QStringLiteral("Batch_Series"));
    source->setCurrentIndex(1);
    series->setCurrentIndex(series->findText(QStringLiteral("Staff")));
    ASSERT_EQ(front[0]->Text_contents(), "Ada Lovelace");
    shoot("datasource_tab", QStringLiteral("element-datasource-1280x800.png"));

    select(front[3]);
    ASSERT_EQ(front[3]->kind(), GraphicKind::Barcode);
    shoot("barcode_tab", QStringLiteral("element-barcode-1280x800.png"));

    front[6]->ctrl_is_locked = true;
    select(front[6]);
    shoot("Lock_tab", QStringLiteral("element-locked-1280x800.png"));

    QDir(Data_Folder_Path).removeRecursively();
    Start_Card_Option = QStringLiteral("T");
}

}  // namespace

// Pictures, on a real X server, of the data-source page of a text bound to a series, of the
// barcode page, and of a locked element's page, with the sample design open at 1280 x 800.
#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "platform/AppContext.h"
#include "probes/SampleCard.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/PropertyInspector.h"

namespace {

QStringList crampedControls(const QWidget& page)
{
    QStringList cramped;
    for (const QWidget* control : page.findChildren<QWidget*>()) {
        if (!control->isVisible() || !(qobject_cast<const QLabel*>(control) || qobject_cast<const QAbstractButton*>(control)))
            continue;
        if (control->width() < control->minimumSizeHint().width())
            cramped << control->objectName();
    }
    return cramped;
}

TEST(InspectorScreenshots, DataSourceBarcodeAndLockedElementPages)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server: ctest runs this under with-display.sh";
    const QTemporaryDir scratch;
    Start_Card_Option = QStringLiteral("L");
    Data_Folder_Path = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath("DataSet");
    ASSERT_TRUE(QDir().mkpath(Data_Folder_Path));
    for (const char* name : {"Staff", "Visitors", "Badge numbers"}) {
        QFile series(QDir(Data_Folder_Path).filePath(QString::fromLatin1(name) + ".txt"));
        ASSERT_TRUE(series.open(QIODevice::WriteOnly));
        series.write("Ada Lovelace\nAlan Turing\n");
    }
    SKTDocument document;
    SKTWindowController controller(document);
    controller.inspector().setUpControls({});
    const GraphicList front = sample::front(QDir(scratch.path()));
    sample::putOnSide(document, SKTDocument::FrontSide, front);
    controller.SetDocumentCanvasSize(QSizeF(242.65, 153.07));
    controller.showWindow();
    controller.window()->showNormal();
    controller.window()->resize(1280, 800);

    SKTGraphicView& canvas = *controller.editedGraphicView();
    InspectorView& view = controller.windowLayout().inspectorView();
    const auto selectElement = [&](int index) {
        controller.inspector().Show_RHS_Properties(nullptr);
        canvas.changeSelectionIndexes({index});
        canvas._Selected_Graphic = front[index];
        controller.inspector().Show_RHS_Properties(front[index].get());
    };
    const QDir artifacts(QStringLiteral(ZOVA_INSPECTOR_ARTIFACT_DIR));
    ASSERT_TRUE(QDir().mkpath(artifacts.path()));
    const auto shoot = [&](const char* page, const char* name) {
        ASSERT_TRUE(view.showPage(QString::fromLatin1(page))) << page;
        QTest::qWait(150);
        EXPECT_TRUE(controller.window()->grab().save(artifacts.filePath(QString::fromLatin1(name)))) << name;
        EXPECT_EQ(crampedControls(*view.page(QString::fromLatin1(page))), QStringList()) << name;
    };

    // The title text bound to a series: its first value on the card.
    selectElement(0);
    ASSERT_TRUE(view.showPage(QStringLiteral("datasource_tab")));
    auto* source = view.findChild<QComboBox*>(QStringLiteral("Data_source_type"));
    auto* series = view.findChild<QComboBox*>(QStringLiteral("Batch_Series"));
    source->setCurrentIndex(1);
    series->setCurrentIndex(series->findText(QStringLiteral("Staff")));
    ASSERT_EQ(front[0]->Text_contents(), "Ada Lovelace");
    shoot("datasource_tab", "element-datasource-1280x800.png");

    selectElement(3);
    ASSERT_EQ(front[3]->kind(), GraphicKind::Barcode);
    shoot("barcode_tab", "element-barcode-1280x800.png");

    front[6]->ctrl_is_locked = true;
    selectElement(6);
    shoot("Lock_tab", "element-locked-1280x800.png");

    QDir(Data_Folder_Path).removeRecursively();
    Start_Card_Option = QStringLiteral("T");
}

}  // namespace

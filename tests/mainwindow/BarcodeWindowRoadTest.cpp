// On the real window with a design open: a double click on its barcode opens the barcode window,
// where the user picks QR Code, types a value and presses OK; the barcode holds that symbol, and
// Undo takes it back. PDF417 shows its symbol in a view of its own.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QSignalSpy>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QPainter>
#include <QRegularExpression>
#include <QSpinBox>

#include "barcodes/BarcodeLists.h"
#include "barcodes/BarcodeText.h"
#include "barcodes/SymbolTools.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/SnapshotUndo.h"
#include "platform/AppContext.h"
#include "support/CanvasMouse.h"
#include "support/InkPixels.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/dialogs/QtDialogPresenter.h"
#include "views/barcodes/Pdf417ViewWidget.h"
#include "views/inspector/PropertyInspector.h"
#include "views/photos/ImageViewDrag.h"

namespace {

class BarcodeWindowRoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Card_Front_Or_Back = 0;
        Start_Card_Option = QStringLiteral("L");
        const QString design = scratch.filePath(QStringLiteral("sample.did"));
        const QString probe = QCoreApplication::applicationDirPath() + QStringLiteral("/design-probe");
        const auto written = TestEnvironment::run(probe, {QStringLiteral("sample"), design});
        ASSERT_EQ(written.exitCode, 0) << written.err.constData();
        controller.inspector().setUpControls({});
        controller.showWindow();
        dialogs.queueOpenFile(design);
        ASSERT_TRUE(Open_Btn_Clicked(controller));
        controller.window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(controller.window()));
    }
    void TearDown() override
    {
        Card_Front_Or_Back = 0;
        Project_File_Name.clear();
        Start_Card_Option = QStringLiteral("T");
    }

    // The front side's barcode as the side now holds it: an Undo puts new elements in place.
    GraphicPtr frontBarcode() const
    {
        for (const GraphicPtr& graphic : document.graphics()) {
            if (graphic->kind() == GraphicKind::Barcode)
                return graphic;
        }
        return nullptr;
    }
    void doubleClick(const SKTGraphic& graphic) const
    {
        canvas_mouse::doubleClick(*controller.editedGraphicView(), graphic.bounds().center());
    }
    QAction& action(const char* name) const { return *controller.window()->findChild<QAction*>(QString::fromLatin1(name)); }

    QTemporaryDir scratch;
    SKTDocument document;
    SKTWindowController controller{document};
    ScriptedDialogPresenter dialogs;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope{messages};
};

TEST_F(BarcodeWindowRoadTest, ADoubleClickedBarcodeBecomesAQrCodeOnOkAndUndoTakesItBack)
{
    const GraphicPtr barcode = frontBarcode();
    ASSERT_TRUE(barcode);
    const BarcodeSettings before = barcode->barcode;
    const QSizeF pictureBefore = barcode->_barcode_image.size();
    // The opened side recorded again and again is still the one step it was: an Undo after the
    // edit below must not be spent on a side that only archived to other bytes.
    SnapshotUndo& history = controller.canvasHostOfWindow().snapshotUndo();
    for (int round = 0; round < 100; ++round)
        history.Insert_In_Undo_Redo();
    EXPECT_EQ(history.Get_Undo_Count(), 1);
    const QString value = QStringLiteral("ZOVA-ID-0042");
    bool opened = false;
    dialogs.queueHook([&](QDialog& window) {
        opened = true;
        auto* symbology = window.findChild<QComboBox*>(QStringLiteral("barcodeTypePopup"));
        symbology->setCurrentIndex(symbology->findText(QStringLiteral("QR Code")));
        auto* field = window.findChild<QPlainTextEdit*>(QStringLiteral("dataText_2D"));
        field->selectAll();
        QTest::keyClicks(field, value);
        window.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    doubleClick(*barcode);

    ASSERT_TRUE(opened);
    EXPECT_EQ(barcode->barcode.barcode_font_index, int(symbologyTitles().indexOf(QStringLiteral("QR Code"))));
    EXPECT_EQ(barcode->barcode.linear_or_2d, 1);
    EXPECT_EQ(barcode->barcode.two_d_font_val, value);
    EXPECT_FALSE(barcode->_barcode_image.isNull());
    EXPECT_EQ(barcode->bounds().size(), barcode->_barcode_image.size());
    EXPECT_TRUE(messages.texts().isEmpty());

    ASSERT_TRUE(action("Undo_btn").isEnabled());
    const int undoCountBefore = history.Get_Undo_Count();
    action("Undo_btn").trigger();
    const GraphicPtr undone = frontBarcode();
    ASSERT_TRUE(undone);
    EXPECT_TRUE(undone->barcode == before)
        << "side " << Card_Front_Or_Back << ", undo snapshots " << undoCountBefore << " then "
        << history.Get_Undo_Count() << ", redo snapshots " << history.Get_Redo_Count();
    EXPECT_EQ(undone->_barcode_image.size(), pictureBefore);
}

// The same road on an X server with the dialog run as the application runs it: the window shows
// the page of each symbology picked, and its pictures and the card's go to the test artifacts.
TEST_F(BarcodeWindowRoadTest, OnAnXServerTheWindowShowsEachPageAndItsQrCodeReachesTheCard)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server: ctest runs this under with-display.sh";
    const QDir artifacts(QStringLiteral(ZOVA_BARCODES_ARTIFACT_DIR));
    ASSERT_TRUE(QDir().mkpath(artifacts.path()));
    const auto shoot = [&](const QWidget& window, const QString& file) {
        QTest::qWait(300);
        const QRect area(window.mapToGlobal(QPoint(0, 0)), window.size());
        EXPECT_TRUE(window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                        .save(artifacts.filePath(file)));
    };
    const GraphicPtr barcode = frontBarcode();
    ASSERT_TRUE(barcode);
    const BarcodeSettings before = barcode->barcode;
    const QString value = QStringLiteral("ZOVA-ID-0042");

    QtDialogPresenter real;
    setDialogPresenter(&real);
    bool worked = false;
    QTimer::singleShot(0, [&] {
        QDialog* window = nullptr;
        ASSERT_TRUE(QTest::qWaitFor([&] { return (window = qobject_cast<QDialog*>(QApplication::activeModalWidget())); }));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        auto* symbology = window->findChild<QComboBox*>(QStringLiteral("barcodeTypePopup"));
        const auto shown = [window](const char* name) {
            return window->findChild<QWidget*>(QString::fromLatin1(name))->isVisible();
        };
        for (int i = 0; i < symbology->count(); ++i) {
            symbology->setCurrentIndex(i);
            const QString title = symbology->currentText();
            SCOPED_TRACE(title.toStdString());
            EXPECT_EQ(shown("linear_sett_box"), !isTwoDimensionalSymbology(title));
            EXPECT_EQ(shown("two_d_sett_box"), title == QLatin1String("QR Code"));
            EXPECT_EQ(shown("pdf_2d_sett_box"), title == QLatin1String("PDF417"));
            EXPECT_EQ(shown("dm_2d_sett_box"), title == QLatin1String("DataMatrix"));
            EXPECT_EQ(window->findChild<QTabWidget*>(QStringLiteral("sett_tab"))->count(),
                      isTwoDimensionalSymbology(title) ? 3 : 2);
        }
        auto* field = window->findChild<QPlainTextEdit*>(QStringLiteral("dataText_2D"));
        // PDF417 shows its symbol alone in its box, the framed picture in the preview.
        symbology->setCurrentIndex(symbology->findText(QStringLiteral("PDF417")));
        field->selectAll();
        QTest::keyClicks(field, value);
        EXPECT_TRUE(shown("pdf_barcode"));
        shoot(*window, QStringLiteral("road-window-pdf417.png"));
        symbology->setCurrentIndex(symbology->findText(QStringLiteral("QR Code")));
        field->selectAll();
        QTest::keyClicks(field, value);
        shoot(*window, QStringLiteral("road-window-qrcode.png"));
        worked = true;
        window->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    doubleClick(*barcode);
    setDialogPresenter(&dialogs);

    ASSERT_TRUE(worked);
    EXPECT_EQ(barcode->barcode.two_d_font_val, value);
    EXPECT_EQ(barcode->bounds().size(), barcode->_barcode_image.size());
    shoot(*controller.window(), QStringLiteral("road-card-with-qrcode.png"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return action("Undo_btn").isEnabled(); }));
    action("Undo_btn").trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return frontBarcode()->barcode == before; }))
        << "symbology " << frontBarcode()->barcode.barcode_font_index << ", value "
        << frontBarcode()->barcode.two_d_font_val.toStdString();
}

// PDF417 chosen on the real window: its view shows the symbol of the value typed, the captions of
// the bar fields follow the page, and the preview takes a file dragged onto it as a copy.
TEST_F(BarcodeWindowRoadTest, APdf417ShowsItsSymbolInItsViewAndTheCaptionsFollowThePage)
{
    const GraphicPtr barcode = frontBarcode();
    ASSERT_TRUE(barcode);
    const QString value = QStringLiteral("ZOVA-ID-0417");
    const auto captions = [](QDialog& window) {
        return window.findChild<QLabel*>(QStringLiteral("barHeightLabel"))->text() + u'|' +
               window.findChild<QGroupBox*>(QStringLiteral("margin_box"))->title();
    };
    QImage symbol;
    dialogs.queueHook([&](QDialog& window) {
        EXPECT_EQ(captions(window), "Bar Height (mm):|Margins (mm)");
        auto* preview = window.findChild<QLabel*>(QStringLiteral("barcodeImage"));
        const QUrl photo = QUrl::fromLocalFile(scratch.filePath(QStringLiteral("photo.png")));
        QMimeData offered;
        offered.setUrls({photo});
        QDragEnterEvent entering(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &offered, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(preview, &entering);
        EXPECT_TRUE(entering.isAccepted());
        EXPECT_EQ(entering.dropAction(), Qt::CopyAction);
        EXPECT_EQ(ImageViewDrag::fileURL(*preview), photo);

        auto* symbology = window.findChild<QComboBox*>(QStringLiteral("barcodeTypePopup"));
        symbology->setCurrentIndex(symbology->findText(QStringLiteral("PDF417")));
        EXPECT_EQ(captions(window), "Bar Height :|Margins (mm)");
        auto* field = window.findChild<QPlainTextEdit*>(QStringLiteral("dataText_2D"));
        field->selectAll();
        QTest::keyClicks(field, value);
        auto* view = window.findChild<Pdf417ViewWidget*>(QStringLiteral("pdf_barcode"));
        EXPECT_TRUE(view->isVisibleTo(&window));
        EXPECT_EQ(view->size(), QSize(barcode->barcode.pdf_wdt_val, barcode->barcode.pdf_hgt_val));
        symbol = view->getImage();
        window.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    doubleClick(*barcode);
    EXPECT_EQ(barcode->barcode.barcode_font_index, int(symbologyTitles().indexOf(QStringLiteral("PDF417"))));
    EXPECT_EQ(symbol_tools::readPicture(symbol, scratch.filePath(QStringLiteral("view.png")), QStringLiteral("PDF417")).text,
              value);
    EXPECT_TRUE(messages.texts().isEmpty());
}

// Choosing a series entry in the window redraws the card; after Cancel the barcode is the side's
// current element again, whatever the canvas did meanwhile; after OK the handles stand on the
// barcode's new frame.
TEST_F(BarcodeWindowRoadTest, CancelKeepsTheBarcodeCurrentAndOkMovesItsHandlesToItsNewFrame)
{
    const QString dataFolder = Data_Folder_Path;
    Data_Folder_Path = scratch.filePath(QStringLiteral("DataSet"));
    ASSERT_TRUE(QDir().mkpath(Data_Folder_Path));
    QFile series(QDir(Data_Folder_Path).filePath(QStringLiteral("Staff.txt")));
    ASSERT_TRUE(series.open(QIODevice::WriteOnly));
    series.write("E-1001\n");
    series.close();
    const GraphicPtr barcode = frontBarcode();
    ASSERT_TRUE(barcode);
    SKTGraphicView& canvas = *controller.editedGraphicView();
    QSignalSpy redraws(&controller, &SKTWindowController::canvasRefreshRequested);
    int redrawsOnChoice = -1;
    dialogs.queueHook([&](QDialog& window) {
        auto* source = window.findChild<QComboBox*>(QStringLiteral("Data_source_type"));
        source->setCurrentIndex(source->findText(QStringLiteral("Series")));
        const int before = int(redraws.count());
        auto* entries = window.findChild<QComboBox*>(QStringLiteral("Batch_Series"));
        entries->setCurrentIndex(entries->findText(QStringLiteral("Staff")));
        redrawsOnChoice = int(redraws.count()) - before;
        canvas._Selected_Graphic.reset();
        window.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    });
    doubleClick(*barcode);
    EXPECT_EQ(redrawsOnChoice, 1);
    EXPECT_EQ(canvas._Selected_Graphic, barcode);
    EXPECT_EQ(barcode->data_source_type, 0);

    const QRectF old = barcode->bounds();
    dialogs.queueHook([&](QDialog& window) {
        auto* symbology = window.findChild<QComboBox*>(QStringLiteral("barcodeTypePopup"));
        symbology->setCurrentIndex(symbology->findText(QStringLiteral("QR Code")));
        window.findChild<QPlainTextEdit*>(QStringLiteral("dataText_2D"))->setPlainText(QStringLiteral("ZOVA"));
        window.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    doubleClick(*barcode);
    const QRectF now = barcode->bounds();
    ASSERT_NE(now.right(), old.right());
    const QImage shown = canvas.grab().toImage();
    const auto knob = [&](QPointF card) { return shown.pixelColor((card * canvas.zoomFactor()).toPoint()); };
    const QColor knobColour(56, 117, 215);
    EXPECT_EQ(knob(now.topLeft()), knobColour);
    EXPECT_EQ(knob(now.topRight()), knobColour);
    EXPECT_NE(knob(old.topRight()), knobColour);
    EXPECT_EQ(canvas._Selected_Graphic, barcode);
    Data_Folder_Path = dataFolder;
}

// A name typed as the footer of a QR Code narrower than it reaches the card whole, on one line,
// and the symbol still reads.
TEST_F(BarcodeWindowRoadTest, AFooterWiderThanItsQrCodeReachesTheCardWhole)
{
    const GraphicPtr barcode = frontBarcode();
    ASSERT_TRUE(barcode);
    const QString footer = QStringLiteral("Ada Lovelace");
    dialogs.queueHook([&](QDialog& window) {
        auto* symbology = window.findChild<QComboBox*>(QStringLiteral("barcodeTypePopup"));
        symbology->setCurrentIndex(symbology->findText(QStringLiteral("QR Code")));
        auto* value = window.findChild<QPlainTextEdit*>(QStringLiteral("dataText_2D"));
        value->selectAll();
        QTest::keyClicks(value, QStringLiteral("0042"));
        auto* hidden = window.findChild<QCheckBox*>(QStringLiteral("hideFooterCheckbox"));
        if (hidden->isChecked())
            hidden->click();
        auto* field = window.findChild<QLineEdit*>(QStringLiteral("FooterText"));
        field->selectAll();
        QTest::keyClicks(field, footer);
        window.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    doubleClick(*barcode);
    ASSERT_EQ(barcode->barcode.footer_val, footer);
    QRectF whole;
    for (const QPainterPath& glyph :
         barcodeTextAtPoint(footer, barcode->barcode.footer_font_val, kBarcodeTextSpacing, {}))
        whole = whole.united(glyph.boundingRect());
    const QImage card = barcode->_barcode_image.toImage(288);
    const QRectF ink = inkOfOuterLine(card, false, 4);
    EXPECT_NEAR(ink.width(), whole.width(), 0.75) << "both words on the footer's line";
    EXPECT_EQ(symbol_tools::readPicture(card, scratch.filePath(QStringLiteral("qr.png")), QStringLiteral("QRCode")).text,
              QStringLiteral("0042"));
}

}  // namespace

// The barcode window's Data Matrix width and height show the symbol the card gets: its size as
// ZXing finds it on the card's picture, for rectangular, square and automatic sizes.
TEST_F(BarcodeWindowRoadTest, TheDataMatrixWidthAndHeightShowTheSymbolOnTheCard)
{
    const struct { const char* format; int module; QSize expected; } cases[] = {
        {"C8X18", 2, {36, 16}}, {"C12X12", 2, {24, 24}}, {"C16X16", 3, {48, 48}}, {"Auto", 2, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        const GraphicPtr barcode = frontBarcode();
        ASSERT_TRUE(barcode);
        QSize shown;
        dialogs.queueHook([&](QDialog& window) {
            const auto choose = [&window](const char* combo, const char* text) {
                auto* box = window.findChild<QComboBox*>(QString::fromLatin1(combo));
                box->setCurrentIndex(box->findText(QString::fromLatin1(text)));
            };
            choose("barcodeTypePopup", "DataMatrix");
            auto* field = window.findChild<QPlainTextEdit*>(QStringLiteral("dataText_2D"));
            field->selectAll();
            QTest::keyClicks(field, QStringLiteral("ZV-42"));
            window.findChild<QSpinBox*>(QStringLiteral("dm_moduleText_2D"))->setValue(c.module);
            choose("dm_format_ComboBox", c.format);
            shown = QSize(window.findChild<QSpinBox*>(QStringLiteral("dm_widthText_2D"))->value(),
                          window.findChild<QSpinBox*>(QStringLiteral("dm_HeightText_2D"))->value());
            window.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        doubleClick(*barcode);
        EXPECT_EQ(messages.texts(), QStringList());
        if (!c.expected.isEmpty()) {
            EXPECT_EQ(shown, c.expected);
        }

        // The card's picture at 8 pixels a point on a white ground with a quiet zone, for ZXing.
        QImage symbol = frontBarcode()->_barcode_image.toImage(8 * 72);
        symbol.setDevicePixelRatio(1);
        ASSERT_FALSE(symbol.isNull());
        QImage ground(symbol.size() + QSize(160, 160), QImage::Format_RGB32);
        ground.fill(Qt::white);
        QPainter(&ground).drawImage(80, 80, symbol);
        const QString file = scratch.filePath(QStringLiteral("dm.png"));
        ASSERT_TRUE(ground.save(file));
        const auto read = TestEnvironment::run(QStringLiteral("ZXingReader"), {file});
        const QString out = QString::fromUtf8(read.out);
        EXPECT_TRUE(out.contains(QStringLiteral("\"ZV-42\""))) << qPrintable(out);
        const QRegularExpressionMatch corners =
            QRegularExpression(QStringLiteral("Position:\\s+(\\d+)x(\\d+) (\\d+)x(\\d+) (\\d+)x(\\d+)")).match(out);
        ASSERT_TRUE(corners.hasMatch()) << qPrintable(out);
        const auto at = [&corners](int n) { return corners.captured(n).toInt(); };
        // ZXing's corners lie inside the outer modules: a module short of the symbol's size.
        const QSizeF found((at(3) - at(1)) / 8.0, (at(6) - at(4)) / 8.0);
        EXPECT_NEAR(found.width(), shown.width() - c.module, c.module);
        EXPECT_NEAR(found.height(), shown.height() - c.module, c.module);
    }
}

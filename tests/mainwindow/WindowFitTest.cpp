// Every window the main window opens, each of its pages and the states a user brings it to (after
// Preview, after another window), as the program runs them (the Qt dialogs, the title keeper and
// the screen keeper in force) under a window manager on a small and a large screen: none is
// narrower than its layout, no laid-out widget lies over another, and each lies on the screen.
// One table lists them; a "…" command of the window missing from it fails the test. Pictures of
// each state, with the window manager's frame, go to test-artifacts/windows.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QGraphicsView>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWizard>
#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/MainWindowUtilities.h"
#include "mainwindow/ProfileWindows.h"
#include "mainwindow/StartChooser.h"
#include "mainwindow/VisitorCommands.h"
#include "mainwindow/WizardStartWindows.h"
#include "platform/DialogPresenter.h"
#include "support/CanvasMouse.h"
#include "support/FakeCameraSource.h"
#include "support/WidgetParts.h"
#include "support/WindowFit.h"
#include "support/WindowFrame.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/dialogs/QtDialogPresenter.h"
#include "views/dialogs/WindowKeepers.h"
#include "views/photos/Camera.h"
#include "views/photos/Cropping_Tool.h"
#include "views/photos/Image_Library.h"
#include "views/photos/PhotoWindows.h"
#include "views/wizards/WizardFields.h"
#include "../views/print/StandInPrinters.h"

namespace {

using Step = std::function<void(QWidget& window)>;

// A state of a window: how the user brings it there from the state before.
struct State {
    QString name;
    Step step;  // none: as the window opens
};

// A window, opened from the main window (or from the window of the row before, when opened
// from it), with the states it is checked in, in order.
struct WindowRow {
    QString name;
    std::function<void(QWidget* parent)> open;
    QList<State> states{{QStringLiteral("opened"), {}}};
    QList<WindowRow> inner;  // windows opened from this one, each checked and closed in turn
};

Step click(const char* button)
{
    return [button](QWidget& window) { part<QAbstractButton>(window, button).click(); };
}

// Opens a window from a button of the window it is opened from.
std::function<void(QWidget*)> opens(const char* button)
{
    return [button](QWidget* parent) { part<QAbstractButton>(*parent, button).click(); };
}

class WindowFit : public MainWindowFixture {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs an X server with a window manager: ctest runs it at two screen sizes";
        artifacts = QStringLiteral(ZOVA_WINDOWS_ARTIFACT_DIR);
        QDir().mkpath(artifacts);
        // As the program starts.
        installWindowKeepers(*qApp);
        setPhotoWindows(&camera, &library, &cropping);
        ASSERT_NO_FATAL_FAILURE(openSampleWithStaffSeries(("Ada Lovelace\nGrace Hopper\n")));
        setDialogPresenter(&qtDialogs);
    }
    void TearDown() override
    {
        setDialogPresenter(&dialogs);
        setPhotoWindows(nullptr, nullptr, nullptr);
        MainWindowFixture::TearDown();
    }

    QAction& command(const char* name) const { return action(QString::fromLatin1(name)); }
    // Opens the window with the command; the command counts as checked.
    std::function<void(QWidget*)> trigger(const char* name)
    {
        triggered << QString::fromLatin1(name);
        return [this, name](QWidget*) { command(name).trigger(); };
    }
    // Selects the sample's element of that kind and shows an inspector page; a button on it opens.
    std::function<void(QWidget*)> fromPage(GraphicKind kind, const char* page, const char* button)
    {
        return [this, kind, page, button](QWidget*) {
            for (const GraphicPtr& graphic : document.graphics()) {
                if (graphic->kind() == kind) {
                    canvas_mouse::drag(*controller.editedGraphicView(), graphic->bounds().center(),
                                       graphic->bounds().center());
                    break;
                }
            }
            ASSERT_TRUE(inspector().showPage(QString::fromLatin1(page)));
            control<QAbstractButton>(button).click();
        };
    }

    // Opens the row's window, checks and pictures each state and the windows opened from it, and
    // closes it. The faults found, as "row / state: fault".
    void visit(const WindowRow& row, QWidget* parent, const QString& prefix = {})
    {
        // Without a window manager every later window would wait for its frame in vain.
        if (HasFailure())
            return;
        const QString name = prefix + row.name;
        QList<QWidget*> before;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible())
                before << top;
        bool checked = false;
        // Polled, not waited for: a command may run events of its own before its window shows.
        QTimer poll;
        poll.setInterval(50);
        QElapsedTimer waited;
        waited.start();
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* window = nullptr;
            for (QWidget* top : QApplication::topLevelWidgets()) {
                // A frameless panel (the please-wait panel over a read) is no window a user moves.
                if (top->isVisible() && !before.contains(top) && top->windowType() != Qt::Popup
                    && top->windowType() != Qt::ToolTip && !top->windowFlags().testFlag(Qt::FramelessWindowHint))
                    window = top;
            }
            if (!window) {
                if (waited.elapsed() > 5000) {
                    poll.stop();
                    faults << name + QStringLiteral(": no window came up ") + messages.texts().join(u'|');
                    checked = true;
                }
                return;
            }
            poll.stop();
            for (const State& state : row.states) {
                try {
                    if (state.step)
                        state.step(*window);
                } catch (const std::exception& e) {
                    faults << name + QStringLiteral(" / ") + state.name + QStringLiteral(": ") + QString::fromUtf8(e.what());
                }
                const QMargins frame = showFramed(*window, 250);
                for (const QString& fault : windowFaults(*window))
                    faults << name + QStringLiteral(" / ") + state.name + QStringLiteral(": ") + fault;
                const QSize screen = window->screen()->size();
                grabFramed(*window, frame)
                    .save(QDir(artifacts).filePath(QStringLiteral("%1-%2-%3x%4.png")
                                                       .arg(name, state.name)
                                                       .arg(screen.width())
                                                       .arg(screen.height())));
            }
            for (const WindowRow& inner : row.inner)
                visit(inner, window, name + QStringLiteral("."));
            if (auto* dialog = qobject_cast<QDialog*>(window))
                dialog->reject();
            window->close();
            checked = true;
        });
        poll.start();
        row.open(parent);
        if (!QTest::qWaitFor([&] { return checked; }, 20000))
            faults << name + QStringLiteral(": its check never ended");
    }

    QString artifacts;
    QStringList faults;
    QStringList triggered;
    QtDialogPresenter qtDialogs;
    StandInPrinters printers;
    WizardStartWindows startWindows;
    FakeCameraSource cameras;
    Cropping_Tool cropping{{controller.Allowd_Image_fileTypes, &Image_Is_Over_Size, &cameras}};
    Camera camera{cameras, {[] { return QDir::tempPath(); }, {}, {}}};
    Image_Library library;
};

}  // namespace

TEST_F(WindowFit, EveryWindowPageAndStateFitsTheScreen)
{
    const QString seals = QDir(TestEnvironment::resourceDir()).filePath(QStringLiteral("LibraryImage/seals"));
    const Step nextWithSeals = [&](QWidget& window) {
        part<QAbstractButton>(window, "input_folder_radio").click();
        part<QLineEdit>(window, "folder_path").setText(seals);
        part<QLineEdit>(window, "output_path").setText(scratch.path());
        part<QAbstractButton>(window, "Next_Btn").click();
    };
    const QString workbook = scratch.filePath(QStringLiteral("staff.xlsx"));
    const auto made = TestEnvironment::runPython("import sys, openpyxl\n"
                                                 "wb = openpyxl.Workbook()\n"
                                                 "wb.active.append(['Name', 'Photo', 'Number'])\n"
                                                 "wb.active.append(['Ada Lovelace', 'ada.png', '1'])\n"
                                                 "wb.save(sys.argv[1])\n",
                                                 {workbook});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();
    const Step nextPage = [](QWidget& window) { qobject_cast<QWizard*>(&window)->next(); };
    // The print preview shows the whole sheet, spanning most of the preview's height or width.
    const Step wholeSheetInView = [](QWidget& window) {
        QTest::qWait(100);
        const QGraphicsView& view = *window.findChild<QPrintPreviewWidget*>()->findChild<QGraphicsView*>();
        const QRect sheet = view.mapFromScene(view.scene()->itemsBoundingRect()).boundingRect();
        const QRect room = view.viewport()->rect();
        EXPECT_TRUE(room.adjusted(-2, -2, 2, 2).contains(sheet)) << "the whole sheet in view";
        EXPECT_GE(std::max(double(sheet.height()) / room.height(), double(sheet.width()) / room.width()), 0.8);
        EXPECT_GE(room.height(), window.screen()->availableGeometry().height() / 2) << "no strip";
    };
    const QList<WindowRow> rows{
        {QStringLiteral("export-sheet"), trigger("Export_Button")},
        {QStringLiteral("print-window"), trigger("Print_Button"), {{QStringLiteral("opened"), {}}},
         {{QStringLiteral("add-profile"), opens("Add_profile_btn")},
          {QStringLiteral("print-preview"), opens("PreviewButton"), {{QStringLiteral("opened"), wholeSheetInView}}}}},
        {QStringLiteral("mail-window"), trigger("Mail_Button")},
        {QStringLiteral("mail-settings"), trigger("Mail_Settings_Button")},
        {QStringLiteral("series-manager"), trigger("Batch_Series_Button"),
         {{QStringLiteral("opened"), {}}, {QStringLiteral("new-series"), click("AddNew_Btn")}},
         {{QStringLiteral("generator"), opens("CreateSeries_Btn")}, {QStringLiteral("import"), opens("Import_Btn")}}},
        {QStringLiteral("series-generator"), trigger("Create_Series_Button")},
        {QStringLiteral("import-data"), trigger("Import_Wizard_Button"),
         {{QStringLiteral("spreadsheet"), {}},
          {QStringLiteral("text-file"), click("Text_RD")},
          {QStringLiteral("typed"), click("Mnul_RD")},
          {QStringLiteral("folder"), click("Image_RD")}},
         {{QStringLiteral("spreadsheet-columns"), [&](QWidget* wizard) {
               part<QAbstractButton>(*wizard, "Excel_RD").click();
               part<QLineEdit>(*wizard, "Excel_path").setText(workbook);
               part<QDialogButtonBox>(*wizard, "buttons").button(QDialogButtonBox::Ok)->click();
           }}}},
        {QStringLiteral("units"), trigger("doPreferences")},
        {QStringLiteral("grid"), trigger("toggleGridShowing")},
        {QStringLiteral("export-as-template"), trigger("Export_As_Template_Clicked")},
        {QStringLiteral("promotion-barcode-maker"), trigger("Promotion_B")},
        {QStringLiteral("promotion-label-designer"), trigger("Promotion_L")},
        {QStringLiteral("promotion-visitor-desk"), trigger("Promotion_V")},
        {QStringLiteral("open-panel"), trigger("Open_Btn_Clicked")},
        {QStringLiteral("save-as-panel"), trigger("SaveAs_Btn_Clicked")},
        {QStringLiteral("camera"), fromPage(GraphicKind::Image, "image_tab", "Open_Camera_btn")},
        {QStringLiteral("picture-library"), fromPage(GraphicKind::Image, "image_tab", "Manual_Library_Browse_btn")},
        {QStringLiteral("picture-crop"), fromPage(GraphicKind::Image, "image_tab", "Cropping_Selected_Image_btn")},
        // After the picture page's Crop…, the tool's first page and its second, larger one.
        {QStringLiteral("crop-a-photo"), trigger("Cropping_Tool_Clicked"),
         {{QStringLiteral("page1"), {}}, {QStringLiteral("page2"), nextWithSeals}}},
        {QStringLiteral("card-holder-profile"), trigger("User_Profile_Button_Clicked"),
         {{QStringLiteral("opened"), {}}, {QStringLiteral("after-preview"), click("preview_btn")}},
         {{QStringLiteral("series-manager"), opens("batch_series_btn")}}},
        // The profile window again, after the series manager and a preview.
        {QStringLiteral("card-holder-profile-again"), trigger("User_Profile_Button_Clicked"),
         {{QStringLiteral("opened"), {}}, {QStringLiteral("after-preview"), click("preview_btn")}}},
        {QStringLiteral("card-background-library"), [this](QWidget*) { controller.canvasHostOfWindow().Card_Bckgrnd_Clicked(); }},
        {QStringLiteral("barcode-settings"), fromPage(GraphicKind::Barcode, "barcode_tab", "view_barcode_prop_btn")},
        {QStringLiteral("series-viewer"),
         [this](QWidget*) {
             bindSampleTitleTo(QStringLiteral("Staff"));
             control<QAbstractButton>("view_series_btn").click();
         }},
        {QStringLiteral("visitor-log"), [this](QWidget*) { Open_Visitor_Log(controller); }},
        // The start windows, as the start chooser opens them.
        {QStringLiteral("start-chooser"),
         [this](QWidget*) {
             StartChooser chooser(controller.window());
             dialogPresenter().runModal(chooser);
         }},
        {QStringLiteral("template-window"),
         [this](QWidget*) {
             Template_Wizard_Fields fields;
             startWindows.Open_Template_Window(controller.window(), fields);
         }},
        {QStringLiteral("card-wizard"),
         [this](QWidget*) {
             Card_Wizard_Fields fields;
             startWindows.Card_Wizard_Open_Wnd(controller, fields);
         },
         {{QStringLiteral("page1"), {}},
          {QStringLiteral("page2"), nextPage},
          {QStringLiteral("page3"), nextPage},
          {QStringLiteral("page4"), nextPage}}},
        {QStringLiteral("group-mode-wizard"), [this](QWidget*) { startWindows.Group_Mode_Wizard_Open_Wnd(controller); }},
        // The whole card's profile window, which the card wizard opens.
        {QStringLiteral("card-profile"),
         [this](QWidget*) { controller.profileWindows().Open_User_Profile_Window(false, QString(), QStringLiteral("2")); },
         {{QStringLiteral("opened"), {}}, {QStringLiteral("after-preview"), click("preview_btn")}}},
    };
    // Commands that open no window of the program: the mail program and the web.
    const QStringList outside{QStringLiteral("Open_Support_Mail"), QStringLiteral("Open_Reseller_Mail")};
    for (const QAction* item : controller.window()->findChildren<QAction*>()) {
        if (item->text().endsWith(QChar(0x2026)) && !outside.contains(item->objectName()))
            EXPECT_TRUE(triggered.contains(item->objectName()))
                << item->objectName().toStdString() << " opens a window the table does not list";
    }
    for (const WindowRow& row : rows)
        visit(row, controller.window());
    EXPECT_EQ(faults.join(u'\n').toStdString(), "");
}

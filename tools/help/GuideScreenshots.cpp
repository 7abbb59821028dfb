#include "GuideScreenshots.h"
#include "ShownPaths.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTimer>
#include <QElapsedTimer>
#include <QFile>
#include <deque>
#include <functional>

#include "data/SpreadsheetWriter.h"
#include "designfile/DesignFile.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/LiveModePanels.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/MainWindowUtilities.h"
#include "mainwindow/StartDispatch.h"
#include "mainwindow/StartWindows.h"
#include "mainwindow/ToolCommands.h"
#include "mainwindow/VisitorCommands.h"
#include "mainwindow/WizardStartWindows.h"
#include "photos/CameraSource.h"
#include "views/inspector/InspectorView.h"
#include "views/photos/Camera.h"
#include "views/photos/CameraWindow.h"
#include "views/photos/Cropping_Tool.h"
#include "views/photos/Image_Library.h"
#include "views/photos/PhotoWindows.h"
#include "views/print/PrinterCatalog.h"
#include "views/visitors/Profile_Side_Panel.h"
#include "views/wizards/Group_Mode_Wizard.h"
#include "views/wizards/TemplateBrowser.h"
#include "views/wizards/Template_Wizard.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/WindowSetup.h"
#include "model/SKTDocument.h"
#include "platform/DialogPresenter.h"
#include "platform/MessagePresenter.h"
#include "probes/SampleCard.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/canvas/SKTZoomingScrollView.h"

namespace {

// Small enough that the window's own lettering stays readable on an A4 page.
const QSize kWindowSize(1000, 620);
const QSizeF kCardSize(243, 154);
const QColor kNavy(20, 50, 110);
const QColor kGrey(70, 75, 90);
// In sampleFront, from the top: the holder's name (the element the guide shows selected), the
// photo and the barcode.
constexpr int kSelectedElement = 3;
constexpr int kPhotoElement = 2;
constexpr int kBarcodeElement = 6;
// How long the picture library is given to show its thumbnails.
constexpr int kThumbnailPatienceMs = 1500;
// The grey area kept around the card in the picture of the selection.
constexpr int kCanvasFrame = 28;

void setSampleSides(DesignState& design)
{
    Card_Property& front = design.front;
    front.setCard_Size(kCardSize);
    front.setCard_fill_chk(true);
    front.setCard_fill_style(QStringLiteral("G"));
    front.setCard_fill_Grd_1_clr(QColor(255, 255, 255));
    front.setCard_fill_Grd_2_clr(QColor(205, 225, 248));
    front.setCard_grad_Stepper(90);
    Card_Property& back = design.back;
    back.setCard_Side_Name(QStringLiteral("B"));
    back.setCard_Size(kCardSize);
    back.setCard_fill_chk(true);
    back.setCard_fill_style(QStringLiteral("S"));
    back.setCard_fill_clr(QColor(236, 242, 250));
}

// A school's staff card, topmost element first; the photo's file is written into `scratch`.
GraphicList sampleFront(const QDir& scratch)
{
    return {
        sample::text(QRectF(10, 7, 223, 20), QStringLiteral("Northfield College"), 13, Qt::white),
        sample::shape(QStringLiteral("R"), QRectF(0, 0, 243, 32), kNavy),
        sample::picture(scratch, QStringLiteral("photo.png"), QRectF(12, 42, 60, 75)),
        sample::text(QRectF(82, 42, 150, 20), QStringLiteral("Maria Jensen"), 13, kNavy),
        sample::text(QRectF(82, 62, 150, 14), QStringLiteral("Library staff"), 9, kGrey),
        sample::text(QRectF(82, 76, 150, 14), QStringLiteral("Staff no. 0123"), 9, kGrey),
        sample::barcode(QPointF(82, 96)),
        sample::signature(QStringLiteral("S"), QRectF(12, 122, 60, 26)),
    };
}

GraphicList sampleBack()
{
    return {
        sample::text(QRectF(12, 14, 219, 16), QStringLiteral("This card belongs to Northfield College."), 9, kGrey),
        sample::text(QRectF(12, 32, 219, 16), QStringLiteral("If found, please return it to the front desk."), 9, kGrey),
        sample::shape(QStringLiteral("R"), QRectF(0, 138, 243, 16), kNavy),
    };
}

// Needs the card host, which the window controller is.
bool writeSampleDesign(const QString& path, QString* error)
{
    DesignState design;
    design.startMode = QStringLiteral("L");
    setSampleSides(design);
    design.frontElements = sampleFront(QFileInfo(path).absoluteDir());
    design.backElements = sampleBack();
    return writeDesignFile(path, design, error);
}

// Lets what the window posted (layouts, sizes of the canvases) happen before a picture is taken.
void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Runs the windows the tour opens: each modal window takes the next queued step, which works it
// (presses, chooses, pictures) and gives its answer; a window without a step is cancelled.
// File panels answer the queued paths.
class TourDialogs : public DialogPresenter {
public:
    using Step = std::function<int(QDialog&)>;
    TourDialogs() { setDialogPresenter(this); }
    ~TourDialogs() override { setDialogPresenter(nullptr); }
    TourDialogs(const TourDialogs&) = delete;
    TourDialogs& operator=(const TourDialogs&) = delete;

    void queue(Step step) { m_steps.push_back(std::move(step)); }
    void queueFile(const QString& path) { m_files.push_back(path); }
    bool done() const { return m_steps.empty(); }
    void clear() { m_steps.clear(); }

    int runModal(QDialog& dialog) override
    {
        if (m_steps.empty())
            return QDialog::Rejected;
        const Step step = std::move(m_steps.front());
        m_steps.pop_front();
        dialog.show();
        settle();
        const int answer = step(dialog);
        dialog.hide();
        return answer;
    }
    QString openFile(const FilePanelRequest&) override { return takeFile(); }
    QStringList openFiles(const FilePanelRequest&) override { return {}; }
    QString saveFile(const FilePanelRequest&) override { return {}; }
    QString chooseFolder(const FilePanelRequest&) override { return {}; }

private:
    QString takeFile()
    {
        if (m_files.empty())
            return {};
        QString file = m_files.front();
        m_files.pop_front();
        return file;
    }
    std::deque<Step> m_steps;
    std::deque<QString> m_files;
};

// Keeps the messages the window shows instead of waiting for a click; opening the sample shows none.
class KeptMessages : public MessagePresenter {
public:
    KeptMessages() { setMessagePresenter(this); }
    ~KeptMessages() override { setMessagePresenter(nullptr); }
    KeptMessages(const KeptMessages&) = delete;
    KeptMessages& operator=(const KeptMessages&) = delete;

    int present(const MessageBoxRequest& request) override
    {
        m_texts << request.text.trimmed();
        return request.defaultButton;
    }
    void beep() override {}
    const QStringList& texts() const { return m_texts; }

private:
    QStringList m_texts;
};

QImage windowPicture(SKTWindowController& controller, ShownPaths& paths)
{
    controller.window()->resize(kWindowSize);
    controller.zoomingScrollView(SKTDocument::FrontSide)->setFactor(1.5);
    settle();
    return paths.grab(*controller.window());
}

// The front card at 200 % in a little of the grey around it, with the holder's name selected so
// that its handles show.
QImage selectionPicture(SKTWindowController& controller, ShownPaths& paths)
{
    SKTGraphicView* canvas = controller.graphicView(SKTDocument::FrontSide);
    canvas->changeSelectionIndexes({kSelectedElement});
    SKTZoomingScrollView* scroll = controller.zoomingScrollView(SKTDocument::FrontSide);
    scroll->setFactor(2.0);
    settle();
    const QRect card(canvas->mapTo(scroll, QPoint(0, 0)), canvas->size());
    const QRect framed = card.adjusted(-kCanvasFrame, -kCanvasFrame, kCanvasFrame, kCanvasFrame);
    return paths.grab(*scroll, framed.intersected(scroll->rect()));
}

// One printer, so that the print window opens as it does on a desk with a card printer.
class GuidePrinter : public PrinterCatalog {
public:
    GuidePrinter() { setPrinterCatalog(this); }
    ~GuidePrinter() override { setPrinterCatalog(nullptr); }
    GuidePrinter(const GuidePrinter&) = delete;
    GuidePrinter& operator=(const GuidePrinter&) = delete;

    QStringList printerNames() const override { return {QStringLiteral("Office Laser")}; }
    PrinterPaper paper(const QString&, const QPageLayout& layout) const override
    {
        const bool landscape = layout.orientation() == QPageLayout::Landscape;
        const float w = landscape ? 841.89f : 595.28f;
        const float h = landscape ? 595.28f : 841.89f;
        return {QStringLiteral("A4"), w, h, 12, 12, 12, 12, landscape};
    }
    bool runPageSetup(const QString&, QPageLayout&, QWidget*) override { return false; }
};

// No camera is connected while the guide is printed: the camera window says so, as it would.
class NoCameras : public CameraSource {
public:
    QList<CameraDevice> cameras() const override { return {}; }
    QString start(const QString&, FrameHandler, LostHandler) override { return QStringLiteral("No camera."); }
    void stop() override {}
    bool isRunning() const override { return false; }
};

class Tour {
public:
    Tour(SKTWindowController& controller, TourDialogs& dialogs, KeptMessages& messages, ShownPaths& paths)
        : m_controller(controller), m_dialogs(dialogs), m_messages(messages), m_paths(paths)
    {
    }

    QHash<QString, QImage> pictures;
    QStringList failures;

    // A step that pictures the window it is given and answers `answer`.
    TourDialogs::Step shoot(const QString& name, int answer = QDialog::Rejected)
    {
        return [this, name, answer](QDialog& dialog) {
            pictures.insert(name, m_paths.grab(dialog));
            return answer;
        };
    }
    // Runs `open`, which should show one modal window, and pictures that window.
    void window(const QString& name, const std::function<void()>& open)
    {
        m_dialogs.queue(shoot(name));
        open();
        settle();
        expect(name);
    }
    void menu(const QString& name, const char* action)
    {
        window(name, [this, action] {
            if (QAction* item = m_controller.window()->findChild<QAction*>(QLatin1String(action)))
                item->trigger();
        });
    }
    // A window run without the dialog seam (the picture library): pictured once it is up.
    void directWindow(const QString& name, const std::function<void()>& open)
    {
        QTimer::singleShot(0, [this, name] {
            QWidget* up = nullptr;
            for (int tries = 0; tries < 200 && !(up = QApplication::activeModalWidget()); ++tries)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            if (auto* dialog = qobject_cast<QDialog*>(up)) {
                // The thumbnails are read on worker threads as they come into sight.
                QElapsedTimer waited;
                waited.start();
                while (waited.elapsed() < kThumbnailPatienceMs)
                    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
                settle();
                pictures.insert(name, m_paths.grab(*dialog));
                dialog->reject();
            }
        });
        open();
        expect(name);
    }
    void mainWindow(const QString& name)
    {
        m_controller.window()->resize(kWindowSize);
        settle();
        pictures.insert(name, m_paths.grab(*m_controller.window()));
    }
    void inspectorPage(const QString& name, int element, const QString& page)
    {
        SKTGraphicView* canvas = m_controller.graphicView(SKTDocument::FrontSide);
        if (element >= 0)
            canvas->changeSelectionIndexes({element});
        else
            canvas->changeSelectionIndexes({});
        m_controller.canvasHostOfWindow().Show_RHS_Properties(element >= 0 ? canvas->graphics().value(element).get() : nullptr);
        m_controller.windowLayout().inspectorView().showPage(page);
        settle();
        pictures.insert(name, m_paths.grab(m_controller.windowLayout().inspectorView()));
    }
    // Closes the design and answers the start chooser with the button named.
    void start(const char* choice, std::initializer_list<TourDialogs::Step> windows)
    {
        m_dialogs.queue([choice](QDialog& chooser) {
            if (auto* button = chooser.findChild<QPushButton*>(QLatin1String(choice)))
                button->click();
            return chooser.result();
        });
        for (const TourDialogs::Step& step : windows)
            m_dialogs.queue(step);
        if (!Open_Start_Window(m_controller))
            failures << QStringLiteral("The start \"%1\" did not open a design. %2").arg(QLatin1String(choice), m_messages.texts().join(u' '));
        m_dialogs.clear();
    }

private:
    void expect(const QString& name)
    {
        if (!pictures.contains(name))
            failures << QStringLiteral("No window came up for %1. %2").arg(name, m_messages.texts().join(u' '));
        m_dialogs.clear();
    }

    SKTWindowController& m_controller;
    TourDialogs& m_dialogs;
    KeptMessages& m_messages;
    ShownPaths& m_paths;
};

// The series the first chapter imports from the staff workbook, one value a line.
void writeStaffSeries()
{
    const QList<std::pair<QString, QStringList>> series{
        {QStringLiteral("Name"), {QStringLiteral("Maria Jensen"), QStringLiteral("Tom Okafor"), QStringLiteral("Lena Weiss")}},
        {QStringLiteral("Number"), {QStringLiteral("0123"), QStringLiteral("0124"), QStringLiteral("0125")}},
    };
    for (const auto& [name, values] : series) {
        QFile file(QDir(Data_Folder_Path).filePath(name + QStringLiteral(".txt")));
        if (file.open(QIODevice::WriteOnly | QIODevice::Text))
            file.write((values.join(u'\n') + u'\n').toUtf8());
    }
}

// The group's workbook: a title row naming the columns, then one row per person.
QString writeGroupWorkbook(const QDir& scratch)
{
    const QString path = scratch.filePath(QStringLiteral("Staff.xlsx"));
    SpreadsheetWriter::WriteWorkbook(path,
                                     {{"Name", "Role", "Number"},
                                      {"Maria Jensen", "Library staff", "0123"},
                                      {"Tom Okafor", "Caretaker", "0124"},
                                      {"Lena Weiss", "Teacher", "0125"}},
                                     true);
    return path;
}

// The group chapter's set-up on the project's front panel: each field the template shows takes its
// column, and the school's name, which no column holds, is typed once for every card.
void setUpGroupCard(SKTWindowController& controller)
{
    Profile_Side_Panel& panel = controller.liveModes().panel(0);
    const struct {
        const char* field;
        int column;
    } columns[] = {{"Fup_Name", 1}, {"Fup_Title", 2}, {"Fup_UniqueNo", 3}};
    for (const auto& [field, column] : columns) {
        auto* box = panel.findChild<QComboBox*>(QLatin1String(field) + QStringLiteral("_col"));
        box->setCurrentIndex(column);
        Q_EMIT box->activated(column);
    }
    QLineEdit& company = *panel.textBox(QStringLiteral("Fup_Company"));
    company.setText(QStringLiteral("Lindenhof School"));
    Q_EMIT company.textEdited(company.text());
}

}  // namespace

QHash<QString, QImage> takeGuideScreenshots(QString* error, QStringList* shownPaths)
{
    const QTemporaryDir scratch;
    const QString design = scratch.filePath(QStringLiteral("Staff card.did"));
    KeptMessages messages;
    TourDialogs dialogs;
    GuidePrinter printer;
    WizardStartWindows startWindows;
    setStartWindows(&startWindows);
    const auto uninstallStarts = qScopeGuard([] { setStartWindows(nullptr); });
    SKTDocument document;
    SKTWindowController controller(document);
    NoCameras cameras;
    Cropping_Tool cropping({controller.Allowd_Image_fileTypes, &Image_Is_Over_Size, &cameras});
    Camera camera(cameras, {[] { return Camera_Folder_Path; }, &Default_Camera_Folder_Path, [](const QString&) {}});
    Image_Library library;
    setPhotoWindows(&camera, &library, &cropping);
    const auto uninstallPhotos = qScopeGuard([] { setPhotoWindows(nullptr, nullptr, nullptr); });
    if (!writeSampleDesign(design, error))
        return {};

    // The reader sees a user's folders, not the temporary and build folders the pictures are taken in.
    ShownPaths paths;
    paths.add(scratch.path(), QStringLiteral("/home/you/Documents"));
    paths.add(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation), QStringLiteral("/home/you/.local/share"));
    // The resource folder of a program built in a clone of its repository.
    paths.add(Resource_Path, QStringLiteral("/home/you/zova-idcard/build/resources"));
    Tour tour(controller, dialogs, messages, paths);
    // The chooser, answered with "Open a saved design" and the sample card.
    dialogs.queue([&](QDialog& chooser) {
        tour.pictures.insert(QStringLiteral("start-chooser.png"), paths.grab(chooser));
        chooser.findChild<QPushButton*>(QStringLiteral("Open_Log_btn"))->click();
        return chooser.result();
    });
    dialogs.queueFile(design);
    if (awakeFromNib(controller) != SetupOutcome::Started || !messages.texts().isEmpty()) {
        *error = QStringLiteral("The window did not open the sample design. %1").arg(messages.texts().join(u' '));
        return {};
    }
    dialogs.clear();
    // In this order: the selection's picture selects and zooms in.
    tour.pictures.insert(QStringLiteral("main-window.png"), windowPicture(controller, paths));
    tour.pictures.insert(QStringLiteral("selected-element.png"), selectionPicture(controller, paths));
    controller.zoomingScrollView(SKTDocument::FrontSide)->setFactor(1.0);

    tour.inspectorPage(QStringLiteral("inspector-card.png"), -1, QStringLiteral("card_size_tab"));
    tour.inspectorPage(QStringLiteral("inspector-text.png"), kSelectedElement, QStringLiteral("text_edtng_tab"));
    tour.inspectorPage(QStringLiteral("inspector-source.png"), kSelectedElement, QStringLiteral("datasource_tab"));
    tour.inspectorPage(QStringLiteral("inspector-picture.png"), kPhotoElement, QStringLiteral("image_tab"));
    tour.inspectorPage(QStringLiteral("inspector-arrange.png"), kSelectedElement, QStringLiteral("aligmnt_tab"));
    controller.graphicView(SKTDocument::FrontSide)->changeSelectionIndexes({kBarcodeElement});
    tour.window(QStringLiteral("barcode-window.png"), [&] { controller.canvasHostOfWindow().Open_Barcode_Window(); });
    controller.graphicView(SKTDocument::FrontSide)->changeSelectionIndexes({});

    writeStaffSeries();
    tour.menu(QStringLiteral("series-manager.png"), "Batch_Series_Button");
    tour.menu(QStringLiteral("series-generator.png"), "Create_Series_Button");
    tour.menu(QStringLiteral("import-wizard.png"), "Import_Wizard_Button");
    tour.menu(QStringLiteral("export-sheet.png"), "Export_Button");
    tour.menu(QStringLiteral("print-window.png"), "Print_Button");
    tour.menu(QStringLiteral("mail-window.png"), "Mail_Button");
    tour.menu(QStringLiteral("mail-settings.png"), "Mail_Settings_Button");
    tour.menu(QStringLiteral("crop-tool.png"), "Cropping_Tool_Clicked");
    tour.menu(QStringLiteral("profile-window.png"), "User_Profile_Button_Clicked");
    tour.window(QStringLiteral("camera-window.png"), [] { cameraWindow().Open_Wnd(); });
    tour.directWindow(QStringLiteral("picture-library.png"), [] { Open_Image_Library_Window(QStringLiteral("C")); });

    // The other starts, each from the chooser as a user meets it.
    tour.start("Using_Wizard_btn", {tour.shoot(QStringLiteral("card-wizard.png"), QDialog::Rejected),
                                    [](QDialog& chooser) {
                                        chooser.findChild<QPushButton*>(QStringLiteral("Using_Template_btn"))->click();
                                        return chooser.result();
                                    },
                                    [&](QDialog& window) {
                                        auto& templates = static_cast<Template_Wizard&>(window);
                                        templates.browser().chooseRow(0);
                                        settle();
                                        tour.pictures.insert(QStringLiteral("template-window.png"), paths.grab(window));
                                        templates.OK_Click();
                                        return window.result();
                                    }});
    tour.mainWindow(QStringLiteral("template-card.png"));
    tour.start("Using_Visitor_btn", {[&](QDialog& window) {
                   auto& templates = static_cast<Template_Wizard&>(window);
                   templates.browser().chooseRow(0);
                   templates.OK_Click();
                   return window.result();
               }});
    tour.mainWindow(QStringLiteral("visitor-mode.png"));
    // The pass's sample visitor, registered as the front desk would.
    Register_Visitor(controller);
    tour.window(QStringLiteral("visitor-log.png"), [&] { Open_Visitor_Log(controller); });
    // In the user folder, whose path is the same on every build, since the wizard shows it.
    const QString workbook = writeGroupWorkbook(QDir(Created_Resource_Path));
    tour.start("Using_Group_Batch_btn", {[&](QDialog& window) {
                   auto& wizard = static_cast<Group_Mode_Wizard&>(window);
                   wizard.browser().chooseRow(0);
                   dialogs.queueFile(workbook);
                   wizard.Select_Excel_Click();
                   wizard.findChild<QLineEdit*>(QStringLiteral("Project_Name_Text"))->setText(QStringLiteral("Staff"));
                   settle();
                   tour.pictures.insert(QStringLiteral("group-mode-wizard.png"), paths.grab(window));
                   wizard.OK_Click();
                   return window.result();
               }});
    setUpGroupCard(controller);
    tour.mainWindow(QStringLiteral("group-mode.png"));

    if (!tour.failures.isEmpty()) {
        *error = tour.failures.join(u'\n');
        return {};
    }
    *shownPaths = paths.shownPathTexts();
    return tour.pictures;
}

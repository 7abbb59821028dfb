#include "GuideScreenshots.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QPushButton>
#include <QTemporaryDir>

#include "designfile/DesignFile.h"
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
// The holder's name, fourth from the top in sampleFront: the element the guide shows selected.
constexpr int kSelectedElement = 3;
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

// Answers the start chooser with "Open a saved design" and the open panel with the sample,
// taking the chooser's picture on the way. A second chooser means the sample did not open.
class StartAsAUser : public DialogPresenter {
public:
    explicit StartAsAUser(QString design) : m_design(std::move(design)) { setDialogPresenter(this); }
    ~StartAsAUser() override { setDialogPresenter(nullptr); }
    StartAsAUser(const StartAsAUser&) = delete;
    StartAsAUser& operator=(const StartAsAUser&) = delete;

    int runModal(QDialog& dialog) override
    {
        auto* open = dialog.findChild<QPushButton*>(QStringLiteral("Open_Log_btn"));
        if (!m_chooser.isNull() || !open)
            return QDialog::Rejected;
        dialog.show();
        settle();
        m_chooser = dialog.grab().toImage();
        open->click();
        return dialog.result();
    }
    QString openFile(const FilePanelRequest&) override { return m_design; }
    QStringList openFiles(const FilePanelRequest&) override { return {}; }
    QString saveFile(const FilePanelRequest&) override { return {}; }
    QString chooseFolder(const FilePanelRequest&) override { return {}; }

    const QImage& chooser() const { return m_chooser; }

private:
    QString m_design;
    QImage m_chooser;
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

QImage windowPicture(SKTWindowController& controller)
{
    controller.window()->resize(kWindowSize);
    controller.zoomingScrollView(SKTDocument::FrontSide)->setFactor(1.5);
    settle();
    return controller.window()->grab().toImage();
}

// The front card at 200 % in a little of the grey around it, with the holder's name selected so
// that its handles show.
QImage selectionPicture(SKTWindowController& controller)
{
    SKTGraphicView* canvas = controller.graphicView(SKTDocument::FrontSide);
    canvas->changeSelectionIndexes({kSelectedElement});
    SKTZoomingScrollView* scroll = controller.zoomingScrollView(SKTDocument::FrontSide);
    scroll->setFactor(2.0);
    settle();
    const QRect card(canvas->mapTo(scroll, QPoint(0, 0)), canvas->size());
    const QRect framed = card.adjusted(-kCanvasFrame, -kCanvasFrame, kCanvasFrame, kCanvasFrame);
    return scroll->grab(framed.intersected(scroll->rect())).toImage();
}

}  // namespace

QHash<QString, QImage> takeGuideScreenshots(QString* error)
{
    const QTemporaryDir scratch;
    const QString design = scratch.filePath(QStringLiteral("Staff card.did"));
    KeptMessages messages;
    SKTDocument document;
    SKTWindowController controller(document);
    if (!writeSampleDesign(design, error))
        return {};
    StartAsAUser start(design);
    if (awakeFromNib(controller) != SetupOutcome::Started || !messages.texts().isEmpty()) {
        *error = QStringLiteral("The window did not open the sample design. %1").arg(messages.texts().join(u' '));
        return {};
    }
    QHash<QString, QImage> pictures{{QStringLiteral("start-chooser.png"), start.chooser()}};
    // In this order: the selection's picture selects and zooms in.
    pictures.insert(QStringLiteral("main-window.png"), windowPicture(controller));
    pictures.insert(QStringLiteral("selected-element.png"), selectionPicture(controller));
    return pictures;
}

#include "views/barcodes/BarcodeSettingsView.h"

#include <QLabel>
#include <QLayout>
#include <QPixmap>
#include <QScrollArea>
#include <QTabWidget>
#include <algorithm>
#include <cmath>

#include "views/dialogs/SharedDialogs.h"
#include "views/photos/ImageViewDrag.h"
#include "ui_BarcodeSettingsView.h"

namespace {

constexpr int kResolutionTabIndex = 2;

}  // namespace

BarcodeSettingsView::BarcodeSettingsView(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::BarcodeSettingsView>())
{
    m_ui->setupUi(this);
    applySharedDialogBackground(*this);
    m_resolutionTab = m_ui->dpi_tab;
    m_resolutionTitle = m_ui->sett_tab->tabText(m_ui->sett_tab->indexOf(m_resolutionTab));
    m_ui->barcodeImage->setStyleSheet(QStringLiteral("QLabel#barcodeImage { border: 1px solid #a0a0a0; }"));
    ImageViewDrag::install(*m_ui->barcodeImage);
    showResolutionTab(false);
    m_ui->barcode_note_label->hide();
    m_blankNotice = m_ui->barcode_error_label->text();
    // The notices below the preview keep their room, two lines each, shown or not: the window
    // keeps its size and its buttons their place as a notice comes and goes.
    for (QLabel* notice : {m_ui->barcode_error_label, m_ui->barcode_note_label}) {
        QSizePolicy policy = notice->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        notice->setSizePolicy(policy);
        notice->setMinimumHeight(2 * notice->fontMetrics().lineSpacing());
    }
}

BarcodeSettingsView::~BarcodeSettingsView()
{
    if (!resolutionTabShown())
        delete m_resolutionTab;
}

void BarcodeSettingsView::showResolutionTab(bool shown)
{
    QTabWidget& tabs = *m_ui->sett_tab;
    if (shown == resolutionTabShown())
        return;
    if (shown) {
        tabs.insertTab(std::min(kResolutionTabIndex, tabs.count()), m_resolutionTab, m_resolutionTitle);
    } else {
        tabs.removeTab(tabs.indexOf(m_resolutionTab));
        m_resolutionTab->setParent(this);
        m_resolutionTab->hide();
    }
}

bool BarcodeSettingsView::resolutionTabShown() const
{
    return m_ui->sett_tab->indexOf(m_resolutionTab) >= 0;
}

void BarcodeSettingsView::Set_Barcode_On_Panel(const BarcodePicture& picture)
{
    QScrollArea& scroll = *m_ui->image_scroll;
    const QSize view = scroll.viewport()->size();
    const QSizeF size = picture.size();
    const int width = std::max(int(std::ceil(size.width())), view.width());
    const int height = std::max(int(std::ceil(size.height())), view.height());
    m_ui->barcodeImage->resize(width, height);
    m_ui->barcodeImage->setScaledContents(false);
    // One point to a pixel, as the canvas shows a card at its actual size.
    m_ui->barcodeImage->setPixmap(QPixmap::fromImage(picture.toImage(72.0 * devicePixelRatioF())));
    m_ui->barcode_error_label->hide();
}

void BarcodeSettingsView::showBlankPreview()
{
    m_ui->barcodeImage->clear();
    m_ui->barcodeImage->resize(m_ui->image_scroll->viewport()->size());
    m_ui->barcode_error_label->setText(m_blankNotice);
    m_ui->barcode_error_label->show();
    m_ui->barcode_note_label->hide();
}

void BarcodeSettingsView::showBlankReason(const QString& reason)
{
    m_ui->barcode_error_label->setText(reason);
}

void BarcodeSettingsView::showAsciiFallbackNote(bool shown)
{
    m_ui->barcode_note_label->setVisible(shown);
}

void BarcodeSettingsView::refreshLayout()
{
    for (QWidget* control : findChildren<QWidget*>())
        control->updateGeometry();
}

void BarcodeSettingsView::fitToControls()
{
    refreshLayout();
    layout()->activate();
    adjustSize();
}

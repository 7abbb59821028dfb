#include "views/print/Print_Wnd.h"

#include <QEvent>
#include <QHeaderView>
#include <QPrinter>
#include <QScrollBar>
#include <QSignalBlocker>

#include "platform/AppContext.h"
#include "platform/CanvasGlobals.h"
#include "platform/DialogPresenter.h"
#include "ui_Print_Wnd.h"
#include "views/dialogs/SharedDialogs.h"
#include "views/print/Add_Print_Profile.h"
#include "views/inspector/PrintInfo.h"
#include "views/photos/ImageViewDrag.h"
#include "views/print/PrintLayoutPictures.h"
#include "views/print/Sample_Preview.h"

namespace {

QList<QToolButton*> alignmentButtons(Ui::Print_Wnd& ui)
{
    return {ui.top_left_btn, ui.top_center_btn, ui.top_rite_btn, ui.mid_left_btn, ui.mid_center_btn,
            ui.mid_rite_btn, ui.bot_left_btn, ui.bot_center_btn, ui.bot_rite_btn};
}

// Sets a control without its change signal, so showing a value never runs its action.
template <class Widget, class Value, class Setter>
void showValue(Widget* widget, const Value& value, Setter setter)
{
    const QSignalBlocker quiet(widget);
    (widget->*setter)(value);
}

}  // namespace

Print_Wnd::Print_Wnd(QWidget* parent) : QDialog(parent), ui(new Ui::Print_Wnd)
{
    ui->setupUi(this);
    applySharedDialogBackground(*this);
    ImageViewDrag::install(*ui->test_image_view);
    ui->Orient_ComboBox->addItems({QStringLiteral("Portrait"), QStringLiteral("Landscape")});
    ui->print_alignment->addItems(bothSidesLayoutTexts());
    ui->print_alignment_one_side->addItems(oneSideLayoutTexts());
    // Every layout's name shows whole, closed as open: "Front above, back turned" and "Front
    // above back" differ only at their ends.
    for (QComboBox* list : {ui->print_alignment, ui->print_alignment_one_side})
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // The window is never narrower or lower than its controls need, whatever else asks of it.
    layout()->setSizeConstraint(QLayout::SetMinimumSize);
    ui->Row_Text->setMaximum(PrintFieldLimits::kMaxRowsColumns);
    ui->Col_Text->setMaximum(PrintFieldLimits::kMaxRowsColumns);
    ui->width_Text->setMaximum(PrintFieldLimits::kMaxCardMm);
    ui->height_Text->setMaximum(PrintFieldLimits::kMaxCardMm);
    for (QDoubleSpinBox* gap : {ui->horz_mar_Text, ui->vert_mar_Text, ui->Side_Margin_Text})
        gap->setMaximum(PrintFieldLimits::kMaxGapMm);
    ui->List_profile->setHorizontalHeaderLabels({QStringLiteral("Profile")});
    ui->List_profile->horizontalHeader()->setStretchLastSection(true);
    ui->List_profile->verticalHeader()->hide();
    ui->List_profile->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui->List_profile->setSelectionMode(QAbstractItemView::SingleSelection);
    ui->List_profile->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The sheet preview draws itself unseen; the window shows its picture.
    m_preview = new Sample_Preview(this, &logic.settings());
    m_preview->setObjectName(QStringLiteral("PrintView"));
    m_preview->hide();
    ui->Print_sclview->viewport()->installEventFilter(this);

    m_nameSheet = new Add_Print_Profile(this);
    makeProfileList();
    logic.previewChanged = [this] { Refresh_Preview(); };
    logic.totalChanged = [this](int total) { rangeBlock().setCellsPerSheet(total); };
    logic.rangeBoxChanged = [this] {
        // A profile that leaves the data boxes as they are leaves the range typed as it is.
        const bool same = rangeBlock().seriesOn() == logic.fields.series
                          && rangeBlock().spreadsheetOn() == logic.fields.spreadsheet;
        showValue(rangeBlock().Export_with_batch_chk, logic.fields.series, &QCheckBox::setChecked);
        showValue(rangeBlock().Export_with_excel_chk, logic.fields.spreadsheet, &QCheckBox::setChecked);
        if (!same)
            rangeBlock().Export_With_Batch_Changed();
    };
    connectControls();
    connectProfiles();
}

Print_Wnd::~Print_Wnd()
{
    delete ui;
}

OutputRangeBlock& Print_Wnd::rangeBlock()
{
    return *ui->rangeBlock;
}

void Print_Wnd::act(const std::function<void()>& step)
{
    if (m_showing)
        return;
    step();
    showFields();
}

void Print_Wnd::connectControls()
{
    connect(ui->Printer_ComboBox, &QComboBox::currentTextChanged, this,
            [this](const QString& name) { act([&] { logic.printerSelected(name); }); });
    connect(ui->Orient_ComboBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { act([&] { logic.orientationSelected(index); }); });
    connect(ui->page_setup_btn, &QPushButton::clicked, this, [this] { act([&] { logic.pagesetup(this); }); });
    auto onValue = [this](QDoubleSpinBox* field, void (PrintWindowLogic::*changed)(double)) {
        connect(field, &QDoubleSpinBox::valueChanged, this,
                [this, changed](double value) { act([&] { (logic.*changed)(value); }); });
    };
    onValue(ui->width_Text, &PrintWindowLogic::Width_Changed);
    onValue(ui->height_Text, &PrintWindowLogic::Height_Changed);
    onValue(ui->horz_mar_Text, &PrintWindowLogic::Horz_Margin_Changed);
    onValue(ui->vert_mar_Text, &PrintWindowLogic::Vert_Margin_Changed);
    onValue(ui->Side_Margin_Text, &PrintWindowLogic::Side_Margin_Changed);
    connect(ui->Row_Text, &QSpinBox::valueChanged, this, [this](int rows) { act([&] { logic.Row_Changed(rows); }); });
    connect(ui->Col_Text, &QSpinBox::valueChanged, this,
            [this](int columns) { act([&] { logic.Col_Changed(columns); }); });
    const QList<QRadioButton*> sides{ui->side_both, ui->side_front, ui->side_back};
    for (int row = 0; row < sides.size(); ++row)
        connect(sides[row], &QRadioButton::clicked, this, [this, row] { act([&] { logic.card_side_CellClick(row); }); });
    connect(ui->print_alignment, &QComboBox::currentIndexChanged, this,
            [this](int index) { act([&] { logic.bothLayoutSelected(index); }); });
    connect(ui->print_alignment_one_side, &QComboBox::currentIndexChanged, this,
            [this](int index) { act([&] { logic.oneLayoutSelected(index); }); });
    const QList<QToolButton*> buttons = alignmentButtons(*ui);
    for (int i = 0; i < buttons.size(); ++i)
        connect(buttons[i], &QToolButton::clicked, this, [this, i] { act([&] { logic.alignmentClicked(i + 1); }); });
    connect(ui->Auto_Center_chk_bx, &QCheckBox::clicked, this,
            [this](bool on) { act([&] { logic.Auto_Center_Checked(on); }); });
    connect(ui->fit_frame_chk, &QCheckBox::clicked, this, [this](bool on) { act([&] { logic.Fit_To_Frame_clicked(on); }); });
    connect(ui->crop_mark_chk, &QCheckBox::clicked, this,
            [this](bool on) { act([&] { logic.Enable_Crop_Mark_clicked(on); }); });
    connect(ui->Show_Margins, &QCheckBox::clicked, this, [this](bool on) { act([&] { logic.Show_Margin_Checked(on); }); });
    OutputRangeBlock& range = rangeBlock();
    connect(range.mirror_chk_box, &QCheckBox::clicked, this,
            [this](bool on) { act([&] { logic.Mirror_image_chk_clicked(on); }); });
    connect(range.mirror_horizontal, &QRadioButton::clicked, this,
            [this] { act([&] { logic.Mirror_Image_Type_CellClick(0); }); });
    connect(range.mirror_vertical, &QRadioButton::clicked, this,
            [this] { act([&] { logic.Mirror_Image_Type_CellClick(1); }); });
    for (QCheckBox* source : {range.Export_with_batch_chk, range.Export_with_excel_chk})
        connect(source, &QCheckBox::clicked, this, [this] {
            act([&] { logic.dataBoxesChanged(rangeBlock().seriesOn(), rangeBlock().spreadsheetOn()); });
        });
    connect(ui->PreviewButton, &QPushButton::clicked, this, &Print_Wnd::PreviewButtonPressed);
    connect(ui->PrintButton, &QPushButton::clicked, this, &Print_Wnd::PrintButtonPressed);
    connect(ui->CancelButton, &QPushButton::clicked, this, &Print_Wnd::CancelButtonPressed);
}

void Print_Wnd::makeProfileList()
{
    // Each opening reads the profile folder afresh.
    m_profiles = std::make_unique<PrintProfileList>(logic, PrintProfileStore(print_profile_path.get()));
    m_profiles->nameSheet = [this](const QString& name, const QString& printer) {
        return m_nameSheet->Open_Profile_Wnd(name, printer);
    };
    m_profiles->listChanged = [this] { showFields(); };
}

void Print_Wnd::connectProfiles()
{
    // Once for the window's life: the buttons reach whichever list the opening made.
    connect(ui->List_profile, &QTableWidget::itemSelectionChanged, this, [this] {
        const QList<QTableWidgetItem*> chosen = ui->List_profile->selectedItems();
        if (m_showing || chosen.isEmpty())
            return;
        act([&] { m_profiles->Make_select_on_index(chosen.first()->row()); });
    });
    connect(ui->Add_profile_btn, &QPushButton::clicked, this, [this] { act([&] { m_profiles->Add_profile_btn_clicked(); }); });
    connect(ui->Edit_profile_btn, &QPushButton::clicked, this, [this] { act([&] { m_profiles->Edit_profile_btn_clicked(); }); });
    connect(ui->Save_profile_btn, &QPushButton::clicked, this, [this] { act([&] { m_profiles->Save_profile_btn_clicked(); }); });
    connect(ui->Delete_profile_btn, &QPushButton::clicked, this,
            [this] { act([&] { m_profiles->Delete_profile_btn_clicked(); }); });
}

void Print_Wnd::showProfiles()
{
    const bool wasShowing = m_showing;
    m_showing = true;
    const QList<PrintProfileEntry>& entries = m_profiles->ListData_profile();
    {
        const QSignalBlocker quiet(ui->List_profile);
        ui->List_profile->setRowCount(int(entries.size()));
        for (int row = 0; row < entries.size(); ++row) {
            auto* item = new QTableWidgetItem(entries[row].name);
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            ui->List_profile->setItem(row, 0, item);
        }
        ui->List_profile->clearSelection();
        if (m_profiles->selectedRow() >= 0)
            ui->List_profile->selectRow(m_profiles->selectedRow());
    }
    ui->Delete_profile_btn->setEnabled(m_profiles->deleteEnabled());
    m_showing = wasShowing;
}

void Print_Wnd::showAlignment()
{
    const QList<QToolButton*> buttons = alignmentButtons(*ui);
    for (int i = 0; i < buttons.size(); ++i) {
        const bool chosen = logic.fields.align == i + 1;
        buttons[i]->setIcon(alignmentIcon(i + 1, chosen));
        showValue(buttons[i], chosen, &QToolButton::setChecked);
    }
}

void Print_Wnd::showFields()
{
    const PrintWindowFields& f = logic.fields;
    m_showing = true;
    {
        const QSignalBlocker quiet(ui->Printer_ComboBox);
        ui->Printer_ComboBox->clear();
        ui->Printer_ComboBox->addItems(f.printers);
        ui->Printer_ComboBox->setCurrentText(f.printer);
    }
    ui->Paper_id->setText(f.Paper_id);
    ui->Size_id->setText(f.Size_id + QStringLiteral(" mm"));
    ui->l_mar_id->setText(f.l_mar_id);
    ui->r_mar_id->setText(f.r_mar_id);
    ui->t_mar_id->setText(f.t_mar_id);
    ui->b_mar_id->setText(f.b_mar_id);
    showValue(ui->Orient_ComboBox, f.orientation, &QComboBox::setCurrentIndex);
    showValue(ui->width_Text, f.width, &QDoubleSpinBox::setValue);
    showValue(ui->height_Text, f.height, &QDoubleSpinBox::setValue);
    showValue(ui->horz_mar_Text, f.horzGap, &QDoubleSpinBox::setValue);
    showValue(ui->vert_mar_Text, f.vertGap, &QDoubleSpinBox::setValue);
    showValue(ui->Side_Margin_Text, f.sideMargin, &QDoubleSpinBox::setValue);
    showValue(ui->Row_Text, f.rows, &QSpinBox::setValue);
    showValue(ui->Col_Text, f.columns, &QSpinBox::setValue);
    ui->Side_Margin_Text->setEnabled(f.sideMarginEnabled);
    ui->horz_mar_Text->setEnabled(f.gapsEnabled);
    ui->vert_mar_Text->setEnabled(f.gapsEnabled);
    ui->Row_Text->setEnabled(f.rowsColumnsEnabled);
    ui->Col_Text->setEnabled(f.rowsColumnsEnabled);

    const QList<QRadioButton*> sides{ui->side_both, ui->side_front, ui->side_back};
    for (int row = 0; row < sides.size(); ++row) {
        sides[row]->setEnabled(f.sideRowEnabled[size_t(row)]);
        showValue(sides[row], f.sideRow == row, &QRadioButton::setChecked);
    }
    showValue(ui->print_alignment, f.bothLayout, &QComboBox::setCurrentIndex);
    showValue(ui->print_alignment_one_side, f.oneLayout, &QComboBox::setCurrentIndex);
    ui->print_alignment->setVisible(f.sideRow == 0);
    ui->print_alignment_one_side->setVisible(f.sideRow != 0);
    ui->print_align_demo_pic->setPixmap(layoutPicture(f.layoutPicture));

    showAlignment();
    ui->card_align_box->setEnabled(f.cardAlignBoxEnabled);
    ui->align_Gp_Bx->setEnabled(f.alignGroupEnabled);
    showValue(ui->Auto_Center_chk_bx, f.autoCentre, &QCheckBox::setChecked);
    showValue(ui->fit_frame_chk, f.fit, &QCheckBox::setChecked);
    showValue(ui->crop_mark_chk, f.cropMarks, &QCheckBox::setChecked);
    showValue(ui->Show_Margins, f.showMargins, &QCheckBox::setChecked);
    OutputRangeBlock& range = rangeBlock();
    showValue(range.mirror_chk_box, f.mirror, &QCheckBox::setChecked);
    showValue(range.mirror_horizontal, f.mirrorColumn == 0, &QRadioButton::setChecked);
    showValue(range.mirror_vertical, f.mirrorColumn != 0, &QRadioButton::setChecked);
    range.mirror_horizontal->setEnabled(f.mirrorMatrixEnabled);
    range.mirror_vertical->setEnabled(f.mirrorMatrixEnabled);
    m_showing = false;
    showProfiles();
}

void Print_Wnd::prepare(const PrintDesign& design, OutputRangeBlock::RecordCounter counter)
{
    // A visitor pass prints the pass as it stands: both data boxes stay off and disabled.
    PrintDesign shown = design;
    if (Start_Card_Option == QLatin1String("V"))
        shown.usesSeries = shown.usesSpreadsheet = false;
    rangeBlock().preparePrint(shown.usesSeries, shown.usesSpreadsheet, std::move(counter));
    showStatus(QString());
    logic.Open(shown);
    makeProfileList();
    showFields();
    act([&] { m_profiles->Load_Print_Profile(); });
}

int Print_Wnd::Open_Print_Wnd(const PrintDesign& design, OutputRangeBlock::RecordCounter counter)
{
    prepare(design, std::move(counter));
    return dialogPresenter().runModal(*this);
}

void Print_Wnd::showStatus(const QString& text)
{
    ui->print_status->setText(text);
}

void Print_Wnd::setUpPrinter(QPrinter& printer) const
{
    if (!logic.printInfoPrinter().isEmpty())
        printer.setPrinterName(logic.printInfoPrinter());
    printer.setDocName(QStringLiteral("ZOVA ID Card"));
    printer.setCopyCount(ui->Copies_Text->value());
    printer.setFullPage(true);
    printer.setPageLayout(printInfo());
    if (!printToFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printToFile);
    }
}

void Print_Wnd::Refresh_Preview()
{
    if (!m_preview)
        return;
    ui->Print_sclview->verticalScrollBar()->setValue(0);
    // The whole sheet in the room the window gives it, as the paper is shaped.
    const QSizeF paper(logic.settings().paperWidth, logic.settings().paperHeight);
    const QSize room = ui->Print_sclview->viewport()->size() - QSize(8, 8);
    if (paper.isEmpty() || room.isEmpty()) {
        ui->test_image_view->clear();
        return;
    }
    m_preview->resize(paper.scaled(QSizeF(room), Qt::KeepAspectRatio).toSize());
    ui->test_image_view->setPixmap(QPixmap::fromImage(m_preview->imageWithSubviews(devicePixelRatioF())));
}

bool Print_Wnd::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->Print_sclview->viewport() && event->type() == QEvent::Resize)
        Refresh_Preview();
    return QDialog::eventFilter(watched, event);
}

void Print_Wnd::PreviewButtonPressed()
{
    startJob(true);
}

void Print_Wnd::PrintButtonPressed()
{
    startJob(false);
}

void Print_Wnd::startJob(bool preview)
{
    // The status line speaks of the last job: a new one wipes it before any of its boxes opens.
    showStatus(QString());
    if (executePrinting)
        executePrinting(preview);
}

void Print_Wnd::CancelButtonPressed()
{
    PrintSheetSettings& s = logic.settings();
    s.Fit_Picture_To_Frame = false;
    s.Enable_Crop_Marks = false;
    s.Mirror_Image_Create = false;
    s.Mirror_Vertical_Not_Horz = false;
    reject();
}

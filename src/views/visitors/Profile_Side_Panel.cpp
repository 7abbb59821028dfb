#include "views/visitors/Profile_Side_Panel.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPixmap>
#include <QPushButton>
#include <QStandardItemModel>

#include "model/profiles/ProfileCaptions.h"
#include "model/profiles/User_Profile_Class.h"
#include "platform/PictureReading.h"
#include "platform/ResourcePaths.h"
#include "platform/StringHelpers.h"
#include "views/photos/ImageViewDrag.h"
#include "ui_Profile_Side_Panel.h"

Profile_Side_Panel* Front_Profile_Panel_OBJ = nullptr;
Profile_Side_Panel* Back_Profile_Panel_OBJ = nullptr;

namespace {

const QString kDateId = QStringLiteral("Fup_Date");
const QString kTimeId = QStringLiteral("Fup_Time");
const QString kPhotoId = QStringLiteral("Fup_Photo");
const QString kNoColumn = QStringLiteral("None");

// Item 0 is "None"; item n is the table's data column n.
int columnOfItem(int index)
{
    return index >= 1 ? index : -1;
}

}  // namespace

Profile_Side_Panel::Profile_Side_Panel(int side, QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::Profile_Side_Panel>())
    , m_side(side)
{
    ui->setupUi(this);
    setObjectName(side == 1 ? QStringLiteral("Back_Profile_Panel") : QStringLiteral("Front_Profile_Panel"));
    ui->side_title_lbl->setText(side == 1 ? QStringLiteral("Back") : QStringLiteral("Front"));
    ui->photo_path_txt->setObjectName(kPhotoId);
    ImageViewDrag::install(*ui->photo_view);
    buildFixedRows();
    connectButtons();
    setColumnTitles({});
    setMode(Mode::Visitor);
    Refresh_Controls();
}

Profile_Side_Panel::~Profile_Side_Panel() = default;

void Profile_Side_Panel::showPicture(QWidget* view, const QImage& picture)
{
    auto* label = qobject_cast<QLabel*>(view);
    if (!label)
        return;
    if (picture.isNull()) {
        label->clear();
        return;
    }
    // Qt shrinks a palette picture within its palette, which turns a two-colour one into a hatch.
    const QImage colour = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    label->setPixmap(QPixmap::fromImage(colour.scaled(label->maximumSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void Profile_Side_Panel::buildFixedRows()
{
    int row = 0;
    for (const User_Profile_Field& field : User_Profile_Fields()) {
        if (QLatin1String(field.valueId) != kPhotoId)
            addFixedRow(QLatin1String(field.valueId), row++);
    }
    m_fixed.append({kDateId, ui->date_lbl, nullptr, ui->date_txt, nullptr});
    m_fixed.append({kTimeId, ui->time_lbl, nullptr, ui->time_txt, nullptr});
    ui->date_txt->setObjectName(kDateId);
    ui->time_txt->setObjectName(kTimeId);
    connect(ui->date_txt, &QLineEdit::textEdited, this, [this](const QString& text) { Q_EMIT fieldEdited(kDateId, text); });
    connect(ui->time_txt, &QLineEdit::textEdited, this, [this](const QString& text) { Q_EMIT fieldEdited(kTimeId, text); });
    connect(ui->date_manual_chk, &QCheckBox::clicked, ui->date_txt, [this](bool on) { ui->date_txt->setReadOnly(!on); });
    connect(ui->time_manual_chk, &QCheckBox::clicked, ui->time_txt, [this](bool on) { ui->time_txt->setReadOnly(!on); });
    m_fixed.append({kPhotoId, nullptr, nullptr, ui->photo_path_txt, ui->photo_column_box});
    connect(ui->photo_column_box, &QComboBox::activated, this,
            [this](int index) { Q_EMIT columnChosen(kPhotoId, columnOfItem(index)); });
}

void Profile_Side_Panel::addFixedRow(const QString& ctrlId, int row)
{
    FixedRow fixed{ctrlId, new QLabel(ui->fields_box), new QCheckBox(ui->fields_box), new QLineEdit(ui->fields_box),
                   new QComboBox(ui->fields_box)};
    fixed.text->setObjectName(ctrlId);
    fixed.shown->setObjectName(ctrlId + QStringLiteral("_chk"));
    fixed.shown->setToolTip(QStringLiteral("Show on the card"));
    fixed.column->setObjectName(ctrlId + QStringLiteral("_col"));
    fixed.column->setMinimumWidth(110);
    fixed.column->setToolTip(QStringLiteral("The workbook column this field shows"));
    fixed.caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ui->fields_grid->addWidget(fixed.shown, row * 2, 0);
    ui->fields_grid->addWidget(fixed.caption, row * 2, 1);
    ui->fields_grid->addWidget(fixed.column, row * 2, 2);
    ui->fields_grid->addWidget(fixed.text, row * 2 + 1, 0, 1, 3);
    ui->fields_grid->setColumnStretch(1, 1);
    connect(fixed.text, &QLineEdit::textEdited, this, [this, ctrlId](const QString& text) { Q_EMIT fieldEdited(ctrlId, text); });
    connect(fixed.shown, &QCheckBox::clicked, this, [this, ctrlId](bool on) { Q_EMIT fieldShown(ctrlId, on); });
    connect(fixed.column, &QComboBox::activated, this,
            [this, ctrlId](int index) { Q_EMIT columnChosen(ctrlId, columnOfItem(index)); });
    m_fixed.append(fixed);
}

void Profile_Side_Panel::connectButtons()
{
    connect(ui->camera_btn, &QPushButton::clicked, this, &Profile_Side_Panel::cameraRequested);
    connect(ui->browse_photo_btn, &QPushButton::clicked, this, [this] { Q_EMIT photoFileRequested(kPhotoId); });
    connect(ui->register_visitor_btn, &QPushButton::clicked, this, &Profile_Side_Panel::registerRequested);
    connect(ui->print_pass_btn, &QPushButton::clicked, this, [this] { Q_EMIT passRequested(false); });
    connect(ui->preview_pass_btn, &QPushButton::clicked, this, [this] { Q_EMIT passRequested(true); });
    connect(ui->visitor_log_btn, &QPushButton::clicked, this, &Profile_Side_Panel::logRequested);
    connect(ui->add_record_btn, &QPushButton::clicked, this, &Profile_Side_Panel::addRecordRequested);
    connect(ui->save_excel_detail_btn, &QPushButton::clicked, this, &Profile_Side_Panel::saveRecordRequested);
    connect(ui->delete_record_btn, &QPushButton::clicked, this, &Profile_Side_Panel::deleteRecordRequested);
    connect(ui->view_data_btn, &QPushButton::clicked, this, &Profile_Side_Panel::viewDataRequested);
    connect(ui->add_field_btn, &QPushButton::clicked, this, [this] {
        Q_EMIT fieldAddRequested(newFieldKind(), ui->new_ctrl_name->text().trimmed());
        ui->new_ctrl_name->clear();
    });
}

void Profile_Side_Panel::setNewFieldKindToText()
{
    ui->new_ctrl_type->setCurrentIndex(0);
}

QString Profile_Side_Panel::newFieldKind() const
{
    return ui->new_ctrl_type->currentIndex() == 1 ? QStringLiteral("P") : QStringLiteral("T");
}

void Profile_Side_Panel::setMode(Mode mode)
{
    m_mode = mode;
    const bool group = mode == Mode::Group;
    ui->visitor_buttons->setVisible(!group);
    ui->group_buttons->setVisible(group);
    ui->date_time_box->setVisible(!group);
    for (const FixedRow& row : m_fixed) {
        if (row.column)
            row.column->setVisible(group);
    }
    for (QComboBox* column : std::as_const(m_userColumns))
        column->setVisible(group);
}

void Profile_Side_Panel::Refresh_Controls()
{
    for (const FixedRow& row : m_fixed) {
        if (row.caption)
            row.caption->setText(Profile_Field_Caption(row.ctrlId));
    }
    ui->photo_box->setTitle(Caption_Without_Colon(Title_image));
}

void Profile_Side_Panel::Set_User_Image_Control(const QString& path, const QImage& picture, const QString& ctrlId)
{
    const QString id = Trim_Str(ctrlId);
    if (!id.isEmpty() && m_selectElement && !m_selectElement(id))
        return;
    // The box holds the holder's photo alone: a stand-in picture of the program's is no photo.
    const QString trimmed = Holders_Photo_Path(path);
    ui->photo_path_txt->setText(trimmed);
    if (trimmed.isEmpty() || !QFileInfo(trimmed).isFile())
        showPhoto({});
    else
        showPhoto(picture.isNull() ? readPicturePreview(trimmed) : picture);
}

void Profile_Side_Panel::showPhoto(const QImage& picture)
{
    m_photo = picture;
    showPicture(ui->photo_view, picture);
}

QString Profile_Side_Panel::photoPath() const
{
    return ui->photo_path_txt->text();
}

const Profile_Side_Panel::FixedRow* Profile_Side_Panel::fixedRow(const QString& ctrlId) const
{
    for (const FixedRow& row : m_fixed) {
        if (row.ctrlId == ctrlId)
            return &row;
    }
    return nullptr;
}

const ProfilePanelRow* Profile_Side_Panel::userRow(const QString& ctrlId) const
{
    for (const QList<ProfilePanelRow>* rows : {&m_labelRows, &m_valueRows}) {
        for (const ProfilePanelRow& row : *rows) {
            if (row.controlId == ctrlId)
                return &row;
        }
    }
    return nullptr;
}

QLineEdit* Profile_Side_Panel::textBox(const QString& ctrlId) const
{
    if (const FixedRow* row = fixedRow(ctrlId))
        return row->text;
    const ProfilePanelRow* row = userRow(ctrlId);
    return row ? qobject_cast<QLineEdit*>(row->input) : nullptr;
}

QCheckBox* Profile_Side_Panel::checkBox(const QString& ctrlId) const
{
    if (const FixedRow* row = fixedRow(ctrlId))
        return row->shown;
    const ProfilePanelRow* row = userRow(ctrlId);
    return row ? row->check : nullptr;
}

QWidget* Profile_Side_Panel::Get_Dynamic_Photo_Ctrl(const QString& ctrlId) const
{
    for (const ProfilePanelRow& row : m_labelRows) {
        if (row.controlId == ctrlId && !qobject_cast<QLineEdit*>(row.input))
            return row.input;
    }
    return nullptr;
}

QCheckBox* Profile_Side_Panel::date_manual_chk() const
{
    return ui->date_manual_chk;
}

QCheckBox* Profile_Side_Panel::time_manual_chk() const
{
    return ui->time_manual_chk;
}

void Profile_Side_Panel::clearUserRows()
{
    qDeleteAll(m_userWidgets);
    m_userWidgets.clear();
    m_userColumns.clear();
    m_labelRows.clear();
    m_valueRows.clear();
}

void Profile_Side_Panel::Rebuild_User_Rows(const QList<DynamicControl>& controls)
{
    clearUserRows();
    // One row per value or picture, named by its caption, in the order the fields were added; a
    // caption has no row of its own.
    QList<DynamicControl> fields;
    for (const DynamicControl& control : controls) {
        const QString& id = control.controlId;
        if (id.contains(QLatin1String("_Photo")) || id.contains(QLatin1String("_field")))
            fields.append(control);
    }
    std::stable_sort(fields.begin(), fields.end(), [](const DynamicControl& a, const DynamicControl& b) {
        return Trailing_Number(a.controlId) < Trailing_Number(b.controlId);
    });
    int row = 0;
    for (const DynamicControl& control : fields) {
        const QString& id = control.controlId;
        const bool picture = id.contains(QLatin1String("_Photo"));
        auto* check = new QCheckBox(ui->user_rows_box);
        check->setObjectName(id + QStringLiteral("_chk"));
        check->setToolTip(QStringLiteral("Show on the card"));
        check->setChecked(control.visible);
        auto* caption = new QLabel(control.caption, ui->user_rows_box);
        caption->setObjectName(id + QStringLiteral("_caption"));
        // In group mode the row chooses its column, as the profile's fields do.
        auto* column = new QComboBox(ui->user_rows_box);
        column->setObjectName(id + QStringLiteral("_col"));
        column->setMinimumWidth(110);
        column->setToolTip(QStringLiteral("The workbook column this field shows"));
        fillColumnBox(*column);
        showColumn(*column, control.column);
        column->setVisible(m_mode == Mode::Group);
        connect(column, &QComboBox::activated, this, [this, id](int index) { Q_EMIT columnChosen(id, columnOfItem(index)); });
        QWidget* input = nullptr;
        QWidget* placed = nullptr;  // the input, or the picture view with its button
        if (picture) {
            placed = new QWidget(ui->user_rows_box);
            auto* view = new QLabel(placed);
            view->setFrameShape(QFrame::Box);
            view->setMinimumSize(64, 80);
            view->setMaximumSize(64, 80);
            ImageViewDrag::install(*view, [this, id](const QUrl& url) {
                Q_EMIT photoFileDropped(id, url.isLocalFile() ? url.toLocalFile() : url.toString());
            });
            const QImage own = readPicturePreview(control.value);
            showPicture(view, own.isNull() ? m_noPicture : own);
            // Beside the view, as the photo's own Browse… is.
            auto* browse = new QPushButton(ui->browse_photo_btn->text(), placed);
            browse->setObjectName(id + QStringLiteral("_browse"));
            connect(browse, &QPushButton::clicked, this, [this, id] { Q_EMIT photoFileRequested(id); });
            auto* beside = new QHBoxLayout(placed);
            beside->setContentsMargins(0, 0, 0, 0);
            beside->addWidget(view);
            beside->addWidget(browse, 0, Qt::AlignTop);
            beside->addStretch(1);
            input = view;
        } else {
            auto* text = new QLineEdit(control.value, ui->user_rows_box);
            connect(text, &QLineEdit::textEdited, this, [this, id](const QString& typed) { Q_EMIT fieldEdited(id, typed); });
            input = text;
            placed = text;
        }
        input->setObjectName(id);
        connect(check, &QCheckBox::clicked, this, [this, id](bool on) { Q_EMIT fieldShown(id, on); });
        ui->user_rows_grid->addWidget(check, row * 2, 0);
        ui->user_rows_grid->addWidget(caption, row * 2, 1);
        ui->user_rows_grid->addWidget(column, row * 2, 2);
        ui->user_rows_grid->addWidget(placed, row * 2 + 1, 0, 1, 3);
        ui->user_rows_grid->setColumnStretch(1, 1);
        ++row;
        m_userWidgets << check << caption << column << placed;
        m_userColumns.insert(id, column);
        (picture ? m_labelRows : m_valueRows).append({id, input, check});
    }
    ui->user_rows_box->setVisible(row > 0);
    setNewFieldKindToText();
    Change_btn_location();
}

void Profile_Side_Panel::Change_btn_location()
{
    // The buttons sit in the panel's column after the rows; a rebuild only has to lay out again.
    ui->panel_layout->invalidate();
    adjustSize();
}

void Profile_Side_Panel::clearProfileFields()
{
    for (const FixedRow& row : m_fixed) {
        if (!row.shown)
            continue;  // the date, the time and the photo path
        row.text->clear();
        row.shown->setChecked(false);
    }
}

void Profile_Side_Panel::Reset_Controls()
{
    for (const FixedRow& row : m_fixed) {
        row.text->clear();
        if (row.shown) {
            row.shown->setChecked(false);
            row.text->setReadOnly(false);
        }
    }
    ui->date_manual_chk->setChecked(false);
    ui->time_manual_chk->setChecked(false);
    ui->date_txt->setReadOnly(true);
    ui->time_txt->setReadOnly(true);
    showPhoto({});
    clearUserRows();
    ui->user_rows_box->setVisible(false);
}

void Profile_Side_Panel::setColumnTitles(const QStringList& titles, const QList<int>& notOffered)
{
    m_columnTitles = titles;
    m_notOffered = notOffered;
    for (const FixedRow& row : m_fixed) {
        if (row.column)
            fillColumnBox(*row.column);
    }
    for (QComboBox* column : std::as_const(m_userColumns)) {
        const int chosen = columnOfItem(column->currentIndex());
        fillColumnBox(*column);
        showColumn(*column, chosen);
    }
}

void Profile_Side_Panel::fillColumnBox(QComboBox& box) const
{
    box.clear();
    box.addItem(kNoColumn);
    box.addItems(m_columnTitles);
    // Kept in place, so that item n stays column n; neither listed nor reached by the keys.
    auto* items = qobject_cast<QStandardItemModel*>(box.model());
    auto* list = qobject_cast<QListView*>(box.view());
    for (const int column : m_notOffered) {
        if (column < 1 || column >= box.count())
            continue;
        if (items)
            items->item(column)->setEnabled(false);
        if (list)
            list->setRowHidden(column, true);
    }
}

QComboBox* Profile_Side_Panel::columnBox(const QString& ctrlId) const
{
    if (const FixedRow* row = fixedRow(ctrlId))
        return row->column;
    return m_userColumns.value(ctrlId);
}

int Profile_Side_Panel::chosenColumn(const QString& ctrlId) const
{
    const QComboBox* box = columnBox(ctrlId);
    return box ? columnOfItem(box->currentIndex()) : -1;
}

void Profile_Side_Panel::setChosenColumn(const QString& ctrlId, int column)
{
    if (QComboBox* box = columnBox(ctrlId))
        showColumn(*box, column);
}

void Profile_Side_Panel::showColumn(QComboBox& box, int column)
{
    const bool offered = column >= 1 && column < box.count()
                         && (box.model()->flags(box.model()->index(column, 0)) & Qt::ItemIsEnabled);
    box.setCurrentIndex(offered ? column : 0);
}

void Profile_Side_Panel::showDateTime(const QString& date, const QString& time)
{
    if (!ui->date_manual_chk->isChecked())
        ui->date_txt->setText(date);
    if (!ui->time_manual_chk->isChecked())
        ui->time_txt->setText(time);
}

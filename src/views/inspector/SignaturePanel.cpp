#include "views/inspector/SignaturePanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include "model/SKTSignature.h"
#include "platform/AppContext.h"
#include "views/inspector/BorderFields.h"
#include "views/inspector/CheckedNumberField.h"
#include "views/inspector/ColorWell.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/InspectorWindow.h"
#include "views/inspector/PictureFileChoice.h"
#include "views/inspector/PositionFields.h"
#include "ui_SignaturePanel.h"

void Set_NS_Text_View_String(QPlainTextEdit& view, const QString& text)
{
    if (view.toPlainText() != text)
        view.setPlainText(text);
}

SignaturePanel::SignaturePanel(const PanelContext& context, QObject* parent)
    : ElementPanel(context, parent), ui(std::make_unique<Ui::SignaturePanel>())
{
    ui->setupUi(m_context.view.page(QStringLiteral("sign_tab")));
    border().setUp();
    ui->Sign_Border_Box->setEnabled(false);
    connectControls();
}

SignaturePanel::~SignaturePanel() = default;

void SignaturePanel::connectControls()
{
    connect(ui->Sign_Browse_btn, &QPushButton::clicked, this, &SignaturePanel::Sign_Browse_Btn);
    connect(ui->Sign_border_chk, &QCheckBox::clicked, this, &SignaturePanel::Sign_Border_ChkBox);
    connect(ui->Sign_bor_Stepper, &QSpinBox::valueChanged, this, &SignaturePanel::Update_Sign_Graphics);
    connect(ui->Sign_bordr_clr, &ColorWell::colorChosen, this, &SignaturePanel::Update_Sign_Graphics);
    connect(ui->Sign_border_style, &QComboBox::activated, this, &SignaturePanel::Update_Sign_Graphics);
}

void SignaturePanel::load(SKTGraphic& graphic)
{
    m_context.view.sel_control_name().setText(graphic.sign_or_fingureprint);
    m_context.positions.Set_Control_Pos_And_Size(graphic);
    m_loadedPath = graphic._file_path;
    Set_NS_Text_View_String(*ui->Sign_image_path, m_loadedPath);
    border().load(graphic);
}

BorderFields SignaturePanel::border() const
{
    return {*ui->Sign_border_chk, *ui->Sign_bordr_clr, *ui->Sign_bor_Stepper, *ui->Sign_border_style, *ui->Sign_Border_Box};
}

std::optional<QString> SignaturePanel::changedPath() const
{
    // Only a path the user changed is written: the field shows the focused signature's path, and
    // writing it with a border change would give every selected signature that one picture. A
    // path that names no picture is written too: the signature then shows none.
    const QString typed = ui->Sign_image_path->toPlainText();
    if (typed == m_loadedPath)
        return std::nullopt;
    return typed;
}

void SignaturePanel::Update_Sign_Graphics()
{
    writeSignatures(changedPath());
}

void SignaturePanel::writeSignatures(const std::optional<QString>& path)
{
    if (Not_Draw_Only_Prop_Change || m_context.window.selectedGraphics().isEmpty())
        return;
    writeSelected(GraphicKind::Signature, [&](SKTGraphic& graphic) {
        graphic.print_object = m_context.positions.printObjectState();
        border().write(graphic);
        if (path)
            static_cast<SKTSignature&>(graphic).setFilePath(*path);
    });
    // The written path is the panel's from now on; "Default" shows as the sample's file.
    if (path)
        m_loadedPath = *path;
}

void SignaturePanel::Sign_Browse_Btn()
{
    // A chosen file goes to every selected signature, even when the field already showed its
    // path; one that names no picture shows none.
    const QString path =
        choosePictureFile(&m_context.view, tr("Choose a Signature or Fingerprint"), {QStringLiteral("png")});
    if (path.isEmpty())
        return;
    Set_NS_Text_View_String(*ui->Sign_image_path, path);
    writeSignatures(path);
}

void SignaturePanel::Sign_Border_ChkBox()
{
    border().enableBox();
    Update_Sign_Graphics();
}

#include "mainwindow/StartChooser.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "platform/FileHelpers.h"
#include "views/dialogs/Repeat_Image.h"

namespace {

struct StartChoice {
    const char* objectName;
    const char* title;
};

// In the order of the mode letters "T", "W", "L", "V", "G".
constexpr StartChoice kChoices[] = {
    {"Using_Template_btn", "Design from a template"},
    {"Using_Wizard_btn", "Design with the card wizard"},
    {"Open_Log_btn", "Open a saved design"},
    {"Using_Visitor_btn", "Visitor pass mode"},
    {"Using_Group_Batch_btn", "Group (batch) mode"},
};

const QString kModeLetters[] = {QStringLiteral("T"), QStringLiteral("W"), QStringLiteral("L"),
                                QStringLiteral("V"), QStringLiteral("G")};

}  // namespace

StartChooser::StartChooser(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Start"));
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(241, 244, 250));
    setPalette(background);

    // The banner runs across the whole top; the choices sit below it within the usual margins.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* banner = new Repeat_Image(this);
    banner->setObjectName(QStringLiteral("banner_view"));
    banner->setPattern(Main_App_wnd ? Main_App_wnd->pictures.banner_image : QImage());
    outer->addWidget(banner);
    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(12, 12, 12, 12);
    outer->addLayout(layout);
    auto* heading = new QLabel(QStringLiteral("How would you like to start?"), this);
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    layout->addWidget(heading);

    for (int index = 0; index < int(std::size(kChoices)); ++index) {
        auto* button = new QPushButton(QString::fromLatin1(kChoices[index].title), this);
        button->setObjectName(QString::fromLatin1(kChoices[index].objectName));
        button->setMinimumHeight(36);
        connect(button, &QPushButton::clicked, this, [this, index] { Select_card_option(index); });
        layout->addWidget(button);
    }

    auto* footer = new QHBoxLayout;
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    help->setObjectName(QStringLiteral("Help_btn"));
    connect(help, &QPushButton::clicked, this, [] { Open_Help_File(); });
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Cancel_btn"));
    connect(cancel, &QPushButton::clicked, this, &StartChooser::CancelClick);
    footer->addWidget(help);
    footer->addStretch();
    footer->addWidget(cancel);
    layout->addLayout(footer);
}

void StartChooser::Select_card_option(int index)
{
    if (index < 0 || index >= int(std::size(kModeLetters)))
        return;
    Start_Card_Option = kModeLetters[index];
    accept();
}

void StartChooser::CancelClick()
{
    Start_Card_Option.clear();
    reject();
}

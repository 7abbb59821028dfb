#include "mainwindow/TemplateCommands.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QVBoxLayout>

#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/OutputCommands.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/WindowDesignFile.h"
#include "output/CardFileWriter.h"
#include "output/OutputPictures.h"
#include "output/SideSnapshot.h"
#include "platform/AppContext.h"
#include "platform/AtomicFile.h"
#include "platform/DialogPresenter.h"
#include "platform/FileHelpers.h"
#include "platform/Log.h"
#include "platform/MessageBoxes.h"

QString export_template_name;

namespace {

// The template's picture is the design exported as it stands: a two-sided card's front and back
// joined into one picture (one above the other for a card wider than high, else side by side), a
// one-sided card's front alone. False, with the reason in the log, when it cannot be written.
bool Write_Template_Picture(const SKTWindowController& controller, const QString& path)
{
    const SKTDocument& design = controller.document();
    const bool bothSides = CARD_SIDE_STR == QLatin1String("2");
    OutputPictures pictures;
    const SideSnapshot front = snapshotForOutput(design.graphics(), CardSide::Front, pictures);
    const SideSnapshot back =
        bothSides ? snapshotForOutput(design.graphics_back(), CardSide::Back, pictures) : SideSnapshot();
    QString error = !front.isWhole() ? front.failure : bothSides && !back.isWhole() ? back.failure : QString();
    if (error.isEmpty()) {
        const QSizeF card = controller.Front_card_Prop.Card_Size();
        CardFile file;
        file.path = path;
        file.front = front.image;
        file.back = back.image;
        file.joined = bothSides;
        file.sideBySide = card.width() <= card.height();
        const QByteArray bytes = cardFileBytes(file, &error);
        if (!bytes.isEmpty() && writeFileWhole(path, bytes, &error))
            return true;
    }
    Show_NSLog_Message(QStringLiteral("The template's picture %1 was not written: %2").arg(path, error));
    return false;
}

}  // namespace

Export_Template::Export_Template(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Export as Template"));
    template_name = new QLineEdit(this);
    template_name->setObjectName(QStringLiteral("template_name"));
    template_passed = new QLabel(this);
    template_passed->setObjectName(QStringLiteral("template_passed"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &Export_Template::OK_Pressed);
    connect(buttons, &QDialogButtonBox::rejected, this, &Export_Template::Cancel_Pressed);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Template name:"), this));
    layout->addWidget(template_name);
    layout->addWidget(template_passed);
    layout->addWidget(buttons);
}

void Export_Template::OK_Pressed()
{
    const QString name = Clean_File_Name(template_name->text());
    template_name->setText(name);
    if (name.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please enter template name."));
        return;
    }
    if (QFile::exists(User_Template_File(name, QStringLiteral("did")))
        && Show_YES_NO_MessageBox(QStringLiteral(
               "Template with this name already exists, Do you want to replace the existing template?"))
            != 1)
        return;
    export_template_name = name;
    done(QDialog::Accepted);
}

void Export_Template::Cancel_Pressed()
{
    template_name->clear();
    export_template_name.clear();
    done(QDialog::Rejected);
}

QString User_Template_Folder()
{
    return Created_Resource_Path + QStringLiteral("/Templates/User");
}

QString User_Template_File(const QString& name, const QString& extension)
{
    return User_Template_Folder() + QLatin1Char('/') + name + QLatin1Char('.') + extension;
}

bool Export_As_Template_Clicked(SKTWindowController& controller)
{
    Export_Template window(controller.window());
    if (dialogPresenter().runModal(window) != QDialog::Accepted)
        return false;

    // The old pair is not deleted first: both writers replace a file whole, so a failed export
    // leaves the earlier template usable.
    const QString design = User_Template_File(export_template_name, QStringLiteral("did"));
    const QString preview = User_Template_File(export_template_name, QStringLiteral("png"));
    SKTDocument& document = controller.document();
    bool written = QDir().mkpath(User_Template_Folder());
    if (written) {
        const QString projectFile = Project_File_Name;
        const int side = Card_Front_Or_Back;
        Set_Front_Back_Value_To_Print_Export_Mail(controller);
        Project_File_Name = design;
        written = WindowDesignFile(controller).file().Save_project_file(design, false, QStringLiteral("T"));
        controller.designBackup.Create_Card_Design_Again(document);
        Card_Front_Or_Back = side;
        Set_Graphic_Array_According_Side(controller);
        Project_File_Name = projectFile;
        controller.Set_Log_Name_In_Title();
        controller.Refresh_Canvas();
    }
    written = written && Write_Template_Picture(controller, preview);
    Show_MessageBox(written ? QStringLiteral("Template exported successfully.")
                            : QStringLiteral("Template could not be exported."));
    return written;
}

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
#include "platform/DialogPresenter.h"
#include "platform/FileHelpers.h"
#include "platform/MessageBoxes.h"
#include "render/ImageResolution.h"
#include "render/SKTRenderingView.h"

QString export_template_name;

namespace {

constexpr double kPreviewDpi = 150.0;

bool Write_Front_Preview(const SKTDocument& document, const QString& path)
{
    const QImage picture = Increase_DPI(SKTRenderingView::image_From_Card_Graphics(document.graphics(), CardSide::Front), kPreviewDpi);
    return !picture.isNull() && Save_gen_image(picture, path);
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
    written = written && Write_Front_Preview(document, preview);
    Show_MessageBox(written ? QStringLiteral("Template exported successfully.")
                            : QStringLiteral("Template could not be exported."));
    return written;
}

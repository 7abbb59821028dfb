#include <QApplication>
#include <QDir>
#include <QFileIconProvider>

#include "data/SpreadsheetWriter.h"
#include "mainwindow/MainWindowUtilities.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/WindowSetup.h"
#include "mainwindow/WizardStartWindows.h"
#include "model/SKTDocument.h"
#include "photos/PicturePreview.h"
#include "views/dialogs/QtDialogPresenter.h"
#include "views/dialogs/QtMessagePresenter.h"
#include "views/photos/Cropping_Tool.h"
#include "views/photos/Image_Library.h"
#include "views/photos/PhotoWindows.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(App_Name);
    // Message boxes, dialogs and file panels reach the user through these from now on.
    static QtMessagePresenter messageBoxes;
    setMessagePresenter(&messageBoxes);
    static QtDialogPresenter dialogs;
    setDialogPresenter(&dialogs);
    // The desktop's file icons, with the widget style's own where the icon theme has none.
    static const QFileIconProvider fileIcons;
    setPreviewIconProvider(&fileIcons);
    // A run that was killed while unpacking a workbook left its folder behind.
    SpreadsheetWriter::removeStaleTemporaryFolders(QDir::tempPath());
    // The start road's template window, card wizard and group-mode wizard.
    static WizardStartWindows startWindows;
    setStartWindows(&startWindows);

    SKTDocument document;
    SKTDocument::setWindowControllerFactory(
        [](SKTDocument& doc) { new SKTWindowController(doc, &doc); });
    document.makeWindowControllers();
    SKTWindowController* controller = SKTWindowController::defaultInstance();
    if (!controller)
        return 1;
    // The cropping tool and the picture library; the camera is still a stand-in.
    static Cropping_Tool croppingWindow({controller->Allowd_Image_fileTypes, &Image_Is_Over_Size});
    // Not static: its thumbnails are pixmaps, which must go before the application does.
    Image_Library libraryWindow;
    setPhotoWindows(nullptr, &libraryWindow, &croppingWindow);
    switch (awakeFromNib(*controller)) {
    case SetupOutcome::FoldersUnusable:
        return 1;
    case SetupOutcome::Cancelled:
        return 0;
    case SetupOutcome::Started:
        break;
    }
    return app.exec();
}

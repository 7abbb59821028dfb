#include <QApplication>
#include <QDir>
#include <QFileIconProvider>
#include <QScopeGuard>

#include "data/SpreadsheetWriter.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowUtilities.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/WindowSetup.h"
#include "mainwindow/WizardStartWindows.h"
#include "model/SKTDocument.h"
#include "photos/PicturePreview.h"
#include "views/dialogs/QtDialogPresenter.h"
#include "views/dialogs/QtMessagePresenter.h"
#include "views/dialogs/WindowKeepers.h"
#include "views/photos/Camera.h"
#include "views/photos/Cropping_Tool.h"
#include "views/photos/Image_Library.h"
#include "views/photos/PhotoWindows.h"
#include "views/photos/QtCameraSource.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(App_Name);
    // Message boxes, dialogs and file panels reach the user through these from now on.
    static QtMessagePresenter messageBoxes;
    setMessagePresenter(&messageBoxes);
    static QtDialogPresenter dialogs;
    setDialogPresenter(&dialogs);
    // Every window, also those shown without the presenters (progress windows, the picture
    // library): its title whole, and on the screen when it grows (another page, a preview).
    installWindowKeepers(app);
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
    // The photo windows. They and the computer's cameras end before the application: Qt Multimedia
    // needs it alive to close, and the library's thumbnails are pixmaps.
    QtCameraSource cameras;
    Cropping_Tool croppingWindow({controller->Allowd_Image_fileTypes, &Image_Is_Over_Size, &cameras});
    Camera cameraWindow(cameras, {[] { return Camera_Folder_Path; }, &Default_Camera_Folder_Path,
                                  [controller](const QString& folder) {
                                      Camera_Folder_Path = folder;
                                      Create_Camera_Path_File(controller->camera_path_file, folder);
                                  }});
    Image_Library libraryWindow;
    setPhotoWindows(&cameraWindow, &libraryWindow, &croppingWindow);
    const auto uninstallPhotoWindows = qScopeGuard([] { setPhotoWindows(nullptr, nullptr, nullptr); });
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

#include <QApplication>

#include "canvas/model/SKTDocument.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(App_Name);

    SKTDocument document;
    SKTDocument::setWindowControllerFactory(
        [](SKTDocument& doc) { new SKTWindowController(doc, &doc); });
    document.makeWindowControllers();
    if (Main_App_wnd)
        Main_App_wnd->showWindow();
    return app.exec();
}

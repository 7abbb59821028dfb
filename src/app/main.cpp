#include <QApplication>

#include "canvas/model/SKTDocument.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/StartDispatch.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(App_Name);

    SKTDocument document;
    SKTDocument::setWindowControllerFactory(
        [](SKTDocument& doc) { new SKTWindowController(doc, &doc); });
    document.makeWindowControllers();
    if (Main_App_wnd) {
        Main_App_wnd->showWindow();
        if (!Open_Start_Window(*Main_App_wnd))
            return 0;
    }
    return app.exec();
}

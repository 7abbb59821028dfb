// clipboard-probe: copies a sample card element from a canvas to the X clipboard and keeps
// serving it until killed, so that other programs (xclip) can ask for its types and data.
// Runs on the X display of the environment (for example under tests/support/with-display.sh).
#include <QApplication>
#include <cstdio>

#include "SampleCard.h"
#include "model/SKTDocument.h"
#include "views/canvas/SKTGraphicView.h"

int main(int argc, char** argv)
{
    // The clipboard must be the display's, whatever platform the caller's environment names.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);

    SKTDocument document;
    SKTGraphicView view;
    view.setList(&document, SKTDocument::FrontSide);
    view.insertGraphics({sample::shape(QStringLiteral("R"), QRectF(20, 20, 120, 60), QColor(250, 200, 200))}, {0});
    view.selectAll();
    view.copy();

    std::puts("copied");
    std::fflush(stdout);
    return app.exec();
}

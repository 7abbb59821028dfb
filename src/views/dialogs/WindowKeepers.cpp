#include "views/dialogs/WindowKeepers.h"

#include <QCoreApplication>

#include "views/dialogs/OnScreenWindows.h"
#include "views/dialogs/WholeTitles.h"

void installWindowKeepers(QCoreApplication& app)
{
    static WholeTitles wholeTitles;
    static OnScreenWindows onScreen;
    // A filter installed again is not installed twice.
    app.installEventFilter(&wholeTitles);
    app.installEventFilter(&onScreen);
}

#include "mainwindow/CardSideDrawing.h"

#include <exception>

#include "mainwindow/MainWindowGlobals.h"
#include "model/CardHost.h"
#include "model/drawing/CardBackgroundDrawing.h"
#include "platform/Log.h"
#include "views/inspector/InspectorGlobals.h"

namespace {

template <typename Drawing>
void logFailures(const char* what, Drawing drawing)
{
    try {
        drawing();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromUtf8(e.what())));
    } catch (...) {
        Show_NSLog_Message(QStringLiteral("%1: unknown failure").arg(QLatin1String(what)));
    }
}

const Card_Property& currentSide()
{
    return cardHost().cardProperty(Card_Front_Or_Back.load());
}

}  // namespace

void Card_Base_Drawing(QPainter& painter)
{
    logFailures("Card_Base_Drawing", [&painter] {
        drawCardBase(painter, currentSide(), Card_Shape, cardHost().frontCanvasBounds());
    });
}

void Card_Border_Drawing(QPainter& painter)
{
    logFailures("Card_Border_Drawing", [&painter] {
        drawCardOverlay(painter, currentSide(), Card_Shape, cardHost().frontCanvasBounds());
    });
}

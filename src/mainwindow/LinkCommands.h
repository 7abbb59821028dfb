#pragma once
// The Help menu's links: mail to the makers and their web pages, opened by the desktop, and
// the windows presenting our other products.
#include <QString>
#include <QUrl>
#include <functional>

class SKTWindowController;

struct LinkCommand {
    const char* name;   // the command's name, also the menu item's object name
    const char* title;  // the menu item's text
    QUrl address;
};

// In menu order.
const QList<LinkCommand>& linkCommands();

// Who opens addresses; tests replace it. The default hands them to the desktop.
using UrlOpener = std::function<bool(const QUrl&)>;
void setUrlOpener(UrlOpener opener);
// Opens the named link; false when there is no such link or the desktop refused it.
bool Open_Link(const QString& name);

// The promotion window for one of our products, by its one-letter code.
void Open_Promotion(QChar softwareType);

// Adds the links and the promotion windows to the Help menu.
void Connect_Link_Commands(SKTWindowController& controller);

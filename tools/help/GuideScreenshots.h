#pragma once
// Pictures of the real window for the user guide, taken off screen.
#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>

// Starts the main window as a user does, opening a sample staff card through the start chooser,
// and takes the pictures the guide shows, keyed by the names its Markdown gives them:
// "start-chooser.png", "main-window.png" and "selected-element.png". Empty, with the reason in
// *error, when the window did not open the sample as a user would see it. The pictures show a
// user's folders in place of the temporary and build folders they are taken in; *shownPaths gets
// every text with a slash that they show.
QHash<QString, QImage> takeGuideScreenshots(QString* error, QStringList* shownPaths);

#include "mainwindow/WindowPlacement.h"

#include <QMainWindow>
#include <QSettings>

#include "model/SKTDocument.h"

namespace {

const QString kGeometryKey = QStringLiteral("main_window/geometry");

QSettings placementSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, App_Name, QStringLiteral("window"));
}

}  // namespace

void Show_Window_Where_Remembered(QMainWindow& window)
{
    // restoreGeometry keeps a remembered place on a screen that still exists.
    if (window.restoreGeometry(placementSettings().value(kGeometryKey).toByteArray()))
        window.show();
    else
        window.showMaximized();
}

void Remember_Window_Placement(const QMainWindow& window)
{
    QSettings settings = placementSettings();
    settings.setValue(kGeometryKey, window.saveGeometry());
}

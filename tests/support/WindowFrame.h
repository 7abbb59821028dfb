#pragma once
// The frame a window manager put round a window, for pictures of a window as a person sees it.
#include <QMargins>
#include <QProcess>
#include <QRegularExpression>
#include <QWidget>

// Left, top, right and bottom of the frame, read from the X server: Qt learns of a frame only
// from events that may come before the window manager framed it. Empty without a frame.
inline QMargins frameExtents(const QWidget& window)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window.winId()),
                                           QStringLiteral("_NET_FRAME_EXTENTS")});
    if (!xprop.waitForFinished(5000))
        return {};
    const QRegularExpressionMatch found =
        QRegularExpression(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)")).match(QString::fromLatin1(xprop.readAll()));
    if (!found.hasMatch())
        return {};
    return QMargins(found.captured(1).toInt(), found.captured(3).toInt(), found.captured(2).toInt(),
                    found.captured(4).toInt());
}

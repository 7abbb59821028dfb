#pragma once
// The frame a window manager put round a window, for pictures of a window as a person sees it.
#include <QGuiApplication>
#include <QMargins>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QProcess>
#include <QRegularExpression>
#include <QWidget>
#include <gtest/gtest.h>

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

// Shows the window (if hidden) and waits until the window manager framed it and it stayed in
// place for settleMs; its frame, or empty margins with a test failure when no window manager
// framed it.
inline QMargins showFramed(QWidget& window, int settleMs = 300)
{
    if (!window.isVisible()) {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) {
            ADD_FAILURE() << "the window \"" << window.windowTitle().toStdString() << "\" was never shown";
            return {};
        }
    }
    QMargins frame;
    if (!QTest::qWaitFor([&] { return (frame = frameExtents(window)).top() > 0; }, 15000)) {
        ADD_FAILURE() << "no window manager drew a title bar round \"" << window.windowTitle().toStdString() << "\"";
        return {};
    }
    // Settled: a window the program moves back onto the screen as it grows goes through the
    // window manager, which a loaded machine may take a while over.
    for (int round = 0; round < 20; ++round) {
        const QRect before = window.frameGeometry();
        QTest::qWait(settleMs);
        if (window.frameGeometry() == before)
            break;
    }
    return frame;
}

// The window as the screen shows it: with its frame and 8 pixels round it.
inline QPixmap grabFramed(const QWidget& window, QMargins frame)
{
    const QRect framed = window.geometry().marginsAdded(frame).adjusted(-8, -8, 8, 8);
    return window.screen()->grabWindow(0, framed.x(), framed.y(), framed.width(), framed.height());
}

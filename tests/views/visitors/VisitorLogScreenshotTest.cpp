// The visitor log window on an X server under a window manager, pictured as a user sees it: three
// visitors listed, the second selected with its photo shown.
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/WindowFrame.h"
#include "views/visitors/VisitorPassDesign.h"
#include "views/visitors/Visitor_Log_Records.h"

namespace {

// A portrait stand-in: a face-coloured oval on a blue ground.
QString portrait(const QDir& folder, const QString& name, const QColor& ground)
{
    QImage photo(240, 300, QImage::Format_RGB32);
    photo.fill(ground);
    QPainter painter(&photo);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(236, 200, 168));
    painter.drawEllipse(QRectF(60, 50, 120, 150));
    painter.drawEllipse(QRectF(30, 210, 180, 160));
    painter.end();
    const QString path = folder.filePath(name);
    photo.save(path);
    return path;
}

}  // namespace

TEST(VisitorLogScreenshots, TheLogWindowWithAVisitorSelected)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server and a window manager: ctest runs this under with-display.sh --wm";
    QTemporaryDir folder;
    const QDir photos(folder.path());
    VisitorLog log;
    ASSERT_TRUE(log.open(folder.filePath(QStringLiteral("Visitor.db"))));
    const struct {
        const char* name;
        const char* company;
        const char* purpose;
        QColor ground;
    } visitors[] = {{"Ana Souza", "Harbour Logistics", "Interview", QColor(70, 110, 170)},
                    {"Li Wei", "Northwind Systems", "Delivery", QColor(60, 140, 110)},
                    {"Olivia Martin", "Atrium Events", "Meeting", QColor(150, 90, 140)}};
    int n = 0;
    for (const auto& v : visitors) {
        const QString photo = portrait(photos, QStringLiteral("p%1.png").arg(n), v.ground);
        ++n;
        VisitorRecord record = sampleVisitor(QString::fromUtf8(v.name), photo, QStringLiteral("V-000%1").arg(n));
        record.companyName = QString::fromUtf8(v.company);
        record.purpose = QString::fromUtf8(v.purpose);
        ASSERT_GT(log.add(record), 0);
    }
    Visitor_Log_Records window(log);
    window.Refresh_Rows();
    window.findChild<QTableWidget*>(QStringLiteral("Visitor_Table"))->selectRow(1);
    ASSERT_FALSE(window.logic.photo().isNull());
    const QMargins frame = showFramed(window);
    QDir().mkpath(QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR));
    EXPECT_TRUE(grabFramed(window, frame).save(QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR "/log-window.png")));
}

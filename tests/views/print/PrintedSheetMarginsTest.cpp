// Every layout, with and without auto-centre, printed from a freshly opened print window that
// loaded the shipped Default profile: the cards' margins on the PDF page, measured by poppler and
// ImageMagick. Auto-centred cells are spread evenly, one gap before the first column and above the
// first row, so the block has the same room left and right and above and below; without it the
// block sits at the top-left corner of the printable area.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "PrintTestSheet.h"
#include "StandInPrinters.h"
#include "platform/CanvasGlobals.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "views/inspector/PrintInfo.h"
#include "views/print/PrintJob.h"
#include "views/print/Print_Wnd.h"

namespace {

constexpr qreal kPointsPerMm = 72 / 25.4;
// "Card Printer": A4 with 5-point margins; the card is CR80, 85.6 x 54 mm.
constexpr qreal kPaperWidth = 595.28;
constexpr qreal kPaperHeight = 841.89;
constexpr qreal kPrinterMargin = 5;
const QSizeF kCard(85.6 * kPointsPerMm, 54 * kPointsPerMm);

struct Layout {
    const char* name;
    const char* side;  // the side radio
    int index;         // in the layout list of those sides
    bool centred;
};

// Left, top, right and bottom room round the cards on the page, in points, rounded to pixels.
struct Room {
    int left, top, right, bottom;
};

Room roomOf(const QString& box)
{
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("(\\d+)x(\\d+)\\+(\\d+)\\+(\\d+)")).match(box);
    const int w = m.captured(1).toInt(), h = m.captured(2).toInt(), x = m.captured(3).toInt(), y = m.captured(4).toInt();
    return {x, y, int(std::lround(kPaperWidth)) - x - w, int(std::lround(kPaperHeight)) - y - h};
}

// What the page should show for cells of size cell on rows x columns: spread evenly under
// auto-centre, else from the printable area's top-left corner with the gaps typed.
Room expectedRoom(QSizeF cell, int rows, int columns, QSizeF gaps, bool centred)
{
    const qreal across = kPaperWidth - 2 * kPrinterMargin;
    const qreal down = kPaperHeight - 2 * kPrinterMargin;
    if (centred) {
        const qreal x = kPrinterMargin + (across - columns * cell.width()) / (columns + 1);
        const qreal y = kPrinterMargin + (down - rows * cell.height()) / (rows + 1);
        return {int(std::lround(x)), int(std::lround(y)), int(std::lround(x)), int(std::lround(y))};
    }
    const qreal w = columns * cell.width() + (columns - 1) * gaps.width();
    const qreal h = rows * cell.height() + (rows - 1) * gaps.height();
    return {int(kPrinterMargin), int(kPrinterMargin), int(std::lround(kPaperWidth - kPrinterMargin - w)),
            int(std::lround(kPaperHeight - kPrinterMargin - h))};
}

QSizeF cellOf(const Layout& layout)
{
    if (QLatin1String(layout.side) != QLatin1String("side_both") || layout.index >= 3)
        return kCard;
    if (layout.index == 2)
        return {2 * kCard.width(), kCard.height()};
    return {kCard.width(), 2 * kCard.height()};
}

}  // namespace

TEST(PrintedSheetMarginsTest, EveryLayoutPrintsWhereItsSettingsPutItFromAFreshWindow)
{
    const QList<Layout> layouts{
        {"front-above-back-turned", "side_both", 0, true}, {"front-above-back-turned", "side_both", 0, false},
        {"front-above-back", "side_both", 1, true},        {"front-above-back", "side_both", 1, false},
        {"front-beside-back", "side_both", 2, true},       {"front-beside-back", "side_both", 2, false},
        {"duplex-back-upright", "side_both", 3, true},     {"duplex-back-upright", "side_both", 3, false},
        {"duplex-back-turned", "side_both", 4, true},      {"duplex-back-turned", "side_both", 4, false},
        {"front-upright", "side_front", 0, true},          {"front-upright", "side_front", 0, false},
        {"front-turned", "side_front", 1, true},           {"front-turned", "side_front", 1, false},
        {"back-upright", "side_back", 0, true},            {"back-upright", "side_back", 0, false},
        {"back-turned", "side_back", 1, true},             {"back-turned", "side_back", 1, false}};

    QTemporaryDir profiles;
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZOVA_TEST_RESOURCE_DIR "/PrintProfile/Default.zvp"),
                            profiles.filePath("Default.zvp")));
    print_profile_path = profiles.path();
    QPageLayout a4 = printInfo();
    a4.setPageSize(QPageSize(QPageSize::A4));
    a4.setOrientation(QPageLayout::Portrait);
    setPrintInfo(a4);
    StandInPrinters printers;
    printers.names = {QStringLiteral("Card Printer")};
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter installed(messages);
    ScriptedDialogPresenter dialogs;
    QTemporaryDir output;
    QDir().mkpath(QStringLiteral(ZOVA_PRINT_ARTIFACT_DIR));
    const PrintDesign design{true, 0, false, false, PrintTest::colouredCard(QColor(200, 40, 40), kCard),
                             PrintTest::colouredCard(QColor(40, 60, 200), kCard), {}};

    for (const Layout& layout : layouts) {
        const QString name = QStringLiteral("%1-%2").arg(QLatin1String(layout.name),
                                                         layout.centred ? QStringLiteral("centred") : QStringLiteral("top-left"));
        SCOPED_TRACE(name.toStdString());
        Print_Wnd window;
        window.prepare(design, [](bool, bool) { return 1; });
        // The shipped profile: both sides, front above and back turned, auto-centre.
        ASSERT_TRUE(window.findChild<QCheckBox*>("Auto_Center_chk_bx")->isChecked());
        // Only what differs from the profile is touched: the profile's own layout prints untouched.
        if (!window.findChild<QRadioButton*>(layout.side)->isChecked())
            window.findChild<QRadioButton*>(layout.side)->click();
        const char* list = QLatin1String(layout.side) == QLatin1String("side_both") ? "print_alignment"
                                                                                    : "print_alignment_one_side";
        window.findChild<QComboBox*>(list)->setCurrentIndex(layout.index);
        auto* centre = window.findChild<QCheckBox*>("Auto_Center_chk_bx");
        if (centre->isChecked() != layout.centred)
            centre->click();

        const QString pdf = output.filePath(name + QStringLiteral(".pdf"));
        window.printToFile = pdf;
        window.executePrinting = [&window](bool preview) {
            QPrinter printer;
            window.setUpPrinter(printer);
            PrintJob job(window.logic.settings(), PrintRecords{}, &window);
            job.Execute_Printing(preview, printer, printRangeFrom(window.rangeBlock()));
        };
        window.findChild<QPushButton*>("PrintButton")->click();
        const int rows = window.findChild<QSpinBox*>("Row_Text")->value();
        const int columns = window.findChild<QSpinBox*>("Col_Text")->value();
        const QSizeF gaps = QSizeF(window.findChild<QDoubleSpinBox*>("horz_mar_Text")->value(),
                                   window.findChild<QDoubleSpinBox*>("vert_mar_Text")->value()) * kPointsPerMm;
        const Room room = roomOf(PrintTest::trimmedBox(pdf, 1, output.path()));
        QFile::remove(QStringLiteral(ZOVA_PRINT_ARTIFACT_DIR "/printed-") + name + QStringLiteral(".png"));
        QFile::copy(output.filePath("page.png"), QStringLiteral(ZOVA_PRINT_ARTIFACT_DIR "/printed-") + name + ".png");
        const Room expected = expectedRoom(cellOf(layout), rows, columns, gaps, layout.centred);
        EXPECT_NEAR(room.left, expected.left, 1);
        EXPECT_NEAR(room.top, expected.top, 1);
        EXPECT_NEAR(room.right, expected.right, 1);
        EXPECT_NEAR(room.bottom, expected.bottom, 1);
        if (layout.centred) {
            EXPECT_NEAR(room.left, room.right, 1);
            EXPECT_NEAR(room.top, room.bottom, 1);
        }
        // Every cell that fits shows: at least one row and column, and nothing on the page's edge.
        EXPECT_GE(std::min({room.left, room.top, room.right, room.bottom}), int(kPrinterMargin));
        EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join('|').toStdString();
    }
    print_profile_path = QString();
}

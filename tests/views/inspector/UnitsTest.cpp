// The user's units: the factor table, the size fields' conversions, the captions and the unit
// dialog.
#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>
#include <QTest>
#include <bit>
#include <gtest/gtest.h>

#include "platform/Units.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/TestEnvironment.h"
#include "views/inspector/UnitLabels.h"
#include "views/inspector/Unit_PrefWindow.h"

namespace {

std::uint32_t bits(float value)
{
    return std::bit_cast<std::uint32_t>(value);
}

}  // namespace

TEST(UnitsTest, FactorTableInSinglePrecision)
{
    const float expected[3][3] = {{1, 2.54f, 25.4f}, {0.39370078f, 1, 10}, {0.03937008f, 0.1f, 1}};
    for (int from = 0; from < 3; ++from)
        for (int into = 0; into < 3; ++into)
            EXPECT_EQ(bits(Get_Unit_Convertor(from, into)), bits(expected[from][into])) << from << "->" << into;
    for (const auto& [from, into] : {std::pair{1, 1}, {2, 5}, {7, 0}, {-1, 2}})
        EXPECT_EQ(Get_Unit_Convertor(from, into), 1.0f) << from << "->" << into;

    const float centimetres = Apply_unit_Chaneg_Values(2.0f, kUnitInch, kUnitCentimetre);
    EXPECT_EQ(bits(centimetres), bits(5.0799999f));
    EXPECT_EQ(bits(Apply_unit_Chaneg_Values(centimetres, kUnitCentimetre, kUnitInch)), bits(1.9999999f));
    EXPECT_NEAR(Apply_unit_Chaneg_Values(85.6f, kUnitMillimetre, kUnitInch), 3.37008f, 1e-5);
    EXPECT_EQ(bits(Apply_unit_Chaneg_Values(85.6f, kUnitMillimetre, kUnitMillimetre)), bits(85.6f));
}

TEST(UnitsTest, SizesBetweenUnitsAndPoints)
{
    EXPECT_NEAR(unitToPoints(3.375f, kUnitInch), 243.0f, 1e-3);
    EXPECT_EQ(pointsToUnit(72.0f, kUnitInch), 1.0f);
    for (int unit : {kUnitInch, kUnitCentimetre, kUnitMillimetre})
        EXPECT_NEAR(pointsToUnit(unitToPoints(5.5f, unit), unit), 5.5f, 1e-5) << unit;

    // GNU units (scripts/deps.sh tests installs it) names the PostScript point: its "point" may be
    // the printer's. Its figures, as it printed them, hold where it is missing.
    const struct {
        const char *from, *into;
        double figure, ours, within;
    } conversions[] = {{"85.6 mm", "postscriptpoint", 242.64567, unitToPoints(85.6f, kUnitMillimetre), 1e-4},
                       {"2 cm", "postscriptpoint", 56.692913, unitToPoints(2.0f, kUnitCentimetre), 1e-4},
                       {"1 postscriptpoint", "mm", 0.35277778, pointsToMillimetres(1.0), 1e-8}};
    const QString units = QStandardPaths::findExecutable(QStringLiteral("units"));
    EXPECT_FALSE(units.isEmpty()) << "GNU units is not installed: scripts/deps.sh tests installs it";
    for (const auto& c : conversions) {
        EXPECT_NEAR(c.ours, c.figure, c.within) << c.from;
        if (!units.isEmpty()) {
            const QByteArray theirs =
                TestEnvironment::run(units, {QStringLiteral("-t"), QString::fromLatin1(c.from), QString::fromLatin1(c.into)}).out;
            EXPECT_NEAR(c.ours, theirs.trimmed().toDouble(), c.within) << c.from;
        }
    }
}

TEST(UnitsTest, CaptionsForEachUnit)
{
    EXPECT_EQ(unitLabels(kUnitInch).position, QStringLiteral("(pt)"));
    EXPECT_EQ(unitLabels(kUnitInch).size, QStringLiteral("(in)"));
    EXPECT_EQ(unitLabels(kUnitCentimetre).cardSizeBox, QStringLiteral("Card Size (cm)"));
    EXPECT_EQ(unitLabels(7).cardSizeBox, QStringLiteral("Card Size (mm)"));
}

// The dialog opens on the unit in force, and only OK hands a choice back.
TEST(UnitsTest, UnitDialogAnswersOnlyOnOk)
{
    ScriptedDialogPresenter presenter;
    int shown = -1;
    const auto chooseInchAndPress = [&shown](QDialogButtonBox::StandardButton button) {
        return [button, &shown](QDialog& dialog) {
            auto& window = dynamic_cast<Unit_PrefWindow&>(dialog);
            shown = window.selectedUnit();
            window.unit_matrix().button(kUnitInch)->click();
            window.findChild<QDialogButtonBox*>()->button(button)->click();
        };
    };
    presenter.queueHook(chooseInchAndPress(QDialogButtonBox::Ok));
    EXPECT_EQ(doPreferences(nullptr, kUnitCentimetre), std::optional<int>(kUnitInch));
    EXPECT_EQ(shown, kUnitCentimetre);

    presenter.queueHook(chooseInchAndPress(QDialogButtonBox::Cancel));
    EXPECT_EQ(doPreferences(nullptr, 9), std::nullopt);
    EXPECT_EQ(shown, kUnitMillimetre);
}

// A window manager cuts a title that its bar cannot show beside the window's icon and its three
// buttons, each about a title bar's height wide ("Measu… t Unit").
TEST(UnitsTest, UnitDialogIsWideEnoughForItsTitle)
{
    Unit_PrefWindow dialog;
    ASSERT_EQ(dialog.windowTitle(), QStringLiteral("Measurement Unit"));
    QFont titleFont = dialog.font();
    titleFont.setBold(true);
    const int titleBar = dialog.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &dialog);
    const int needed = QFontMetrics(titleFont).horizontalAdvance(dialog.windowTitle()) + 4 * titleBar;
    EXPECT_GE(dialog.minimumWidth(), needed);
    dialog.show();
    EXPECT_GE(dialog.width(), needed);
}

// Keyboard focus in the dialog reaches the unit choices only through the checked one.
TEST(UnitsTest, UnitDialogFocusStartsOnTheCheckedUnit)
{
    for (const int unit : {kUnitCentimetre, kUnitMillimetre}) {
        Unit_PrefWindow dialog;
        dialog.selectUnit(unit);
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        QAbstractButton* checked = dialog.unit_matrix().checkedButton();
        EXPECT_EQ(QApplication::focusWidget(), checked) << unit;
        QList<QWidget*> reached;
        for (int press = 0; press < 4; ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached << QApplication::focusWidget();
        }
        for (QAbstractButton* choice : dialog.unit_matrix().buttons()) {
            EXPECT_EQ(reached.contains(choice), choice == checked) << unit << " " << choice->text().toStdString();
        }
    }
}

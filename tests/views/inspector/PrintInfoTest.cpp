// The shared print settings and the page setup that gives the card the paper's size.
#include <QPageSetupDialog>
#include <QPrinter>
#include <gtest/gtest.h>

#include "support/ScriptedDialogPresenter.h"
#include "views/inspector/PrintInfo.h"

namespace {

const QPageLayout kA5Landscape(QPageSize(QPageSize::A5), QPageLayout::Landscape, QMarginsF(5, 5, 5, 5));

// Chooses A5 landscape in the page setup and ends it with the given code.
ScriptedDialogPresenter::Hook chooseA5Landscape(int code)
{
    return [code](QDialog& dialog) {
        dynamic_cast<QPageSetupDialog&>(dialog).printer()->setPageLayout(kA5Landscape);
        dialog.done(code);
    };
}

}  // namespace

TEST(PrintInfoTest, PageSetupOkTakesThePaperCancelNothing)
{
    const QPageLayout saved = printInfo();
    EXPECT_EQ(saved.pageSize().id(), QPageSize::A4);
    EXPECT_EQ(saved.orientation(), QPageLayout::Portrait);
    setPrintInfo(saved);
    EXPECT_EQ(printInfo(), saved);

    ScriptedDialogPresenter presenter;
    presenter.queueHook(chooseA5Landscape(QDialog::Rejected));
    EXPECT_EQ(Page_From_Printer(nullptr), std::nullopt);
    EXPECT_EQ(printInfo(), saved);

    presenter.queueHook(chooseA5Landscape(QDialog::Accepted));
    const std::optional<QSizeF> paper = Page_From_Printer(nullptr);
    ASSERT_TRUE(paper.has_value());
    EXPECT_NEAR(paper->width(), 210 * 2.834645669291, 1e-9);  // A5 is 148 x 210 mm
    EXPECT_NEAR(paper->height(), 148 * 2.834645669291, 1e-9);
    EXPECT_EQ(printInfo(), kA5Landscape);
    setPrintInfo(saved);
}

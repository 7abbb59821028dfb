// The unit of the size page on the real window: a card's size in points stays as it was, to the
// last digit its design file holds, whatever unit shows it and whichever writer of the size page
// runs next; the undo history stays with it.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "StartRoadFixture.h"
#include "mainwindow/DesignSession.h"
#include "platform/Units.h"
#include "support/CanvasMouse.h"
#include "views/inspector/Unit_PrefWindow.h"

namespace {

class CardUnitsRoad : public StartRoadFixture {
protected:
    // The design saved as it stands; its card sizes, front and back, as plistlib reads them.
    QString savedCardSizes(const QString& name)
    {
        return savedAsAndRead(name, "import plistlib, sys\n"
                                    "items = plistlib.load(open(sys.argv[1], 'rb'))\n"
                                    "print(items[20], items[54])\n");
    }
};

TEST_F(CardUnitsRoad, AUnitChangeKeepsTheCardsSizeAndItsUndoHistory)
{
    copyClassicBlueTwoSided();
    GraphicPtr box = SKTGraphic::create(GraphicKind::Shape);
    box->setBounds(QRectF(20, 20, 60, 30));
    writeTemplateFile(QStringLiteral("Plain"), QStringLiteral("employee"), QStringLiteral("Horizontal"), QSizeF(243, 153),
                      {box});
    const struct { const char* shown; int unit; } cases[] = {
        {"Classic blue (h)", kUnitInch},
        {"Plain", kUnitMillimetre},
        {"Plain", kUnitCentimetre},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        SCOPED_TRACE(c.unit);
        Measument_Unit_Is = last_unit_val = c.unit == kUnitInch ? kUnitMillimetre : kUnitInch;
        CARD_SIDE_STR = QStringLiteral("2");
        queueTemplateStart(QStringLiteral("Employee"), QLatin1String(c.shown));
        if (controller.designSession().hasUnsavedChanges())
            messages.queueAnswers({1});  // "No"
        if (controller.designSession().isOpen())
            action(QStringLiteral("New_Btn_Clicked")).trigger();
        else
            ASSERT_TRUE(Open_Start_Window(controller));
        const QString started = savedCardSizes(QStringLiteral("started.did"));

        SKTGraphicView& canvas = *controller.graphicView(SKTDocument::FrontSide);
        const auto places = [&canvas] {
            QList<QRectF> all;
            for (const GraphicPtr& element : canvas.graphics())
                all << element->bounds();
            return all;
        };
        const QList<QRectF> before = places();
        const auto small = std::find_if(canvas.graphics().begin(), canvas.graphics().end(), [](const GraphicPtr& e) {
            return e->ctrl_is_visible && !e->ctrl_is_locked && e->bounds().width() < 100;
        });
        ASSERT_NE(small, canvas.graphics().end());
        const QPointF middle = (*small)->bounds().center();
        canvas_mouse::drag(canvas, middle, middle + QPointF(6, 4));
        ASSERT_NE(places(), before);
        dialogs.queueHook([&c](QDialog& window) {
            static_cast<Unit_PrefWindow&>(window).unit_matrix().button(c.unit)->click();
            window.accept();
        });
        action(QStringLiteral("doPreferences")).trigger();
        ASSERT_EQ(Measument_Unit_Is, c.unit);
        control<QRadioButton>("shapeRectangle").click();

        EXPECT_EQ(savedCardSizes(QStringLiteral("after.did")), started);
        ASSERT_TRUE(action(QStringLiteral("Undo_btn")).isEnabled());
        action(QStringLiteral("Undo_btn")).trigger();
        EXPECT_EQ(places(), before);
    }
}

}  // namespace

// A card built on the main window as a user builds it: each element placed with its tool, picked
// with a click on the canvas and changed only through the pages' controls. The design is saved,
// opened again, and the saved file renders exactly as the card stood before saving.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>
#include <thread>

#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "model/SKTDocument.h"
#include "platform/AppContext.h"
#include "platform/Units.h"
#include "render/ImageResolution.h"
#include "render/SKTRenderingView.h"
#include "support/CanvasMouse.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"
#include "views/inspector/ColorWell.h"
#include "views/inspector/ImagePanel.h"
#include "views/inspector/InspectorView.h"
#include "views/inspector/PropertyInspector.h"

namespace {

const QString kArtifacts = QStringLiteral(ZOVA_MAINWINDOW_ARTIFACT_DIR);

// Where each element goes on an 86 x 54 mm card: a place in points, a size in millimetres.
struct Placement {
    double x, y, widthMm, heightMm;
    QPointF centre() const
    {
        return QPointF(x + millimetresToPoints(widthMm) / 2, y + millimetresToPoints(heightMm) / 2);
    }
};
constexpr Placement kPicture{12, 12, 20, 25};
constexpr Placement kText{80, 12, 54, 14};
constexpr Placement kShape{80, 60, 54, 12};
constexpr Placement kSignature{12, 100, 30, 15};

// A photo with a distinct top-left, so that a quarter turn shows.
QImage photo()
{
    QImage picture(160, 120, QImage::Format_RGB32);
    picture.fill(QColor(70, 130, 200));
    QPainter painter(&picture);
    painter.fillRect(QRect(0, 80, 160, 40), QColor(60, 160, 80));
    painter.setBrush(QColor(250, 220, 60));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRect(12, 10, 40, 40));
    return picture;
}

class PanelsCardRoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        Card_Front_Or_Back = 0, Project_File_Name.clear(), Start_Card_Option = QStringLiteral("L");
        Measument_Unit_Is = last_unit_val = kUnitMillimetre;
        ASSERT_TRUE(photo().save(photoPath));
        controller.inspector().setUpControls({});
        controller.showWindow();
        QApplication::setActiveWindow(controller.window());
        ASSERT_TRUE(QTest::qWaitForWindowActive(controller.window()));
    }
    void TearDown() override
    {
        Card_Front_Or_Back = 0, Project_File_Name.clear(), Start_Card_Option = QStringLiteral("T");
        Measument_Unit_Is = last_unit_val = kUnitMillimetre;
    }

    InspectorView& inspector() const { return controller.windowLayout().inspectorView(); }
    SKTGraphicView& canvas() const { return *controller.graphicView(SKTDocument::FrontSide); }
    template <typename Control>
    Control& control(const char* name) const
    {
        auto* found = inspector().findChild<Control*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
    QAction& action(const char* name) const
    {
        return *controller.window()->findChild<QAction*>(QString::fromLatin1(name));
    }

    // A press on the tool's button in the tool bar.
    void pressTool(const char* name) const
    {
        QAction& tool = action(name);
        for (QToolBar* bar : controller.window()->findChildren<QToolBar*>()) {
            if (QWidget* button = bar->widgetForAction(&tool)) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        }
        ADD_FAILURE() << name << " has no button in a tool bar";
    }
    void clickOnCard(QPointF point) const { canvas_mouse::drag(canvas(), point, point); }
    // A click on the page's tab.
    void openPage(const char* name) const
    {
        QTabWidget& tabs = inspector().sett_tab();
        const int index = tabs.indexOf(inspector().page(QString::fromLatin1(name)));
        ASSERT_GE(index, 0) << name << " is not shown";
        QTabBar& bar = *tabs.tabBar();
        QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.tabRect(index).center());
        ASSERT_EQ(tabs.currentIndex(), index) << name;
    }
    void click(QAbstractButton& button) const { QTest::mouseClick(&button, Qt::LeftButton); }
    // A click on the box of a check box or radio button: the rest of a wide one takes no click.
    void tick(QAbstractButton& button) const
    {
        QStyleOptionButton option;
        option.initFrom(&button);
        const bool radio = qobject_cast<QRadioButton*>(&button) != nullptr;
        const QRect box = button.style()->subElementRect(
            radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &option, &button);
        const bool before = button.isChecked();
        QTest::mouseClick(&button, Qt::LeftButton, {}, box.center());
        ASSERT_TRUE(radio || button.isChecked() != before) << qPrintable(button.objectName());
        ASSERT_TRUE(!radio || button.isChecked()) << qPrintable(button.objectName());
    }
    // A number typed over the field's text, then Enter.
    void type(const char* field, const QString& number) const
    {
        auto& spin = control<QAbstractSpinBox>(field);
        spin.setFocus();
        QTest::keyClick(&spin, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&spin, number);
        QTest::keyClick(&spin, Qt::Key_Return);
    }
    // The entry picked from the combo's opened list with the arrow keys and Enter.
    void choose(const char* combo, const QString& entry) const
    {
        QComboBox& box = control<QComboBox>(combo);
        const int wanted = box.findText(entry);
        ASSERT_GE(wanted, 0) << entry.toStdString();
        box.setFocus();
        QTest::keyClick(&box, Qt::Key_F4);
        QAbstractItemView& list = *box.view();
        ASSERT_TRUE(list.isVisible()) << combo;
        while (list.currentIndex().row() < wanted)
            QTest::keyClick(&list, Qt::Key_Down);
        while (list.currentIndex().row() > wanted)
            QTest::keyClick(&list, Qt::Key_Up);
        QTest::keyClick(&list, Qt::Key_Return);
        ASSERT_EQ(box.currentText(), entry) << combo;
    }
    void pickColour(const char* well, const QColor& colour)
    {
        dialogs.queueHook([colour](QDialog& dialog) {
            static_cast<QColorDialog&>(dialog).setCurrentColor(colour);
            dialog.accept();
        });
        click(control<ColorWell>(well));
    }
    // The selected element put at its place and size from the arrange page.
    void arrange(const Placement& placement)
    {
        openPage("aligmnt_tab");
        type("frame_main_pic_X_pos", QString::number(placement.x));
        type("frame_main_pic_Y_pos", QString::number(placement.y));
        type("frame_main_pic_width", QString::number(placement.widthMm));
        type("frame_main_pic_height", QString::number(placement.heightMm));
    }
    // The element just made by a tool, picked with a click at its middle and placed.
    void pickAndPlaceNewElement(const Placement& placement)
    {
        ASSERT_FALSE(document.graphics().isEmpty());
        const GraphicPtr made = document.graphics().first();
        clickOnCard(made->bounds().center());
        ASSERT_EQ(canvas().selectedGraphics(), GraphicList({made}));
        arrange(placement);
        ASSERT_EQ(made->bounds().topLeft(), QPointF(placement.x, placement.y));
    }
    void selectOnly(QPointF point, GraphicKind kind)
    {
        clickOnCard(point);
        ASSERT_EQ(canvas().selectedGraphics().size(), 1);
        ASSERT_EQ(canvas().selectedGraphics().first()->kind(), kind);
    }

    void sizeTheCard()
    {
        openPage("card_size_tab");
        choose("Preset_ComboBox", QStringLiteral("Custom"));
        type("width_Stepper", QStringLiteral("86"));
        type("height_Stepper", QStringLiteral("54"));
    }
    void makeTheText()
    {
        pressTool("text_tool_btn");
        pickAndPlaceNewElement(kText);
        openPage("text_edtng_tab");
        auto& editor = control<QPlainTextEdit>("Text_value_Edit");
        editor.setFocus();
        QTest::keyClick(&editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&editor, QStringLiteral("ZOVA ID Card"));
        QTest::keyClick(&editor, Qt::Key_Return);
        QTest::keyClicks(&editor, QStringLiteral("Visitor"));
        dialogs.queueHook([](QDialog& dialog) {
            static_cast<QFontDialog&>(dialog).setCurrentFont(
                QFontDatabase::font(QStringLiteral("DejaVu Sans"), QStringLiteral("Bold"), 14));
            dialog.accept();
        });
        click(control<QPushButton>("text_font_btn"));
        pickColour("Text_clr", QColor(210, 20, 30));
        choose("Text_align_combo", QStringLiteral("Centre"));
        openPage("text_prop_tab");
        tick(control<QCheckBox>("draw_shadow_chkbox"));
        pickColour("Shadow_clr", QColor(90, 90, 90));
        type("shadow_x_Stepper", QStringLiteral("1.5"));
        type("shadow_y_Stepper", QStringLiteral("-1.5"));
        type("shadow_blur_Stepper", QStringLiteral("2"));
        type("shadow_transp_Stepper", QStringLiteral("60"));
    }
    void makeTheShape()
    {
        pressTool("round_rect_tool_btn");
        pickAndPlaceNewElement(kShape);
        openPage("shape_tab");
        type("shape_cor_radius_Stepper", QStringLiteral("10"));
        if (!control<QCheckBox>("Shape_fill_chk").isChecked())
            tick(control<QCheckBox>("Shape_fill_chk"));
        tick(control<QRadioButton>("Shape_gradient_fill_rd"));
        pickColour("shape_fill_Grd_1_clr", QColor(255, 230, 150));
        pickColour("shape_fill_Grd_2_clr", QColor(30, 90, 170));
        if (!control<QCheckBox>("Shape_border_chk").isChecked())
            tick(control<QCheckBox>("Shape_border_chk"));
        pickColour("shape_bordr_clr", QColor(20, 30, 80));
        type("shape_bor_Stepper", QStringLiteral("2"));
        choose("shape_border_style", QStringLiteral("Dashed"));
    }
    void makeThePicture()
    {
        dialogs.queueOpenFile(photoPath);
        pressTool("image_tool_btn");
        pickAndPlaceNewElement(kPicture);
        openPage("image_tab");
        tick(control<QCheckBox>("Image_Sepia_chk"));
        controller.inspector().imagePanel().finishRendering();
        type("Rotate_slidr_val", QStringLiteral("90"));
        controller.inspector().imagePanel().finishRendering();
    }
    void makeTheSignature()
    {
        pressTool("signature_tool_btn");
        pickAndPlaceNewElement(kSignature);
    }

    // The front side as it stands, as a 600-dpi picture from the off-screen renderer. It is drawn
    // on a thread of its own, as design-probe draws it in a process of its own: Qt leaves the
    // sub-pixel shift of the last glyph drawn on screen in the thread's FreeType faces, and text
    // drawn as outlines at print sizes picks it up, moving edge pixels.
    QImage renderedFront() const
    {
        const CardImage front = SKTRenderingView::image_From_Card_Graphics(document.graphics(), CardSide::Front);
        QImage picture;
        std::thread([&] { picture = Increase_DPI(front, 600); }).join();
        return picture;
    }

    QTemporaryDir folder;
    const QString photoPath = folder.filePath(QStringLiteral("visitor.png"));
    const QString designPath = folder.filePath(QStringLiteral("card.did"));
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope{messages};
    ScriptedDialogPresenter dialogs;
    SKTDocument document;
    SKTWindowController controller{document};
};

TEST_F(PanelsCardRoad, ACardBuiltThroughThePanelsSavesOpensAndRendersAsItStoodBeforeSaving)
{
    ASSERT_NO_FATAL_FAILURE(sizeTheCard());
    ASSERT_NO_FATAL_FAILURE(makeThePicture());
    ASSERT_NO_FATAL_FAILURE(makeTheText());
    ASSERT_NO_FATAL_FAILURE(makeTheShape());
    ASSERT_NO_FATAL_FAILURE(makeTheSignature());
    ASSERT_EQ(document.graphics().size(), 4);
    ASSERT_TRUE(messages.texts().isEmpty()) << qPrintable(messages.texts().join(u'|'));

    const QImage before = renderedFront();
    ASSERT_FALSE(before.isNull());
    // The card shows what the pages set, so that two blank pictures cannot pass for equal ones.
    const auto shown = [&before](QPointF point) { return before.pixelColor((point * 600 / 72).toPoint()); };
    const QColor sepia = shown({kPicture.x + 8, kPicture.y + 60});
    EXPECT_TRUE(sepia.red() > sepia.green() && sepia.green() > sepia.blue()) << qPrintable(sepia.name());
    const QColor sun = shown({kPicture.x + 42, kPicture.y + 16});
    EXPECT_GT(sun.blue(), 150) << "the sun, turned to the top right, is pale: " << qPrintable(sun.name());
    EXPECT_GT(shown({kShape.x + 10, kShape.centre().y()}).red(), 200) << "the gradient starts yellow";
    EXPECT_GT(shown({kShape.x + 145, kShape.centre().y()}).blue(), 140) << "and ends blue";
    const QString beforePath = kArtifacts + QStringLiteral("/panels-card-before-save.png");
    ASSERT_TRUE(QDir().mkpath(kArtifacts));
    ASSERT_TRUE(Save_gen_image(before, beforePath));

    dialogs.queueSaveFile(designPath);
    action("SaveAs_Btn_Clicked").trigger();
    ASSERT_TRUE(QFileInfo::exists(designPath));
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_EQ(messages.texts().first().trimmed(), "File has been saved successfully.");
    EXPECT_FALSE(controller.window()->isWindowModified());

    const QString probe = QCoreApplication::applicationDirPath() + QStringLiteral("/design-probe");
    const QString rendered = folder.filePath(QStringLiteral("rendered"));
    const auto run = TestEnvironment::run(probe, {QStringLiteral("render"), designPath, rendered});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const QString savedPath = kArtifacts + QStringLiteral("/panels-card-saved.png");
    QFile::remove(savedPath);
    ASSERT_TRUE(QFile::copy(rendered + QStringLiteral("/front.png"), savedPath));
    const QImage saved(savedPath);
    EXPECT_EQ(saved.size(), QSize(qCeil(86 / 25.4 * 600), qCeil(54 / 25.4 * 600)));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_ARGB32), QImage(beforePath).convertToFormat(QImage::Format_ARGB32))
        << "the saved design renders other than the card did before saving";
    const auto compared = TestEnvironment::run(QStringLiteral("compare"),
                                               {QStringLiteral("-metric"), QStringLiteral("AE"), beforePath, savedPath,
                                                QStringLiteral("null:")});
    EXPECT_EQ(compared.err.trimmed(), "0") << "pixels differing, by ImageMagick";

    dialogs.queueOpenFile(designPath);
    action("Open_Btn_Clicked").trigger();
    ASSERT_EQ(document.graphics().size(), 4);
    ASSERT_EQ(messages.texts().size(), 1) << qPrintable(messages.texts().join(u'|'));

    selectOnly(kText.centre(), GraphicKind::Text);
    openPage("text_edtng_tab");
    EXPECT_EQ(control<QPlainTextEdit>("Text_value_Edit").toPlainText(), "ZOVA ID Card\nVisitor");
    EXPECT_EQ(control<QLabel>("Text_font_value").text(), "DejaVu Sans Bold ( 14.00 )");
    EXPECT_EQ(control<ColorWell>("Text_clr").color(), QColor(210, 20, 30));
    EXPECT_EQ(control<QComboBox>("Text_align_combo").currentText(), "Centre");
    openPage("text_prop_tab");
    EXPECT_TRUE(control<QCheckBox>("draw_shadow_chkbox").isChecked());
    EXPECT_EQ(control<QDoubleSpinBox>("shadow_y_Stepper").value(), -1.5);

    selectOnly(kShape.centre(), GraphicKind::Shape);
    openPage("shape_tab");
    EXPECT_TRUE(control<QRadioButton>("Shape_gradient_fill_rd").isChecked());
    EXPECT_EQ(control<ColorWell>("shape_fill_Grd_2_clr").color(), QColor(30, 90, 170));
    EXPECT_EQ(control<QComboBox>("shape_border_style").currentText(), "Dashed");
    EXPECT_EQ(control<QDoubleSpinBox>("shape_cor_radius_Stepper").value(), 10);

    selectOnly(kPicture.centre(), GraphicKind::Image);
    openPage("image_tab");
    EXPECT_TRUE(control<QCheckBox>("Image_Sepia_chk").isChecked());
    EXPECT_EQ(control<QDoubleSpinBox>("Rotate_slidr_val").value(), 90);

    selectOnly(kSignature.centre(), GraphicKind::Signature);
    EXPECT_EQ(inspector().sett_tab().currentWidget(), inspector().page(QStringLiteral("sign_tab")));
    EXPECT_EQ(messages.texts().size(), 1) << qPrintable(messages.texts().join(u'|'));
}

}  // namespace

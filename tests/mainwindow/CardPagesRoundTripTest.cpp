// A card changed through the inspector's pages (background, border, watermark, shape, size) is
// saved, opened again and saved again, and both files render alike with design-probe; the largest
// and smallest card the size fields take in each unit saves and opens again.
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "designfile/DesignFile.h"
#include "mainwindow/FolderLists.h"
#include "mainwindow/SideCommands.h"
#include "mainwindow/WindowDesignFile.h"
#include "model/SKTDocument.h"
#include "views/inspector/FieldTyping.h"
#include "views/inspector/PropertyInspector.h"

namespace {

class CardPagesRoundTrip : public MainWindowFixture {
protected:
    void SetUp() override { controller.inspector().setUpControls({}), controller.inspector().Show_RHS_Properties(nullptr); }

    QString render(const QString& design, const QString& folder)
    {
        const auto rendered = TestEnvironment::run(designProbe(), {"render", design, scratch.filePath(folder)});
        EXPECT_EQ(rendered.exitCode, 0) << rendered.err.constData();
        return scratch.filePath(folder + QStringLiteral("/front.png"));
    }
    static QByteArray bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(CardPagesRoundTrip, SavesReopensAndRendersTheSame)
{
    control<QCheckBox>("Card_fill_chk").click();
    control<QRadioButton>("Card_gradient_fill_rd").click();
    pickColour("Card_fill_Grd_1_clr", QColor(250, 220, 120));
    pickColour("Card_fill_Grd_2_clr", QColor(40, 90, 170));
    control<QSpinBox>("Card_grad_Stepper").setValue(45);
    control<QCheckBox>("Card_border_chk").click();
    pickColour("Card_bordr_clr", QColor(200, 20, 20));
    control<QSpinBox>("Card_bor_Stepper").setValue(6);
    choose("Card_border_style", 1);
    control<QCheckBox>("enable_watermark_chk").click();
    control<QLineEdit>("watermark_text").setText(QStringLiteral("VISITOR"));
    Q_EMIT control<QLineEdit>("watermark_text").textEdited(QStringLiteral("VISITOR"));
    choose("wm_alignment_combo", 2);
    control<QRadioButton>("shapeRoundedRectangle").click();
    choose("Preset_ComboBox", 2);  // custom
    control<QDoubleSpinBox>("width_Stepper").setValue(90);
    control<QDoubleSpinBox>("height_Stepper").setValue(60);

    const QString first = scratch.filePath(QStringLiteral("first.did")), second = scratch.filePath(QStringLiteral("second.did"));
    ASSERT_TRUE(WindowDesignFile(controller).file().Save_project_file(first, false, QStringLiteral("L")));
    const std::optional<DesignState> saved = readDesignFile(first, nullptr);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->front.Card_fill_style(), "G");
    EXPECT_EQ(saved->front.Card_grad_Stepper(), 45);
    EXPECT_EQ(saved->front.Card_border_style(), "DA");
    EXPECT_EQ(saved->front.Card_bor_Stepper(), 6);
    EXPECT_EQ(saved->front.Watermark_Text(), "VISITOR");
    EXPECT_EQ(saved->front.Watermark_Alignment(), 2);
    EXPECT_EQ(saved->back.Card_Shape(), "RR");
    EXPECT_NEAR(saved->back.Card_Size().width(), 90 * 2.834645669291, 0.01);
    EXPECT_NEAR(saved->front.Card_Size().height(), 60 * 2.834645669291, 0.01);

    ASSERT_EQ(WindowDesignFile(controller).file().Read_and_load_design_Log_NEW_METHOD(first, QStringLiteral("L"), true), 1);
    controller.inspector().Show_RHS_Properties(nullptr);
    EXPECT_EQ(control<QSpinBox>("Card_bor_Stepper").value(), 6);
    EXPECT_NEAR(control<QDoubleSpinBox>("width_Stepper").value(), 90, 0.01);
    ASSERT_TRUE(WindowDesignFile(controller).file().Save_project_file(second, false, QStringLiteral("L")));

    const QByteArray firstPicture = bytes(render(first, QStringLiteral("first")));
    ASSERT_FALSE(firstPicture.isEmpty());
    EXPECT_EQ(firstPicture, bytes(render(second, QStringLiteral("second"))));
    const QImage front = QImage::fromData(firstPicture);
    front.save(QStringLiteral(ZOVA_MAINWINDOW_ARTIFACT_DIR "/card-pages-round-trip.png"));
    EXPECT_EQ(front.size(), QSize(qCeil(90 / 25.4 * 600), qCeil(60 / 25.4 * 600)));
    const QColor corner = front.pixelColor(1, 1), edge = front.pixelColor(front.width() / 2, 8);
    EXPECT_LT(corner.alpha(), 10) << "the rounded corner stays outside the card";
    EXPECT_GT(edge.red(), 150) << "the border's red runs along the top edge";
    EXPECT_LT(edge.green(), 80);
}

// The pages on the main window itself: each side's record and texts, as the page tests check them
// on a stand-in window.
TEST_F(CardPagesRoundTrip, ThePagesWriteAndLoadEachSidesOwnRecordOnTheWindow)
{
    const GraphicPtr text = SKTGraphic::create(GraphicKind::Text);
    text->textStyle.text_ctrl_font = CardFont{QStringLiteral("DejaVu Serif"), 14};
    document.insertGraphicsOnSide(SKTDocument::FrontSide, {text}, {0});
    const QColor loaded = control<ColorWell>("All_Text_clr").color();
    ASSERT_NE(loaded, QColor(20, 120, 60));
    pickColour("All_Text_clr", QColor(20, 120, 60));
    EXPECT_EQ(text->textStyle.txt_clr, QColor(20, 120, 60));
    EXPECT_EQ(text->textStyle.text_ctrl_font.family.toStdString(), "DejaVu Serif") << "only the colour changed";
    EXPECT_EQ(text->textStyle.text_ctrl_font.size, 14);
    // Back to the colour the page showed first: the texts take it too.
    pickColour("All_Text_clr", loaded);
    EXPECT_EQ(text->textStyle.txt_clr.name().toStdString(), loaded.name().toStdString());
    // The same for the font of all texts: another, then the one the page showed first.
    const CardFont shown = controller.Front_card_Prop.Card_Content_font();
    for (const CardFont& font : {CardFont{QStringLiteral("DejaVu Sans Mono"), 9}, shown}) {
        dialogs.queueHook([font](QDialog& dialog) {
            const QString style = font.style.isEmpty() ? QStringLiteral("Book") : font.style;
            static_cast<QFontDialog&>(dialog).setCurrentFont(QFontDatabase::font(font.family, style, qRound(font.size)));
            dialog.accept();
        });
        control<QPushButton>("all_content_font_btn").click();
        EXPECT_EQ(text->textStyle.text_ctrl_font.family.toStdString(), font.family.toStdString());
        EXPECT_EQ(text->textStyle.text_ctrl_font.size, qRound(font.size));
        EXPECT_EQ(text->textStyle.text_ctrl_font.style.toStdString(), font.style.toStdString());
    }

    choose("Card_border_style", 1);
    choose("Card_border_style", 0);
    EXPECT_EQ(controller.Front_card_Prop.Card_border_style(), "S");
    control<QSlider>("wm_transp_slider").setValue(25);
    EXPECT_FLOAT_EQ(controller.Front_card_Prop.Watermark_Transp(), 0.25f);

    controller.Front_card_Prop.setCard_border_style(QStringLiteral("DO"));
    controller.Back_card_Prop.setCard_border_style(QStringLiteral("S"));
    controller.Back_card_Prop.setWatermark_Used(true);
    controller.sideCommands().Select_front_side();
    EXPECT_EQ(control<QComboBox>("Card_border_style").currentIndex(), 2);
    EXPECT_FALSE(control<QGroupBox>("watermark_box").isEnabled());
    controller.sideCommands().Select_back_side();
    EXPECT_EQ(control<QComboBox>("Card_border_style").currentIndex(), 0);
    EXPECT_TRUE(control<QGroupBox>("watermark_box").isEnabled());
    EXPECT_TRUE(control<QLineEdit>("Card_Image_path").isHidden());
    controller.sideCommands().Select_front_side();
    EXPECT_FALSE(control<QLineEdit>("Card_Image_path").isHidden());
    EXPECT_TRUE(control<QLineEdit>("Card_Image_path_BACK").isHidden());

    controller.Front_card_Prop.setCard_fill_chk(true);
    controller.Front_card_Prop.setCard_fill_style(QStringLiteral("H"));
    controller.inspector().Show_RHS_Properties(nullptr);
    EXPECT_FALSE(control<ColorWell>("Card_fill_clr").isEnabled());
}

// An outline code the window does not write ("X", lower case, empty) opens as the ellipse, with its
// radio ticked on both sides.
TEST_F(CardPagesRoundTrip, AnOutlineCodeOtherThanTheRectanglesOpensAsTheEllipse)
{
    const QString path = scratch.filePath(QStringLiteral("outline.did"));
    ASSERT_TRUE(WindowDesignFile(controller).file().Save_project_file(path, false, QStringLiteral("L")));
    std::optional<DesignState> state = readDesignFile(path, nullptr);
    ASSERT_TRUE(state);
    for (const auto& [code, radio] : {std::pair{"X", "shapeEllipse"}, {"rr", "shapeEllipse"}, {"", "shapeEllipse"},
                                      {"RR", "shapeRoundedRectangle"}, {"R", "shapeRectangle"}}) {
        state->front.setCard_Shape(QString::fromLatin1(code));
        ASSERT_TRUE(writeDesignFile(path, *state));
        ASSERT_EQ(WindowDesignFile(controller).file().Read_and_load_design_Log_NEW_METHOD(path, QStringLiteral("L"), true), 1);
        controller.sideCommands().Select_front_side();
        EXPECT_TRUE(control<QRadioButton>(radio).isChecked()) << code;
        controller.sideCommands().Select_back_side();
        EXPECT_TRUE(control<QRadioButton>(radio).isChecked()) << code << " on the back";
    }
}

// Durable 1455 (3.54 x 2.13 in) to Durable 1456 (3.54 x 2.36 in) from the window's own size list.
TEST_F(CardPagesRoundTrip, ATallerSizeFromTheListMovesAndScalesTheElementsDownwards)
{
    const auto selectRow = [this](int row) {
        QTableView& list = control<QTableView>("ColList");
        list.selectionModel()->select(list.model()->index(row, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    };
    choose("Category_ComboBox", 1);
    selectRow(4);
    ASSERT_NEAR(controller.Front_card_Prop.Card_Size().height(), 153.36, 0.05);
    const GraphicPtr shape = SKTGraphic::create(GraphicKind::Shape);
    shape->setBounds(QRectF(100, 50, 60, 30));
    document.insertGraphicsOnSide(SKTDocument::FrontSide, {shape}, {0});

    selectRow(5);
    EXPECT_NEAR(controller.Front_card_Prop.Card_Size().height(), 169.92, 0.05);
    const QRectF moved = document.graphics().first()->bounds();
    EXPECT_NEAR(moved.x(), 100, 0.01);
    EXPECT_NEAR(moved.y(), 55.40, 0.01);
    EXPECT_NEAR(moved.width(), 60, 0.01);
    EXPECT_NEAR(moved.height(), 33.24, 0.01);
}

// Once, a 999-inch card was taken by the fields, saved, and refused as corrupt when opened.
TEST_F(CardPagesRoundTrip, TheLargestAndSmallestCardOfEveryUnitSavesAndOpensAgain)
{
    const auto type = [&](const char* field, const QString& text) { typeAndEnter(control<QDoubleSpinBox>(field), text); };
    const struct { int unit; const char* tooLarge; const char* largest; const char* smallest; } cases[] = {
        {kUnitInch, "999", "200", "0.04"},
        {kUnitCentimetre, "999", "508", "0.1"},
        {kUnitMillimetre, "99999", "5080", "1"},
    };
    choose("Preset_ComboBox", 2);  // custom
    const QString path = scratch.filePath(QStringLiteral("size.did"));
    for (const auto& c : cases) {
        controller.inspector().sizePanel().On_OK_of_Unit_Panel(c.unit);
        type("width_Stepper", QString::fromLatin1(c.tooLarge));
        EXPECT_TRUE(QToolTip::text().startsWith(QStringLiteral("Enter a number from"))) << c.tooLarge;
        for (const char* size : {c.largest, c.smallest}) {
            type("width_Stepper", QString::fromLatin1(size));
            type("height_Stepper", QString::fromLatin1(size));
            const QSizeF card = controller.frontCanvasBounds().size();
            ASSERT_TRUE(WindowDesignFile(controller).file().Save_project_file(path, false, QStringLiteral("L")));
            ASSERT_EQ(WindowDesignFile(controller).file().Read_and_load_design_Log_NEW_METHOD(path, QStringLiteral("L"), true), 1)
                << size << " in unit " << c.unit << ": " << qPrintable(messages.texts().join(u'|'));
            controller.inspector().Show_RHS_Properties(nullptr);
            EXPECT_EQ(controller.frontCanvasBounds().size(), card) << size;
            EXPECT_EQ(control<QDoubleSpinBox>("width_Stepper").value(), QString::fromLatin1(size).toDouble()) << size;
            EXPECT_EQ(control<QDoubleSpinBox>("height_Stepper").value(), QString::fromLatin1(size).toDouble()) << size;
        }
    }
}

}  // namespace

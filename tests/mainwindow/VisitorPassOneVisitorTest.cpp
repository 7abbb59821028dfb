// A visitor pass shows one visitor, on the real window over Visitor orange (h): both sides of a
// two-sided pass and both panels name the visitor typed on either side, given by the profile, kept
// or taken back by Undo, and the front's new photo (both sides exported as PDF, read with pdftotext
// and pdftoppm; the log with sqlite3); the Preview tab shows the side as it stands (drawn, read with
// pdftotext); the placeholder photo selected leaves the panel's photo box empty.
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <functional>

#include "VisitorDeskFixture.h"
#include "mainwindow/OutputCommands.h"
#include "mainwindow/SideCommands.h"
#include "output/CardFileNames.h"
#include "render/SKTRenderingView.h"
#include "views/output/ExportSheet.h"
#include "views/profiles/Show_User_Profile.h"

namespace {

QString pdfText(const QString& pdf)
{
    return QString::fromUtf8(TestEnvironment::run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).out).simplified();
}

class OneVisitorPass : public VisitorDeskFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(VisitorDeskFixture::SetUp());
        ASSERT_NO_FATAL_FAILURE(openShippedPass());
    }
    void TearDown() override
    {
        Fill_User_Profile = false;  // a profile confirmed here fills no later test's pass
        VisitorDeskFixture::TearDown();
    }
    Profile_Side_Panel& back() const { return controller.liveModes().panel(1); }
    static void typeInto(Profile_Side_Panel& panel, const QString& text)
    {
        QLineEdit& field = *panel.textBox(QStringLiteral("Fup_Name"));
        field.setText(text);
        Q_EMIT field.textEdited(text);
    }
    // The element clicked on the side's canvas, then upper case chosen on the Text page.
    void upperCase(SKTDocument::Side side, const GraphicPtr& text)
    {
        canvas_mouse::drag(*controller.graphicView(side), text->bounds().center(), text->bounds().center());
        choose("Text_case_combo", 1);
    }
    // The words the Preview tab draws.
    QString previewText()
    {
        QFile pdf(scratch.filePath(QStringLiteral("preview.pdf")));
        EXPECT_TRUE(pdf.open(QIODevice::WriteOnly));
        pdf.write(SKTRenderingView::pdfDataWithGraphics_data(document.graphics_temp(), CardSide::Front));
        pdf.close();
        return pdfText(pdf.fileName());
    }
    // Both sides exported as PDF through the export sheet into the file's _Front and _Back.
    void exportBothSides(const QString& file)
    {
        dialogs.queueHook([](QDialog& dialog) {
            auto& sheet = static_cast<ExportSheet&>(dialog);
            sheet.fileFormatPopup->setCurrentIndex(sheet.fileFormatPopup->findText(QStringLiteral("PDF")));
            sheet.exportFileTypeChanged();
            sheet.side_both->click();
            sheet.exportOkay();
        });
        dialogs.queueSaveFile(file);
        dialogs.queueHook([](QDialog&) {});  // the closing box
        Export_Button(controller);
    }
};

}  // namespace

// The placeholder photo clicked, a profile naming Mira Haddad, the pass copied onto its back: every
// later visitor shows in both panels and on both exported sides, whichever panel it was typed into;
// Undo of a profile brings back the visitor before it on both sides, typing taken back on the back
// (No) leaves the front too, and the front's new photo is the back's.
TEST_F(OneVisitorPass, BothSidesOfThePassNameOneVisitor)
{
    const GraphicPtr photo = onCard("Fup_Photo");
    canvas_mouse::drag(*controller.graphicView(SKTDocument::FrontSide), photo->bounds().center(), photo->bounds().center());
    ASSERT_EQ(controller.graphicView(SKTDocument::FrontSide)->selectedGraphics(), GraphicList{photo});
    EXPECT_EQ(front().photoPath(), QString()) << "the box says No photo";
    EXPECT_TRUE(front().shownPhoto().isNull());

    CARD_SIDE_STR = QStringLiteral("2");
    confirmProfile({{0, QStringLiteral("Mira Haddad f33")}});
    messages.queueAnswers({0});  // "Yes"
    controller.sideCommands().Copy_Card_Design_Clicked();
    controller.sideCommands().Select_front_side();
    const QString red = visitortest::photoFile(QDir(scratch.path()), QStringLiteral("red.png"), QColor(220, 20, 20));
    const struct {
        const char* step;
        std::function<void()> take;
        const char* visitor;
        int questions;
    } steps[] = {
        {"typed on the front", [&] { type("Fup_Name", QStringLiteral("Ana Silva p40")); }, "Ana Silva p40", 0},
        {"typed on the back", [&] { typeInto(back(), QStringLiteral("Tom Lee")); }, "Tom Lee", 0},
        {"the front's profile", [&] { confirmProfile({{0, QStringLiteral("Zoe Park")}}); }, "Zoe Park", 0},
        {"Undo on the front", [&] { action(QStringLiteral("Undo_btn")).trigger(); }, "Tom Lee", 0},
        {"typing on the back taken back",
         [&] {
             controller.sideCommands().Select_back_side();
             upperCase(SKTDocument::BackSide, controller.graphicView(SKTDocument::BackSide)->Selcect_Ctrl_With_ID(QStringLiteral("Fup_Name")));
             typeInto(back(), QStringLiteral("Eve Ray"));
             messages.queueAnswers({1});  // "No"
             action(QStringLiteral("Undo_btn")).trigger();
         },
         "Tom Lee", 1},
        {"a photo browsed on the front",
         [&] {
             controller.sideCommands().Select_front_side();
             dialogs.queueOpenFile(red);
             click("browse_photo_btn");
         },
         "Tom Lee", 0},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        const qsizetype said = messages.texts().size();
        step.take();
        EXPECT_EQ(messages.texts().size() - said, step.questions);
        EXPECT_EQ(front().textBox("Fup_Name")->text(), step.visitor);
        EXPECT_EQ(back().textBox("Fup_Name")->text(), step.visitor);
        const QString file = scratch.filePath(QStringLiteral("pass.pdf"));
        exportBothSides(file);
        for (const QString& side : {pdfText(Create_Front_Card_Path(file)), pdfText(Create_Back_Card_Path(file))}) {
            for (const char* name : {"Mira Haddad", "Ana Silva", "Tom Lee", "Zoe Park", "Eve Ray"})
                EXPECT_EQ(side.contains(QLatin1String(name), Qt::CaseInsensitive), QLatin1String(step.visitor).startsWith(QLatin1String(name)))
                    << name << " on " << qPrintable(side);
        }
    }
    EXPECT_EQ(back().photoPath(), red);
    const QColor shown = QImage(pageOf(Create_Back_Card_Path(scratch.filePath(QStringLiteral("pass.pdf"))), 72))
                             .pixelColor(controller.graphicView(SKTDocument::BackSide)->Selcect_Ctrl_With_ID(kPhotoFieldId)->bounds().center().toPoint());
    EXPECT_TRUE(shown.red() > 180 && shown.green() < 70 && shown.blue() < 70) << qPrintable(shown.name());
    click("register_visitor_btn");
    EXPECT_EQ(logged("Name, Photo_Path"), QStringLiteral("Tom Lee|") + red);
}

// The Preview tab shows the side as it stands: after an Undo answered No it names the visitor the
// Front tab shows, and after the profile window's own Preview and Cancel the visitor nobody
// replaced.
TEST_F(OneVisitorPass, ThePreviewTabShowsTheSideAsItStands)
{
    type("Fup_Name", QStringLiteral("First Visitor"));
    upperCase(SKTDocument::FrontSide, onCard("Fup_Name"));
    type("Fup_Name", QStringLiteral("Second Visitor"));
    auto* tabs = controller.window()->findChild<QTabBar*>(QStringLiteral("side_tabs"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(SKTDocument::PreviewSide).center());
    ASSERT_TRUE(previewText().contains(QLatin1String("SECOND VISITOR")));
    messages.queueAnswers({1});  // "No"
    action(QStringLiteral("Undo_btn")).trigger();
    EXPECT_EQ(front().textBox("Fup_Name")->text(), "First Visitor");
    EXPECT_TRUE(previewText().contains(QLatin1String("FIRST VISITOR"))) << qPrintable(previewText());

    type("Fup_Name", QStringLiteral("Desk Visitor"));
    dialogs.queueHook([this](QDialog& window) {
        QLineEdit& value = *controller.profileWindows().sideProfileWindow().row(0).value;
        value.selectAll();
        QTest::keyClicks(&value, QStringLiteral("Profile Only"));
        window.findChild<QPushButton*>(QStringLiteral("preview_btn"))->click();
        window.findChild<QPushButton*>(QStringLiteral("cancel_btn"))->click();
    });
    action(QStringLiteral("User_Profile_Button_Clicked")).trigger();
    EXPECT_EQ(front().textBox("Fup_Name")->text(), "Desk Visitor");
    EXPECT_EQ(onCard("Fup_Name")->Text_Value, "Desk Visitor");
    EXPECT_TRUE(previewText().contains(QLatin1String("DESK VISITOR"))) << qPrintable(previewText());
}

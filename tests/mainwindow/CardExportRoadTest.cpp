// The Export command on the main window: the export sheet, the folder, the batch run with its
// progress window and the closing box, with scripted windows; on an X server the sheet and the
// progress window of a 200-record run are pictured in test-artifacts/export.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include "ExportScripting.h"
#include "data/Data_From_Excel.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/OutputCommands.h"
#include "mainwindow/SKTWindowController.h"
#include "model/SKTDocument.h"
#include "platform/AppContext.h"
#include "support/FreshRun.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"
#include "views/dialogs/Open_Export_Log.h"
#include "views/dialogs/QtDialogPresenter.h"
#include "views/dialogs/Replcae_Confirm_Box.h"
#include "views/dialogs/Send_Modeless.h"
#include "views/inspector/CheckedNumberField.h"
#include "views/output/ExportSheet.h"
#include "views/visitors/VisitorPassDesign.h"

namespace {

void writeOld(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

class CardExportRoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CARD_SIDE_STR = QStringLiteral("1");
        Data_From_Excel& table = Loaded_Data_Table();
        table.ListData.clear();
        for (int n = 1; n <= 200; ++n)
            table.Create_List_By_Array({QStringLiteral("Holder %1").arg(n)}, 1);
        name = SKTGraphic::create(GraphicKind::Text);
        name->setBounds(QRectF(10, 10, 160, 30));
        name->ctrl_is_visible = true;
        name->data_source_type = 2;
        name->excel_binding = true;
        name->excel_col_indx = 1;
        name->Set_text_value(QStringLiteral("Designed"));
        document.replaceGraphicsOnSide(SKTDocument::FrontSide, {name});
    }
    void TearDown() override { Loaded_Data_Table().ListData.clear(); }

    // Answers the sheet with a range, the folder panel with the temporary folder, and keeps the
    // closing box's message.
    void scriptExport(int from, int to, std::function<void(ExportSheet&)> look = {},
                      ScriptedDialogPresenter::Hook question = {})
    {
        ::scriptExport(dialogs, folder.path(), from, to, &closingMessage, std::move(look), std::move(question));
    }
    QStringList written() const { return QDir(folder.filePath("ZOVA ID Card")).entryList(QDir::Files, QDir::Name); }
    QString exported(const QString& name) const { return QDir(folder.filePath("ZOVA ID Card")).filePath(name); }

    QTemporaryDir folder;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope{messages};
    ScriptedDialogPresenter dialogs;
    SKTDocument document;
    SKTWindowController controller{document};
    GraphicPtr name;
    QString closingMessage;
};

}  // namespace

TEST_F(CardExportRoadTest, TheRangeChosenOnTheSheetIsWrittenAndTheDesignComesBack)
{
    scriptExport(2, 3);
    Export_Button(controller);
    EXPECT_EQ(written(), (QStringList{"Card_2_Front.PNG", "Card_3_Front.PNG"}));
    EXPECT_EQ(closingMessage, "Card has been exported successfully.\n\n2 cards were written.");
    ASSERT_EQ(document.graphics().size(), 1);
    EXPECT_EQ(document.graphics()[0]->Text_Value, "Designed");
    EXPECT_FALSE(Card_Value_In_Process);

    // From equal to To is that one record.
    scriptExport(150, 150);
    Export_Button(controller);
    EXPECT_EQ(written(), (QStringList{"Card_150_Front.PNG", "Card_2_Front.PNG", "Card_3_Front.PNG"}));
    EXPECT_EQ(closingMessage, "Card has been exported successfully.\n\n1 card was written.");
}

TEST_F(CardExportRoadTest, AFromAboveTheToIsRefusedOnTheSheet)
{
    dialogs.queueHook([](QDialog& dialog) {
        auto& sheet = static_cast<ExportSheet&>(dialog);
        sheet.rangeBlock->Sel_print_rd->click();
        sheet.rangeBlock->from_Text->setValue(5);
        sheet.rangeBlock->To_Text->setValue(3);
        sheet.exportOkay();
    });
    Export_Button(controller);
    EXPECT_EQ(messages.texts(), QStringList{"\nPlease select valid range."});
    EXPECT_TRUE(written().isEmpty());
}

// Only the file the chosen name gives (here the front, not there) is asked about; the back beside
// it goes with its front and is replaced without a keep-or-replace question.
TEST_F(CardExportRoadTest, WithoutADataSourceTheDesignGoesIntoTheChosenFileReplacingItsBackUnasked)
{
    CARD_SIDE_STR = QStringLiteral("2");
    const QString back = folder.filePath("Card_Back.PNG");
    writeOld(back, "old back");
    QStringList asked;
    dialogs.queueHook([](QDialog& dialog) {
        auto& sheet = static_cast<ExportSheet&>(dialog);
        sheet.rangeBlock->Export_with_excel_chk->click();
        sheet.exportOkay();
    });
    dialogs.queueSaveFile(folder.filePath("Card.PNG"));
    // The closing box names the front file, and OK with its box ticked opens both files.
    QString shownPath;
    QString openChoice;
    QStringList opened;
    dialogs.queueHook([&](QDialog& dialog) {
        auto* box = qobject_cast<Open_Export_Log*>(&dialog);
        if (!box)
            return asked.append(dialog.windowTitle());
        closingMessage = box->_open_log_message->text();
        shownPath = box->_open_log_path->text();
        openChoice = box->_open_log_chk->text();
        const auto open = std::exchange(box->openPath, [&](const QString& path) { opened.append(path); });
        box->ok_button->click();
        box->openPath = open;
    });
    Export_Button(controller);
    CARD_SIDE_STR = QStringLiteral("1");
    EXPECT_TRUE(asked.isEmpty()) << qPrintable(asked.join(u'|'));
    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files, QDir::Name), (QStringList{"Card_Back.PNG", "Card_Front.PNG"}));
    const QImage replaced(back);
    ASSERT_FALSE(replaced.isNull());
    EXPECT_EQ(replaced.size(), QImage(folder.filePath("Card_Front.PNG")).size());
    EXPECT_EQ(closingMessage, "File has been exported successfully.");
    EXPECT_EQ(shownPath, folder.filePath("Card_Front.PNG"));
    EXPECT_EQ(openChoice, "Open exported file.");
    EXPECT_EQ(opened, (QStringList{folder.filePath("Card_Front.PNG"), back}));
    EXPECT_EQ(document.graphics()[0]->Text_Value, "Designed");
}

// A visitor pass is exported as it stands: the sheet offers no records, even when an element
// still names a spreadsheet column, and the file shows the pass's own text (pdftotext).
TEST_F(CardExportRoadTest, AVisitorPassIsExportedAsItStandsWithoutRecords)
{
    Start_Card_Option = QStringLiteral("V");
    QList<bool> sheetOffers;
    dialogs.queueHook([&](QDialog& dialog) {
        auto& sheet = static_cast<ExportSheet&>(dialog);
        for (const QCheckBox* box : {sheet.rangeBlock->Export_with_excel_chk, sheet.rangeBlock->Export_with_batch_chk})
            sheetOffers << box->isEnabled() << box->isChecked();
        sheet.fileFormatPopup->setCurrentIndex(sheet.fileFormatPopup->findText(QStringLiteral("PDF")));
        sheet.exportOkay();
    });
    dialogs.queueSaveFile(folder.filePath("Pass.PDF"));
    dialogs.queueHook([&](QDialog& dialog) { closingMessage = static_cast<Open_Export_Log&>(dialog)._open_log_message->text(); });
    Export_Button(controller);
    Start_Card_Option = QStringLiteral("T");
    EXPECT_EQ(sheetOffers, (QList<bool>{false, false, false, false}));
    EXPECT_EQ(closingMessage, "File has been exported successfully.");
    const QString pass = folder.filePath("Pass_Front.PDF");
    ASSERT_TRUE(QFile::exists(pass)) << qPrintable(QDir(folder.path()).entryList(QDir::Files).join(u'|'));
    const QString text = QString::fromUtf8(TestEnvironment::run(QStringLiteral("pdftotext"), {pass, QStringLiteral("-")}).out);
    EXPECT_EQ(text.simplified(), QStringLiteral("Designed"));
}

// A card whose file cannot be written (a folder stands at its name) is reported with the reason,
// never as exported.
TEST_F(CardExportRoadTest, ASingleCardThatCannotBeWrittenIsReportedNotExported)
{
    ASSERT_TRUE(QDir(folder.path()).mkpath("Card_Front.PNG"));
    dialogs.queueHook([](QDialog& dialog) {
        auto& sheet = static_cast<ExportSheet&>(dialog);
        sheet.rangeBlock->Export_with_excel_chk->click();
        sheet.exportOkay();
    });
    dialogs.queueSaveFile(folder.filePath("Card.PNG"));
    messages.queueAnswers({0});  // Yes, replace what stands there
    Export_Button(controller);
    const QList<ScriptedMessagePresenter::Record> shown = messages.records();
    ASSERT_EQ(shown.size(), 2) << messages.texts().join('|').toStdString();
    EXPECT_EQ(shown[1].request.text, "0 cards were written.\n\n1 file could not be written:");
    ASSERT_EQ(shown[1].request.details.size(), 1);
    EXPECT_TRUE(shown[1].request.details[0].startsWith("Card_Front.PNG: ")) << shown[1].request.details[0].toStdString();
}

// The application's own save panel, not a scripted one, offers the next card's name.
TEST_F(CardExportRoadTest, TheRealSavePanelOfASingleExportOffersTheCardsName)
{
    struct RealSavePanel : ScriptedDialogPresenter {
        QString saveFile(const FilePanelRequest& request) override { return QtDialogPresenter().saveFile(request); }
    } panels;
    export_card_counter = 1;
    panels.queueHook([](QDialog& dialog) {
        auto& sheet = static_cast<ExportSheet&>(dialog);
        sheet.rangeBlock->Export_with_excel_chk->click();
        sheet.exportOkay();
    });
    QString offered;
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* panel = qobject_cast<QFileDialog*>(top);
            if (!panel || !panel->isVisible())
                continue;
            offered = panel->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            panel->reject();
        }
    });
    watch.start();
    Export_Button(controller);
    watch.stop();
    EXPECT_EQ(offered, "Card_1.PNG");
    EXPECT_TRUE(messages.texts().isEmpty());
}

// Without a data source the panel offers Card_1, Card_2 ... counting over the whole run; a front
// already there is asked about by name, and No offers the next number.
TEST_F(CardExportRoadTest, ASingleCardIsOfferedTheNextCardNumberAndAFileThereIsAskedAboutByName)
{
    export_card_counter = 1;
    const QString oldFront = folder.filePath("Card_1_Front.PNG");
    writeOld(oldFront, "old front");
    auto exportSingleCard = [&](const QStringList& chosen) {
        dialogs.queueHook([](QDialog& dialog) {
            auto& sheet = static_cast<ExportSheet&>(dialog);
            sheet.rangeBlock->Export_with_excel_chk->click();
            sheet.exportOkay();
        });
        for (const QString& name : chosen)
            dialogs.queueSaveFile(folder.filePath(name));
        Export_Button(controller);
        dialogs.clearHooks();
    };
    messages.queueAnswers({1});  // No: keep the old front
    exportSingleCard({"Card_1.PNG", "Card_2.PNG"});
    EXPECT_EQ(dialogs.offeredNames, (QStringList{"Card_1.PNG", "Card_2.PNG"}));
    EXPECT_EQ(messages.texts(), QStringList{"Card_1_Front already exists. Do you want to replace it?"});
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files, QDir::Name), (QStringList{"Card_1_Front.PNG", "Card_2_Front.PNG"}));
    QFile kept(oldFront);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "old front");
    kept.close();

    // The next export goes on from Card_3; Yes replaces the front named, with no second question.
    messages.queueAnswers({0});
    exportSingleCard({"Card_1.PNG"});
    EXPECT_EQ(dialogs.offeredNames.last(), "Card_3.PNG");
    EXPECT_EQ(messages.texts().size(), 2);
    const QImage replaced(oldFront);
    EXPECT_FALSE(replaced.isNull());
    EXPECT_EQ(replaced.size(), QImage(folder.filePath("Card_2_Front.PNG")).size());
    EXPECT_EQ(export_card_counter, 4);
}

TEST_F(CardExportRoadTest, ABatchRunsFirstQuestionIsMadeAndAnsweredOnTheGuiThreadWhileTheRunWaits)
{
    if (!runsAlone())
        return;
    ASSERT_TRUE(QDir().mkpath(folder.filePath("ZOVA ID Card")));
    const QString existing = folder.filePath("ZOVA ID Card/Card_2_Front.PNG");
    writeOld(existing, "old front");
    QStringList asked;
    QThread* madeOn = nullptr;
    QThread* shownOn = nullptr;
    scriptExport(2, 3, {}, [&](QDialog& dialog) {
        auto* prompt = qobject_cast<Replcae_Confirm_Box*>(&dialog);
        ASSERT_NE(prompt, nullptr) << dialog.metaObject()->className();
        asked.append(prompt->file_path_str);
        madeOn = prompt->thread();
        shownOn = QThread::currentThread();
        prompt->keep_button->click();
    });
    Export_Button(controller);
    EXPECT_EQ(asked, QStringList{existing});
    EXPECT_EQ(madeOn, qApp->thread());
    EXPECT_EQ(shownOn, qApp->thread());
    EXPECT_EQ(written(), (QStringList{"Card_2_Front (1).png", "Card_2_Front.PNG", "Card_3_Front.PNG"}));
    QFile old(existing);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old front");
    EXPECT_EQ(closingMessage, "Card has been exported successfully.\n\n2 cards were written.");
}

TEST_F(CardExportRoadTest, ScreenshotsOfTheSheetAndOfTheProgressWindow)
{
    const QString artifacts = QStringLiteral(ZOVA_EXPORT_ARTIFACT_DIR);
    QDir().mkpath(artifacts);
    bool progressPictured = false;
    QTimer watch;
    watch.setInterval(50);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        Send_Modeless& progress = Send_Modeless::defaultInstance();
        if (!progressPictured && progress.isVisible() && progress.current_count >= 20) {
            progress.refreshFromJob();
            progress.layout()->activate();
            progressPictured = progress.grab().save(artifacts + "/progress_window.png");
        }
    });
    scriptExport(1, 200, [&](ExportSheet& sheet) {
        sheet.show();
        QCoreApplication::processEvents();
        EXPECT_TRUE(sheet.grab().save(artifacts + "/export_sheet.png"));
        sheet.hide();
        watch.start();
    });
    Export_Button(controller);
    EXPECT_TRUE(progressPictured);
    EXPECT_EQ(written().size(), 200);
}

// At a file already there, Cancel skips that file and the run goes on; Cancel with Apply to All
// stops it after the files answered before, and the end report says so and names the records it
// did not reach, also when it wrote nothing. Cards 1 to 3 of twelve are there before the run.
TEST_F(CardExportRoadTest, CancelAtAFileThereSkipsItAndCancelForAllStopsTheRunSayingSo)
{
    using Answer = std::pair<QPushButton* Replcae_Confirm_Box::*, bool>;  // the button, Apply to All
    const Answer cancel{&Replcae_Confirm_Box::cancel_button, false};
    const Answer cancelAll{&Replcae_Confirm_Box::cancel_button, true};
    const Answer keep{&Replcae_Confirm_Box::keep_button, false};
    const QStringList before{"Card_1_Front.PNG", "Card_2_Front.PNG", "Card_3_Front.PNG"};
    QStringList fourToTwelve;
    for (int n = 4; n <= 12; ++n)
        fourToTwelve << QStringLiteral("Card_%1_Front.PNG").arg(n);
    const struct {
        QList<Answer> answers;
        QStringList added;  // beside the files there before
        QString said;       // by the closing box, or with nothing written by a message alone
    } cases[] = {
        {{cancel, cancel, cancel}, fourToTwelve, "Card has been exported successfully.\n\n9 cards were written."},
        {{keep, cancelAll}, {"Card_1_Front (1).png"},
         "1 card was written. The export was stopped. 11 records were not reached (cards 2\u201312)."},
        {{cancelAll}, {}, "\n0 cards were written. The export was stopped. 12 records were not reached (cards 1\u201312)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said.toStdString());
        QDir(exported(QString())).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(exported(QString())));
        for (const QString& name : before)
            writeOld(exported(name), "old");
        QStringList asked;
        const auto answer = [&asked](const Answer& given) {
            return [&asked, given](QDialog& dialog) {
                auto& box = static_cast<Replcae_Confirm_Box&>(dialog);
                asked.append(QFileInfo(box.file_path_str).fileName());
                box.apply_chk->setChecked(given.second);
                (box.*given.first)->click();
            };
        };
        closingMessage.clear();
        // The first answer puts the others before the closing box.
        scriptExport(1, 12, {}, [&](QDialog& first) {
            dialogs.clearHooks();
            for (const Answer& later : c.answers.mid(1))
                dialogs.queueHook(answer(later));
            dialogs.queueHook([&](QDialog& box) { closingMessage = static_cast<Open_Export_Log&>(box)._open_log_message->text(); });
            answer(c.answers.first())(first);
        });
        const qsizetype shownBefore = messages.texts().size();
        Export_Button(controller);
        dialogs.clearHooks();
        EXPECT_EQ(asked, before.first(c.answers.size()));
        EXPECT_EQ(closingMessage + messages.texts().mid(shownBefore).join(u'|'), c.said);
        QStringList expected = c.added + before;
        expected.sort();
        EXPECT_EQ(written(), expected);
        for (const QString& name : before)
            EXPECT_EQ(QFileInfo(exported(name)).size(), 3) << "replaced: " << name.toStdString();
    }
}

// Front and back in one picture is written at the 600 dpi the sheet shows, as the side files are,
// and both sides' barcodes scan (zbarimg).
TEST_F(CardExportRoadTest, AJoinedPictureIsWrittenAt600DpiAndItsBarcodesScan)
{
    CARD_SIDE_STR = QStringLiteral("2");
    Data_From_Excel& table = Loaded_Data_Table();
    table.ListData.clear();
    for (int n = 1; n <= 3; ++n)
        table.Create_List_By_Array({QStringLiteral("Holder %1").arg(n), QStringLiteral("ID%1").arg(n, 4, 10, QChar('0'))}, 2);
    auto boundCode128 = [](const QRectF& box, int column) {
        GraphicPtr barcode = visitortest::code128(box, QString());
        barcode->Set_Data_source_type(2);
        barcode->Set_Excel_binding(true);
        barcode->Set_Excel_binding_Index(column);
        return barcode;
    };
    document.replaceGraphicsOnSide(SKTDocument::FrontSide, {name, boundCode128(QRectF(10, 50, 220, 90), 2)});
    document.replaceGraphicsOnSide(SKTDocument::BackSide, {boundCode128(QRectF(10, 30, 220, 90), 1)});
    for (const bool sideBySide : {false, true}) {
        SCOPED_TRACE(sideBySide);
        scriptExport(2, 2, [sideBySide](ExportSheet& sheet) {
            sheet.side_both->click();
            sheet.export_combined_image_chk->setChecked(true);
            sheet.combined_image_H_or_V_chk->setChecked(sideBySide);
            EXPECT_EQ(sheet.saveDPIText->currentText(), "600 dpi");
        });
        Export_Button(controller);
        const QString joined = exported(QStringLiteral("Card_2.PNG"));
        const auto shape = TestEnvironment::run(
            "identify", {"-units", "PixelsPerInch", "-format", "%w %h %[fx:round(resolution.x)]", joined});
        EXPECT_EQ(QString::fromUtf8(shape.out), sideBySide ? "4050 1284 600" : "2025 2568 600");
        const auto read = TestEnvironment::run("zbarimg", {"-q", "--raw", joined});
        QStringList values = QString::fromUtf8(read.out).split(u'\n', Qt::SkipEmptyParts);
        values.sort();
        EXPECT_EQ(values, (QStringList{"Holder 2", "ID0002"}));
        QFile::remove(joined);
    }
    CARD_SIDE_STR = QStringLiteral("1");
}

// File -> Card Holder Profile… over a record chosen in a group project of 200 people, on the real
// window: the profile lists that record and the project's own workbook, and its OK leaves the
// record on the card, a series' line with it, so the card mailed or exported without the
// spreadsheet is that person's: the mail goes to their own address as a local SMTP server took
// it, and each card is the one an export with the spreadsheet makes of their record
// (ImageMagick), its barcode read with zbarimg.
#include <QScopeGuard>
#include <functional>

#include "GroupPeopleFixture.h"
#include "GroupStaffFixture.h"
#include "SinkMailFixture.h"
#include "mainwindow/ProfileWindows.h"
#include "support/WidgetParts.h"
#include "views/output/OutputRangeBlock.h"
#include "views/profiles/Show_User_Profile.h"

namespace {

// What the side profile window lists of a person: name, title, company, e-mail, unique number,
// photo, and the workbook the records come from.
QString listed(const Show_User_Profile& profile)
{
    QStringList values;
    for (int field : {0, 1, 2, 7, 9})
        values << profile.fieldValue(field);
    values << profile.controls().photo.image_path_val->text() << profile.controls().sheet.excel_path_field->text();
    return values.join(u'|');
}

QString frontPicture(const QDir& folder)
{
    const QStringList names = folder.entryList({QStringLiteral("*Front.png")}, QDir::Files);
    return names.isEmpty() ? QStringLiteral("(no picture)") : folder.filePath(names.first());
}

QString barcodeIn(const QString& picture)
{
    return QString::fromUtf8(TestEnvironment::run(QStringLiteral("zbarimg"), {QStringLiteral("-q"), QStringLiteral("--raw"), picture}).out)
        .trimmed();
}

// How many pixels of the two pictures differ, as ImageMagick counts them.
QString differingPixels(const QString& one, const QString& other)
{
    const auto compared =
        TestEnvironment::run(QStringLiteral("compare"), {QStringLiteral("-metric"), QStringLiteral("AE"), one, other, QStringLiteral("null:")});
    return QString::fromUtf8(compared.err).trimmed();
}

}  // namespace

TEST_F(GroupStaff, TheProfileOverAChosenRecordLeavesThatPersonOnTheCardAndOnWhatLeavesTheProgram)
{
    for (int n : {1, 9})
        visitortest::photoFile(QDir(scratch.path()), QStringLiteral("face%1.png").arg(n), QColor::fromHsv(n * 30, 200, 200));
    addIdElements(document);
    // A desk from a series, line n for record n, on the card until the runs, which it would lengthen.
    const auto dataFolderBack = qScopeGuard([before = Data_Folder_Path] { Data_Folder_Path = before; });
    Data_Folder_Path = scratch.filePath(QStringLiteral("DataSet"));
    ASSERT_TRUE(QDir().mkpath(Data_Folder_Path));
    QFile desks(QDir(Data_Folder_Path).filePath(QStringLiteral("Desks.txt")));
    ASSERT_TRUE(desks.open(QIODevice::WriteOnly));
    for (int n = 1; n <= 200; ++n)
        desks.write(QStringLiteral("Desk %1\n").arg(n).toUtf8());
    desks.close();
    GraphicPtr desk = visitortest::text(QRectF(160, 40, 80, 14), QStringLiteral("Fup_Website"), 9);
    desk->Set_Data_source_type(1);
    desk->Set_Batch_List_Name(QStringLiteral("Desks"));
    document.addInGraphics(desk);
    clickRecord(9);
    QString shown;
    const auto profileConfirmed = [&] {
        shown = QStringLiteral("(not opened)");
        dialogs.queueHook([&](QDialog& dialog) {
            shown = listed(controller.profileWindows().sideProfileWindow());
            part<QPushButton>(dialog, "ok_btn").click();
        });
        action(QStringLiteral("User_Profile_Button_Clicked")).trigger();
        dialogs.clearHooks();
    };
    // Typing over the record is asked about first: kept, the profile does not open.
    enum Answer { Drop = 1, Keep = 2 };
    const qsizetype said = messages.texts().size();
    type("Fup_Title", QStringLiteral("Typed over 9"));
    messages.queueAnswers({Keep});
    profileConfirmed();
    EXPECT_EQ(shown, "(not opened)");
    EXPECT_EQ(onCard(SKTDocument::FrontSide, "Fup_Title"), "Typed over 9");
    // Dropped, it opens, and its OK leaves record 9 on the card, the desk of line 9 too.
    messages.queueAnswers({Drop});
    profileConfirmed();
    EXPECT_EQ(onCard(SKTDocument::FrontSide, "Fup_Website"), "Desk 9");
    document.removeGraphicAtIndex(int(document.graphics().indexOf(desk)));

    SinkMail mail(scratch.path());
    QTemporaryDir withoutData;
    const struct {
        const char* road;
        std::function<QString()> card;  // the front picture that left the program
    } roads[] = {
        {"mail",
         [&] {
             dialogs.queueHook([&mail](QDialog&) {
                 if (mail.window.rangeBlock()->Export_with_excel_chk->isChecked())
                     mail.window.rangeBlock()->Export_with_excel_chk->click();
                 part<QPushButton>(mail.window, "send_button").click();
             });
             action(QStringLiteral("Mail_Button")).trigger();
             const QList<QStringList> received = mail.server.received();
             EXPECT_EQ(received.size(), 1);
             EXPECT_EQ(received.value(0).value(1), "p9@example.com");
             return mail.frontOf(received.value(0));
         }},
        {"export",
         [&] {
             exportCardWithoutData(withoutData.filePath(QStringLiteral("card.png")));
             return frontPicture(QDir(withoutData.path()));
         }},
    };
    // The profile before each run, since a run leaves the chosen record on the card.
    QStringList cards;
    for (const auto& road : roads) {
        SCOPED_TRACE(road.road);
        profileConfirmed();
        EXPECT_EQ(shown, QStringList({"Person 009", "Title 9", "Company 9", "p9@example.com", "ID100009",
                                      scratch.filePath(QStringLiteral("face9.png")),
                                      LiveModePanels::projectWorkbookPath(Project_File_Name)})
                             .join(u'|'));
        EXPECT_EQ(onCard(SKTDocument::FrontSide, "Fup_Name"), "Person 009");
        EXPECT_EQ(field("Fup_Name").text(), "Person 009");
        EXPECT_EQ(controller.liveModes().selectedRow(), 8);
        cards << road.card();
    }
    const QString asked = kUnsavedBeforeProfileQuestion.arg(QStringLiteral("9 - Person 009"));
    EXPECT_EQ(messages.texts().mid(said), QStringList({asked, asked, "\nMessages sent: 1 of 1."}));
    // The project still names the workbook its records came from.
    EXPECT_EQ(Excel_Source_Path, scratch.filePath(QStringLiteral("staff.xlsx")));

    // Each card is the one an export with the spreadsheet makes of record 9.
    QTemporaryDir withData;
    const QString ninth = frontPicture(exportRecords(QStringLiteral("PNG"), 9, 9, withData));
    ASSERT_EQ(barcodeIn(ninth), "ID100009");
    for (qsizetype road = 0; road < cards.size(); ++road) {
        SCOPED_TRACE(roads[road].road);
        EXPECT_EQ(barcodeIn(cards[road]), "ID100009");
        EXPECT_EQ(differingPixels(cards[road], ninth), "0");
    }
}

// The walk's two roads, one per live mode, and the faults it once found kept as plain cases.
#include "LiveCardWalk.h"

using livewalk::LiveCardWalk;
using livewalk::walkSeeds;

TEST_F(LiveCardWalk, EveryRoadKeepsTheVisitorsPanelCardLogAndPassOnOnePerson)
{
    ASSERT_NO_FATAL_FAILURE(startVisitorDesk());
    for (quint32 seed : walkSeeds({20270103, 20270107}))
        if (!walkSeed(seed))
            break;
}

TEST_F(LiveCardWalk, EveryRoadKeepsTheGroupsPanelCardAndExportOnOnePerson)
{
    ASSERT_NO_FATAL_FAILURE(startGroupOfTwelve());
    for (quint32 seed : walkSeeds({20270102, 20270104}))
        if (!walkSeed(seed))
            break;
}

namespace {

class VisitorPassNumber : public VisitorDeskFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(VisitorDeskFixture::SetUp());
        ASSERT_NO_FATAL_FAILURE(openShippedPass());
    }
};

}  // namespace

// A pass number emptied in the panel leaves the symbol without bars; saved and opened again, the
// symbol stays empty as the panel does, rather than showing the number it held before: the pass
// printed (ZXingReader) and the log's row (sqlite3) carry no number.
TEST_F(VisitorPassNumber, AnEmptiedPassNumberStaysOffTheSymbolWhenTheDesignIsOpenedAgain)
{
    type("Fup_Name", QStringLiteral("Ana Souza"));
    type("Fup_UniqueNo", QString());
    const QString design = scratch.filePath(QStringLiteral("no number.did"));
    dialogs.queueSaveFile(design);
    ASSERT_TRUE(SaveAs_Btn_Clicked(controller));
    dialogs.queueOpenFile(design);
    ASSERT_TRUE(Open_Btn_Clicked(controller));
    ASSERT_EQ(front().textBox("Fup_UniqueNo")->text(), QString());
    EXPECT_EQ(barcodeOn(printPass(QStringLiteral("no-number"))), QString());
    click("register_visitor_btn");
    EXPECT_EQ(logged("Name, Visitor_No"), QStringLiteral("Ana Souza|"));
}

// The design copied onto the back brings the visitor's photo into the back's panel even when a
// picture field added in the panel lies above the photo.
TEST_F(VisitorPassNumber, ACopiedDesignShowsTheVisitorsPhotoNotAnAddedPictureInTheOtherPanel)
{
    CARD_SIDE_STR = QStringLiteral("2");
    addField(front(), 1, QStringLiteral("Badge"));
    const QString face = visitortest::photoFile(QDir(scratch.path()), QStringLiteral("face.png"), Qt::blue);
    dialogs.queueOpenFile(face);
    click("browse_photo_btn");
    messages.queueAnswers({0});  // "Yes"
    controller.sideCommands().Copy_Card_Design_Clicked();
    EXPECT_EQ(controller.liveModes().panel(1).photoPath(), face);
    EXPECT_EQ(controller.graphicView(SKTDocument::BackSide)->Selcect_Ctrl_With_ID(kPhotoFieldId)->_file_path, face);
}


// A fresh pass copied onto its back keeps both panels at No photo: the placeholder both cards
// show is nobody's photo.
TEST_F(VisitorPassNumber, ACopiedFreshPassLeavesBothPanelsWithoutAPhoto)
{
    CARD_SIDE_STR = QStringLiteral("2");
    messages.queueAnswers({0});  // "Yes"
    controller.sideCommands().Copy_Card_Design_Clicked();
    EXPECT_EQ(front().photoPath(), QString());
    EXPECT_EQ(controller.liveModes().panel(1).photoPath(), QString());
}

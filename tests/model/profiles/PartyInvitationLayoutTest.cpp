// The invitation card's fixed layout.
#include <gtest/gtest.h>

#include "FakeProfileCanvas.h"
#include "model/profiles/PartyInvitationLayout.h"

namespace {

using Item = PartyInvitationItem;
constexpr GraphicKind T = GraphicKind::Text;
constexpr GraphicKind P = GraphicKind::Image;

PartyInvitationDetails everything()
{
    return {"Summer Party", "Ada", "Join us for food and music.", "12 May", "8 pm", "Town Hall", "Grace",
            "/photos/us.png", "/frames/gold.png"};
}

TEST(PartyInvitation, EveryValueGoesDownTheCardInItsOwnPlace)
{
    const QRectF card(10, 20, 400, 300);
    EXPECT_EQ(Party_Invitation_Layout(everything(), card),
              (QList<Item>{{T, "PARTY_TITLE", QRectF(40, 40, 320, 30), "Summer Party"},
                           {T, "PARTY_TO", QRectF(30, 90, 320, 20), "Dear Ada,"},
                           {T, "PARTY_MSG", QRectF(50, 120, 320, 80), "Join us for food and music."},
                           {T, "PARTY_DATE", QRectF(30, 200, 320, 20), "12 May at 8 pm"},
                           {T, "PARTY_VENUE", QRectF(30, 230, 320, 60), "Venue:\nTown Hall"},
                           {T, "PARTY_FROM", QRectF(40, 300, 320, 40), "From:\nGrace"},
                           {P, "PARTY_IMAGE", QRectF(40, 25, 320, 250), "/photos/us.png"},
                           {P, "PARTY_IMAGE_BG", QRectF(10, 20, 400, 300), "/frames/gold.png"}}));
}

TEST(PartyInvitation, MissingValuesCreateNothingAndMoveTheLinesBelowAsLaidDown)
{
    const QRectF card(0, 0, 400, 300);
    EXPECT_TRUE(Party_Invitation_Layout({}, card).isEmpty());

    PartyInvitationDetails onlyTime;
    onlyTime.time = "8 pm";
    EXPECT_EQ(Party_Invitation_Layout(onlyTime, card), (QList<Item>{{T, "PARTY_TIME", QRectF(30, 40, 320, 20), "AT 8 pm"}}));

    PartyInvitationDetails noTitleNoVenue = everything();
    noTitleNoVenue.title.clear();
    noTitleNoVenue.venue.clear();
    const QList<Item> items = Party_Invitation_Layout(noTitleNoVenue, card);
    ASSERT_EQ(items.size(), 6);
    EXPECT_EQ(items[0].rect.topLeft(), QPointF(30, 40));
    EXPECT_EQ(items[3].ctrlId, QStringLiteral("PARTY_FROM"));
    EXPECT_EQ(items[3].rect.top(), 200.0);
}

TEST(PartyInvitation, WidthsAndThePhotoStayOnASmallCard)
{
    PartyInvitationDetails photoAndTitle;
    photoAndTitle.title = "Party";
    photoAndTitle.photoPath = "/photos/us.png";
    EXPECT_EQ(Party_Invitation_Layout(photoAndTitle, QRectF(0, 0, 243, 154)),
              (QList<Item>{{T, "PARTY_TITLE", QRectF(40, 40, 163, 30), "Party"},
                           {P, "PARTY_IMAGE", QRectF(40, 0, 163, 154), "/photos/us.png"}}));
    EXPECT_EQ(Party_Invitation_Layout(photoAndTitle, QRectF(0, 0, 60, 40)),
              (QList<Item>{{T, "PARTY_TITLE", QRectF(15, 40, 30, 30), "Party"},
                           {P, "PARTY_IMAGE", QRectF(15, 0, 30, 40), "/photos/us.png"}}));
}

TEST(PartyInvitation, OnTheCanvasExistingElementsStayAndEachPictureShowsItsOwnFile)
{
    Library_Selected_Image = QStringLiteral("/library/last-choice.png");
    FakeProfileCanvas front;
    GraphicPtr title = SKTGraphic::create(GraphicKind::Text);
    title->control_ID = QStringLiteral("PARTY_TITLE");
    title->Set_text_value(QStringLiteral("Earlier title"));
    front.elements.append(title);

    Fill_Party_Invidation_Details(front, everything(), QRectF(0, 0, 400, 300));
    EXPECT_EQ(front.ids(), QStringList({"PARTY_TITLE", "PARTY_TO", "PARTY_MSG", "PARTY_DATE", "PARTY_VENUE",
                                        "PARTY_FROM", "PARTY_IMAGE", "PARTY_IMAGE_BG"}));
    EXPECT_EQ(title->Text_Value, QStringLiteral("Earlier title"));
    EXPECT_EQ(front.picturesShown, QStringList({"/photos/us.png", "/frames/gold.png"}));
    EXPECT_EQ(front.tools, QList<int>({2, 8, 8}));
    EXPECT_EQ(Library_Selected_Image, QStringLiteral("/library/last-choice.png"));
    Library_Selected_Image.clear();
}

} // namespace

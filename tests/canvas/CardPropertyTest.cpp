#include <gtest/gtest.h>
#include "canvas/model/Card_Property.h"
#include "mainwindow/MainWindowGlobals.h"
#include "platform/KeyedArchive.h"

namespace {

// Every field away from its default, so a field the archive forgets shows up.
Card_Property changedInEveryField()
{
    QImage picture(4, 3, QImage::Format_ARGB32);
    picture.fill(QColor(10, 200, 30, 255));

    Card_Property p;
    p.setCard_border_chk(true);
    p.setCard_fill_chk(true);
    p.setCard_bordr_clr(QColor(255, 0, 0));
    p.setCard_fill_clr(QColor(0, 255, 0, 128));
    p.setCard_fill_Grd_1_clr(QColor(0, 0, 255));
    p.setCard_fill_Grd_2_clr(QColor(255, 255, 0));
    p.setCard_hatch_bk_clr(QColor(0, 255, 255));
    p.setCard_bor_Stepper(3);
    p.setCard_grad_Stepper(45);
    p.setCard_Cat_index(2);
    p.setCard_alpha_Stepper(0.25f);
    p.setCard_border_style(QStringLiteral("DA"));
    p.setCard_fill_style(QStringLiteral("I"));
    p.setCard_hatch_style(QStringLiteral("Cross"));
    p.setCard_Side(QStringLiteral("1"));
    p.setCard_Side_Name(QStringLiteral("B"));
    p.setCard_Shape(QStringLiteral("RR"));
    p.setCard_Name(QStringLiteral("Staff card"));
    p.setCard_Preset(QStringLiteral("Vertical"));
    p.setCard_Category(QStringLiteral("Paper Card"));
    p.setCard_Sub_Category(QStringLiteral("CR79"));
    p.setCard_Create_Mode(QStringLiteral("T"));
    p.setCard_BG_Image_Path(QStringLiteral("/tmp/bg.png"));
    p.setCard_BG_Image_Layout(QStringLiteral("Tile"));
    p.setCard_BG_Image(picture);
    p.setCard_Location(QPointF(1.5, -2.25));
    p.setCard_Size(QSizeF(242.65, 153.1));
    p.setCard_Content_clr(QColor(12, 34, 56));
    p.setCard_Content_font(CardFont{QStringLiteral("DejaVu Serif"), 9.5});
    p.setWatermark_Used(true);
    p.setWatermark_Text(QStringLiteral("VOID"));
    p.setWatermark_Color(QColor(200, 100, 50, 60));
    p.setWatermark_Font(CardFont{QStringLiteral("DejaVu Sans Mono"), 30});
    p.setWatermark_Alignment(2);
    p.setWatermark_Transp(0.5f);
    return p;
}

}  // namespace

TEST(CardProperty, NewRecordHasTheCardDefaults)
{
    const Card_Property p;
    EXPECT_FALSE(p.Card_border_chk());
    EXPECT_FALSE(p.Card_fill_chk());
    EXPECT_EQ(p.Card_bordr_clr(), QColor(Qt::black));
    EXPECT_EQ(p.Card_fill_clr(), QColor(Qt::white));
    EXPECT_EQ(p.Card_hatch_bk_clr(), QColor(Qt::white));
    EXPECT_EQ(p.Card_bor_Stepper(), 1);
    EXPECT_EQ(p.Card_grad_Stepper(), 0);
    EXPECT_FLOAT_EQ(p.Card_alpha_Stepper(), 100.0f);
    EXPECT_EQ(p.Card_border_style(), QStringLiteral("S"));
    EXPECT_EQ(p.Card_fill_style(), QStringLiteral("S"));
    EXPECT_TRUE(p.Card_hatch_style().isEmpty());
    EXPECT_EQ(p.Card_Side(), QStringLiteral("2"));
    EXPECT_EQ(p.Card_Side_Name(), QStringLiteral("F"));
    EXPECT_EQ(p.Card_Shape(), QStringLiteral("R"));
    EXPECT_EQ(p.Card_Name(), QStringLiteral("Untitled"));
    EXPECT_EQ(p.Card_Preset(), QStringLiteral("Horizontal"));
    EXPECT_EQ(p.Card_Category(), QStringLiteral("PVC Card"));
    EXPECT_EQ(p.Card_Sub_Category(), QStringLiteral("CR80-Credit Card Size"));
    EXPECT_EQ(p.Card_Create_Mode(), QStringLiteral("W"));
    EXPECT_EQ(p.Card_BG_Image_Layout(), QStringLiteral("Stretch"));
    EXPECT_TRUE(p.Card_BG_Image().isNull());
    EXPECT_EQ(p.Card_Location(), QPointF(0, 0));
    EXPECT_EQ(p.Card_Size(), QSizeF(0, 0));
    EXPECT_EQ(p.Card_Content_font(), (CardFont{Text_Ctrl_Font, 12.0}));
    EXPECT_EQ(p.Watermark_Font(), p.Card_Content_font());
    EXPECT_EQ(p.Watermark_Text(), QStringLiteral("Watermark"));
    EXPECT_EQ(p.Watermark_Alignment(), 0);
    EXPECT_FLOAT_EQ(p.Watermark_Transp(), 1.0f);
}

TEST(CardProperty, ArchiveRoundTripKeepsEveryField)
{
    const Card_Property source = changedInEveryField();
    ASSERT_NE(source, Card_Property());
    const Card_Property back = Card_Property::fromArchivedData(source.archivedData());
    EXPECT_EQ(back, source);

    const Card_Property defaults;
    EXPECT_EQ(Card_Property::fromArchivedData(defaults.archivedData()), defaults);
}

TEST(CardProperty, ReadingStartsFromAnEmptyRecordNotTheDefaults)
{
    KeyedArchiver archiver;
    archiver.encodeString(QStringLiteral("Card_Side_Name"), QStringLiteral("B"));
    const Card_Property p = Card_Property::fromArchivedData(archiver.finish());
    EXPECT_EQ(p.Card_Side_Name(), QStringLiteral("B"));
    EXPECT_TRUE(p.Card_Name().isEmpty());
    EXPECT_EQ(p.Card_bor_Stepper(), 0);
    EXPECT_FLOAT_EQ(p.Card_alpha_Stepper(), 0.0f);
    EXPECT_FALSE(p.Card_bordr_clr().isValid());
    EXPECT_TRUE(p.Card_Content_font().isNull());
    EXPECT_EQ(p.Card_Size(), QSizeF(0, 0));

    // Bytes that are no archive at all give the same empty record.
    EXPECT_EQ(Card_Property::fromArchivedData(QByteArray("not an archive")),
              Card_Property::fromArchivedData(KeyedArchiver().finish()));
}

TEST(CardProperty, ChangingACopyLeavesTheSourceAlone)
{
    const Card_Property source = changedInEveryField();
    Card_Property copy = source;
    EXPECT_EQ(copy, source);
    copy.setCard_Name(QStringLiteral("Other"));
    copy.setCard_Content_font(CardFont{QStringLiteral("Other"), 7});
    QImage picture = copy.Card_BG_Image();
    picture.fill(Qt::black);
    copy.setCard_BG_Image(picture);

    EXPECT_EQ(source.Card_Name(), QStringLiteral("Staff card"));
    EXPECT_EQ(source.Card_Content_font().name, QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(source.Card_BG_Image().pixelColor(0, 0), QColor(10, 200, 30));
}

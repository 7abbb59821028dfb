#include "model/Card_Property.h"
#include "model/CardFontArchive.h"
#include "platform/AppContext.h"
#include "platform/KeyedArchive.h"

Card_Property::Card_Property()
    : m_Card_bordr_clr(Qt::black),
      m_Card_fill_clr(Qt::white),
      m_Card_fill_Grd_1_clr(Qt::white),
      m_Card_fill_Grd_2_clr(Qt::white),
      m_Card_hatch_bk_clr(Qt::white),
      m_Card_bor_Stepper(1),
      m_Card_alpha_Stepper(100.0f),
      m_Card_border_style(QStringLiteral("S")),
      m_Card_fill_style(QStringLiteral("S")),
      m_Card_Side(QStringLiteral("2")),
      m_Card_Side_Name(QStringLiteral("F")),
      m_Card_Shape(QStringLiteral("R")),
      m_Card_Name(default_file_name),
      m_Card_Preset(QStringLiteral("Horizontal")),
      m_Card_Category(QStringLiteral("PVC Card")),
      m_Card_Sub_Category(QStringLiteral("CR80-Credit Card Size")),
      m_Card_Create_Mode(QStringLiteral("W")),
      m_Card_BG_Image_Layout(QStringLiteral("Stretch")),
      m_Card_Content_clr(Qt::black),
      m_Card_Content_font{Text_Ctrl_Font, Text_Ctrl_Font_Size},
      m_Watermark_Text(QStringLiteral("Watermark")),
      m_Watermark_Color(Qt::black),
      m_Watermark_Font{Text_Ctrl_Font, Text_Ctrl_Font_Size},
      m_Watermark_Transp(1.0f)
{
}

QByteArray Card_Property::archivedData() const
{
    return archiver().finish();
}

QByteArray Card_Property::archiveDigest() const
{
    return archiver().digest();
}

KeyedArchiver Card_Property::archiver() const
{
    KeyedArchiver a;
    a.encodeBool(QStringLiteral("Card_border_chk"), m_Card_border_chk);
    a.encodeBool(QStringLiteral("Card_fill_chk"), m_Card_fill_chk);
    a.encodeInt(QStringLiteral("Card_bor_Stepper"), m_Card_bor_Stepper);
    a.encodeInt(QStringLiteral("Card_grad_Stepper"), m_Card_grad_Stepper);
    a.encodeInt(QStringLiteral("Card_Cat_index"), m_Card_Cat_index);
    a.encodeFloat(QStringLiteral("Card_alpha_Stepper"), m_Card_alpha_Stepper);
    a.encodeColor(QStringLiteral("Card_bordr_clr"), m_Card_bordr_clr);
    a.encodeColor(QStringLiteral("Card_fill_clr"), m_Card_fill_clr);
    a.encodeColor(QStringLiteral("Card_fill_Grd_1_clr"), m_Card_fill_Grd_1_clr);
    a.encodeColor(QStringLiteral("Card_fill_Grd_2_clr"), m_Card_fill_Grd_2_clr);
    a.encodeColor(QStringLiteral("Card_hatch_bk_clr"), m_Card_hatch_bk_clr);
    a.encodeString(QStringLiteral("Card_border_style"), m_Card_border_style);
    a.encodeString(QStringLiteral("Card_fill_style"), m_Card_fill_style);
    a.encodeString(QStringLiteral("Card_hatch_style"), m_Card_hatch_style);
    a.encodeString(QStringLiteral("Card_Side"), m_Card_Side);
    a.encodeString(QStringLiteral("Card_Side_Name"), m_Card_Side_Name);
    a.encodeString(QStringLiteral("Card_Shape"), m_Card_Shape);
    a.encodeString(QStringLiteral("Card_Name"), m_Card_Name);
    a.encodeString(QStringLiteral("Card_Preset"), m_Card_Preset);
    a.encodeString(QStringLiteral("Card_Category"), m_Card_Category);
    a.encodeString(QStringLiteral("Card_Sub_Category"), m_Card_Sub_Category);
    a.encodeString(QStringLiteral("Card_Create_Mode"), m_Card_Create_Mode);
    a.encodeString(QStringLiteral("Card_BG_Image_Path"), m_Card_BG_Image_Path);
    a.encodeString(QStringLiteral("Card_BG_Image_Layout"), m_Card_BG_Image_Layout);
    a.encodeImage(QStringLiteral("Card_BG_Image"), m_Card_BG_Image);
    a.encodePoint(QStringLiteral("Card_Location"), m_Card_Location);
    a.encodeSize(QStringLiteral("Card_Size"), m_Card_Size);
    a.encodeColor(QStringLiteral("Card_Content_clr"), m_Card_Content_clr);
    encodeCardFont(a, QStringLiteral("Card_Content_font"), m_Card_Content_font);
    a.encodeBool(QStringLiteral("Watermark_Used"), m_Watermark_Used);
    a.encodeInt(QStringLiteral("Watermark_Alignment"), m_Watermark_Alignment);
    a.encodeFloat(QStringLiteral("Watermark_Transp"), m_Watermark_Transp);
    a.encodeString(QStringLiteral("Watermark_Text"), m_Watermark_Text);
    a.encodeColor(QStringLiteral("Watermark_Color"), m_Watermark_Color);
    encodeCardFont(a, QStringLiteral("Watermark_Font"), m_Watermark_Font);
    return a;
}

Card_Property Card_Property::fromArchivedData(const QByteArray& bytes)
{
    Card_Property p{Empty{}};
    const auto unarchiver = KeyedUnarchiver::fromData(bytes);
    if (!unarchiver)
        return p;
    const KeyedUnarchiver& u = *unarchiver;
    p.m_Card_border_chk = u.decodeBool(QStringLiteral("Card_border_chk"));
    p.m_Card_fill_chk = u.decodeBool(QStringLiteral("Card_fill_chk"));
    p.m_Card_bor_Stepper = u.decodeInt(QStringLiteral("Card_bor_Stepper"));
    p.m_Card_grad_Stepper = u.decodeInt(QStringLiteral("Card_grad_Stepper"));
    p.m_Card_Cat_index = u.decodeInt(QStringLiteral("Card_Cat_index"));
    p.m_Card_alpha_Stepper = u.decodeFloat(QStringLiteral("Card_alpha_Stepper"));
    p.m_Card_bordr_clr = u.decodeColor(QStringLiteral("Card_bordr_clr"));
    p.m_Card_fill_clr = u.decodeColor(QStringLiteral("Card_fill_clr"));
    p.m_Card_fill_Grd_1_clr = u.decodeColor(QStringLiteral("Card_fill_Grd_1_clr"));
    p.m_Card_fill_Grd_2_clr = u.decodeColor(QStringLiteral("Card_fill_Grd_2_clr"));
    p.m_Card_hatch_bk_clr = u.decodeColor(QStringLiteral("Card_hatch_bk_clr"));
    p.m_Card_border_style = u.decodeString(QStringLiteral("Card_border_style"));
    p.m_Card_fill_style = u.decodeString(QStringLiteral("Card_fill_style"));
    p.m_Card_hatch_style = u.decodeString(QStringLiteral("Card_hatch_style"));
    p.m_Card_Side = u.decodeString(QStringLiteral("Card_Side"));
    p.m_Card_Side_Name = u.decodeString(QStringLiteral("Card_Side_Name"));
    p.m_Card_Shape = u.decodeString(QStringLiteral("Card_Shape"));
    p.m_Card_Name = u.decodeString(QStringLiteral("Card_Name"));
    p.m_Card_Preset = u.decodeString(QStringLiteral("Card_Preset"));
    p.m_Card_Category = u.decodeString(QStringLiteral("Card_Category"));
    p.m_Card_Sub_Category = u.decodeString(QStringLiteral("Card_Sub_Category"));
    p.m_Card_Create_Mode = u.decodeString(QStringLiteral("Card_Create_Mode"));
    p.m_Card_BG_Image_Path = u.decodeString(QStringLiteral("Card_BG_Image_Path"));
    p.m_Card_BG_Image_Layout = u.decodeString(QStringLiteral("Card_BG_Image_Layout"));
    p.m_Card_BG_Image = u.decodeImage(QStringLiteral("Card_BG_Image"));
    p.m_Card_Location = u.decodePoint(QStringLiteral("Card_Location"));
    p.m_Card_Size = u.decodeSize(QStringLiteral("Card_Size"));
    p.m_Card_Content_clr = u.decodeColor(QStringLiteral("Card_Content_clr"));
    p.m_Card_Content_font = decodeCardFont(u, QStringLiteral("Card_Content_font"));
    p.m_Watermark_Used = u.decodeBool(QStringLiteral("Watermark_Used"));
    p.m_Watermark_Alignment = u.decodeInt(QStringLiteral("Watermark_Alignment"));
    p.m_Watermark_Transp = u.decodeFloat(QStringLiteral("Watermark_Transp"));
    p.m_Watermark_Text = u.decodeString(QStringLiteral("Watermark_Text"));
    p.m_Watermark_Color = u.decodeColor(QStringLiteral("Watermark_Color"));
    p.m_Watermark_Font = decodeCardFont(u, QStringLiteral("Watermark_Font"));
    return p;
}

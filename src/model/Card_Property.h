#pragma once
// The card-level settings of one side: name, size preset, outline, background fill, border,
// default text font and colour, and watermark. A plain value: copying gives an independent record.
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include "model/CardFont.h"

class KeyedArchiver;

class Card_Property {
public:
    // A record with the defaults of a new card (reads the default text font globals).
    Card_Property();

    bool Card_border_chk() const { return m_Card_border_chk; }
    void setCard_border_chk(bool v) { m_Card_border_chk = v; }
    bool Card_fill_chk() const { return m_Card_fill_chk; }
    void setCard_fill_chk(bool v) { m_Card_fill_chk = v; }
    QColor Card_bordr_clr() const { return m_Card_bordr_clr; }
    void setCard_bordr_clr(const QColor& v) { m_Card_bordr_clr = v; }
    QColor Card_fill_clr() const { return m_Card_fill_clr; }
    void setCard_fill_clr(const QColor& v) { m_Card_fill_clr = v; }
    QColor Card_fill_Grd_1_clr() const { return m_Card_fill_Grd_1_clr; }
    void setCard_fill_Grd_1_clr(const QColor& v) { m_Card_fill_Grd_1_clr = v; }
    QColor Card_fill_Grd_2_clr() const { return m_Card_fill_Grd_2_clr; }
    void setCard_fill_Grd_2_clr(const QColor& v) { m_Card_fill_Grd_2_clr = v; }
    QColor Card_hatch_bk_clr() const { return m_Card_hatch_bk_clr; }
    void setCard_hatch_bk_clr(const QColor& v) { m_Card_hatch_bk_clr = v; }
    qint32 Card_bor_Stepper() const { return m_Card_bor_Stepper; }
    void setCard_bor_Stepper(qint32 v) { m_Card_bor_Stepper = v; }
    qint32 Card_grad_Stepper() const { return m_Card_grad_Stepper; }
    void setCard_grad_Stepper(qint32 v) { m_Card_grad_Stepper = v; }
    qint32 Card_Cat_index() const { return m_Card_Cat_index; }
    void setCard_Cat_index(qint32 v) { m_Card_Cat_index = v; }
    // Opacity 0 to 1 as the card panel sets it; 1 and above draw fully opaque.
    float Card_alpha_Stepper() const { return m_Card_alpha_Stepper; }
    void setCard_alpha_Stepper(float v) { m_Card_alpha_Stepper = v; }
    QString Card_border_style() const { return m_Card_border_style; }
    void setCard_border_style(const QString& v) { m_Card_border_style = v; }
    QString Card_fill_style() const { return m_Card_fill_style; }
    void setCard_fill_style(const QString& v) { m_Card_fill_style = v; }
    QString Card_hatch_style() const { return m_Card_hatch_style; }
    void setCard_hatch_style(const QString& v) { m_Card_hatch_style = v; }
    QString Card_Side() const { return m_Card_Side; }
    void setCard_Side(const QString& v) { m_Card_Side = v; }
    QString Card_Side_Name() const { return m_Card_Side_Name; }
    void setCard_Side_Name(const QString& v) { m_Card_Side_Name = v; }
    QString Card_Shape() const { return m_Card_Shape; }
    void setCard_Shape(const QString& v) { m_Card_Shape = v; }
    QString Card_Name() const { return m_Card_Name; }
    void setCard_Name(const QString& v) { m_Card_Name = v; }
    QString Card_Preset() const { return m_Card_Preset; }
    void setCard_Preset(const QString& v) { m_Card_Preset = v; }
    QString Card_Category() const { return m_Card_Category; }
    void setCard_Category(const QString& v) { m_Card_Category = v; }
    QString Card_Sub_Category() const { return m_Card_Sub_Category; }
    void setCard_Sub_Category(const QString& v) { m_Card_Sub_Category = v; }
    QString Card_Create_Mode() const { return m_Card_Create_Mode; }
    void setCard_Create_Mode(const QString& v) { m_Card_Create_Mode = v; }
    QString Card_BG_Image_Path() const { return m_Card_BG_Image_Path; }
    void setCard_BG_Image_Path(const QString& v) { m_Card_BG_Image_Path = v; }
    QString Card_BG_Image_Layout() const { return m_Card_BG_Image_Layout; }
    void setCard_BG_Image_Layout(const QString& v) { m_Card_BG_Image_Layout = v; }
    QImage Card_BG_Image() const { return m_Card_BG_Image; }
    void setCard_BG_Image(const QImage& v) { m_Card_BG_Image = v; }
    QPointF Card_Location() const { return m_Card_Location; }
    void setCard_Location(const QPointF& v) { m_Card_Location = v; }
    QSizeF Card_Size() const { return m_Card_Size; }
    void setCard_Size(const QSizeF& v) { m_Card_Size = v; }
    QColor Card_Content_clr() const { return m_Card_Content_clr; }
    void setCard_Content_clr(const QColor& v) { m_Card_Content_clr = v; }
    CardFont Card_Content_font() const { return m_Card_Content_font; }
    void setCard_Content_font(const CardFont& v) { m_Card_Content_font = v; }
    bool Watermark_Used() const { return m_Watermark_Used; }
    void setWatermark_Used(bool v) { m_Watermark_Used = v; }
    QString Watermark_Text() const { return m_Watermark_Text; }
    void setWatermark_Text(const QString& v) { m_Watermark_Text = v; }
    QColor Watermark_Color() const { return m_Watermark_Color; }
    void setWatermark_Color(const QColor& v) { m_Watermark_Color = v; }
    CardFont Watermark_Font() const { return m_Watermark_Font; }
    void setWatermark_Font(const CardFont& v) { m_Watermark_Font = v; }
    // 0 top, 1 middle, 2 bottom; always centred horizontally.
    qint32 Watermark_Alignment() const { return m_Watermark_Alignment; }
    void setWatermark_Alignment(qint32 v) { m_Watermark_Alignment = v; }
    float Watermark_Transp() const { return m_Watermark_Transp; }
    void setWatermark_Transp(float v) { m_Watermark_Transp = v; }

    // The keyed archive of the record: a binary property-list dictionary keyed by field name.
    QByteArray archivedData() const;
    // Equal exactly when the archives hold equal values (their bytes may differ).
    QByteArray archiveDigest() const;
    // Reads an archive onto an empty record: absent keys stay NO, 0, empty or null, not the
    // defaults. Bytes that are no archive give an empty record.
    static Card_Property fromArchivedData(const QByteArray& bytes);

    bool operator==(const Card_Property&) const = default;

private:
    struct Empty {};
    KeyedArchiver archiver() const;
    explicit Card_Property(Empty) {}

    bool m_Card_border_chk = false;
    bool m_Card_fill_chk = false;
    QColor m_Card_bordr_clr;
    QColor m_Card_fill_clr;
    QColor m_Card_fill_Grd_1_clr;
    QColor m_Card_fill_Grd_2_clr;
    QColor m_Card_hatch_bk_clr;
    qint32 m_Card_bor_Stepper = 0;
    qint32 m_Card_grad_Stepper = 0;
    qint32 m_Card_Cat_index = 0;
    float m_Card_alpha_Stepper = 0;
    QString m_Card_border_style;
    QString m_Card_fill_style;
    QString m_Card_hatch_style;
    QString m_Card_Side;
    QString m_Card_Side_Name;
    QString m_Card_Shape;
    QString m_Card_Name;
    QString m_Card_Preset;
    QString m_Card_Category;
    QString m_Card_Sub_Category;
    QString m_Card_Create_Mode;
    QString m_Card_BG_Image_Path;
    QString m_Card_BG_Image_Layout;
    QImage m_Card_BG_Image;
    QPointF m_Card_Location;
    QSizeF m_Card_Size{0, 0};  // QSizeF() would be (-1, -1)
    QColor m_Card_Content_clr;
    CardFont m_Card_Content_font;
    bool m_Watermark_Used = false;
    QString m_Watermark_Text;
    QColor m_Watermark_Color;
    CardFont m_Watermark_Font;
    qint32 m_Watermark_Alignment = 0;
    float m_Watermark_Transp = 0;
};

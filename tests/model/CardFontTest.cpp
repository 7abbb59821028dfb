// A font's style: the face it draws with, and its name in archives, older archives included.
#include <QFontInfo>
#include <gtest/gtest.h>

#include "model/SKTText.h"
#include "platform/KeyedArchive.h"
#include "support/FontPrinting.h"

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

TEST(CardFont, TheStyleChoosesTheFaceAndSaysBoldOrItalicToEveryDevice)
{
    struct Case { QString style; QString face; QFont::Weight weight; QFont::Style slant; };
    for (const Case& c : {Case{"", "Book", QFont::Normal, QFont::StyleNormal},
                          Case{"Bold", "Bold", QFont::Bold, QFont::StyleNormal},
                          Case{"Oblique", "Oblique", QFont::Normal, QFont::StyleOblique},
                          Case{"Bold Oblique", "Bold Oblique", QFont::Bold, QFont::StyleOblique}}) {
        const CardFont font{"DejaVu Sans", 14, c.style};
        const QFont drawn = font.toQFont();
        EXPECT_EQ(font.name(), c.style.isEmpty() ? "DejaVu Sans" : "DejaVu Sans " + c.style);
        EXPECT_EQ(QFontInfo(drawn).styleName(), c.face) << c.face.toStdString();
        EXPECT_EQ(std::tuple(drawn.weight(), drawn.style()), std::tuple(c.weight, c.slant)) << c.face.toStdString();
    }
    EXPECT_EQ((CardFont{"DejaVu Serif", 9, "Italic"}.toQFont().style()), QFont::StyleItalic);
}

TEST(CardFont, ArchivesNameTheStyledFontAndOlderArchivesGiveTheRegularFace)
{
    SKTText text;
    text.textStyle.text_ctrl_font = CardFont{"DejaVu Sans", 14, "Bold"};
    const auto archive = KeyedUnarchiver::fromData(text.archivedData());
    ASSERT_TRUE(archive);
    const QString key = QStringLiteral("text_ctrl_font");
    ASSERT_TRUE(archive->decodeFont(key));
    EXPECT_EQ(archive->decodeFont(key)->name, "DejaVu Sans Bold");

    // Older archives hold the family alone; a style that is not the end of the name is not taken.
    for (const auto& [name, style] : {std::pair<QString, QString>{"DejaVu Sans", ""}, {"DejaVu Sans", "Bold"}}) {
        KeyedArchiver older;
        older.encodeString(QStringLiteral("$class"), text.className());
        older.encodeFont(key, name, 12, style);
        const GraphicPtr read = SKTGraphic::fromArchivedData(older.finish());
        ASSERT_TRUE(read);
        EXPECT_EQ(read->textStyle.text_ctrl_font, (CardFont{"DejaVu Sans", 12})) << style.toStdString();
    }
}

// The design's digest, which tells whether the open design still matches its file, is the same
// however often it is taken from an unchanged design, and changes with anything a save writes.
#include <gtest/gtest.h>

#include <QPainter>
#include <functional>
#include <utility>

#include "data/Data_From_Excel.h"
#include "designfile/DesignFingerprint.h"
#include "model/Card_Property.h"
#include "model/SKTDocument.h"
#include "model/SKTImage.h"

TEST(DesignFingerprintTest, AnUnchangedDesignKeepsItsDigestAndEveryChangeAltersIt)
{
    // Pictures whose adjusted copy is the picture itself and sides of default colours: values a
    // binary archive holds twice, which its bytes alone do not tell apart from run to run.
    SKTDocument document;
    GraphicList front;
    for (int n = 0; n < 40; ++n) {
        QImage picture(200 + n, 150, QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(200, 60, 30, 180));
        painter.drawEllipse(QRectF(2, 2, 196, 146));
        painter.end();
        auto image = SKTImage::initWithPosition(QPointF(n, 0), picture, QString());
        image->setAdjustedPicture(picture, picture.cacheKey(), image->picture);
        front.append(image);
        front.append(SKTGraphic::create(GraphicKind::Text));
    }
    document.replaceGraphicsOnSide(SKTDocument::FrontSide, front);
    Card_Property frontSide, backSide;
    const Data_From_Excel table;
    const auto fingerprint = [&] { return Design_Fingerprint(document, frontSide, backSide, QStringLiteral("2"), table); };

    const QByteArray first = fingerprint();
    for (int round = 0; round < 60; ++round)
        ASSERT_EQ(fingerprint(), first) << "round " << round;

    // Each change below is one a save would write; texts keep their length and the picture its
    // size, so only what they hold tells them apart.
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"a moved element", [&] { front[5]->setBounds(front[5]->bounds().translated(1, 0)); }},
        {"a text of the same length", [&] { front[1]->Set_text_value(QStringLiteral("Text HERE")); }},
        {"a picture of the same size",
         [&] { front[0]->_contents.setPixelColor(3, 3, QColor(1, 2, 3)); }},
        {"the front's card", [&] { frontSide.setCard_Name(QStringLiteral("Visitor")); }},
        {"the back's card", [&] { backSide.setCard_fill_clr(QColor(10, 20, 30)); }},
    };
    QByteArray before = fingerprint();
    for (const auto& [change, make] : changes) {
        make();
        const QByteArray after = fingerprint();
        EXPECT_NE(after, before) << change;
        before = after;
    }
}

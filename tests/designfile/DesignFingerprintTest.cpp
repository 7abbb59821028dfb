// The design's digest, which tells whether the open design still matches its file, is the same
// however often it is taken from an unchanged design, and changes with any element.
#include <gtest/gtest.h>

#include <QPainter>

#include "data/Data_From_Excel.h"
#include "designfile/DesignFingerprint.h"
#include "model/Card_Property.h"
#include "model/SKTDocument.h"
#include "model/SKTImage.h"

TEST(DesignFingerprintTest, AnUnchangedDesignKeepsItsDigestAndAMovedElementChangesIt)
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
    const Card_Property side;
    const Data_From_Excel table;
    const auto fingerprint = [&] { return Design_Fingerprint(document, side, side, QStringLiteral("2"), table); };

    const QByteArray first = fingerprint();
    for (int round = 0; round < 60; ++round)
        ASSERT_EQ(fingerprint(), first) << "round " << round;
    front[5]->setBounds(front[5]->bounds().translated(1, 0));
    EXPECT_NE(fingerprint(), first);
}

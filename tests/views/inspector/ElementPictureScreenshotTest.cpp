// Pictures of the picture page (sepia on, the picture turned) and of the signature page, each with
// its element selected on the sample card, on a real X server at 1280 x 800. Every label and button
// on the shown page must have the room its text asks for.
#include <QCheckBox>

#include "InspectorScreenshots.h"
#include "views/inspector/ImagePanel.h"

namespace {

TEST_F(InspectorScreenshots, PicturePageWithAFilterAndSignaturePage)
{
    putOnCard(sampleFront());
    showWindow();
    const auto first = [this](GraphicKind kind) {
        for (const GraphicPtr& graphic : document.graphics()) {
            if (graphic->kind() == kind)
                return graphic;
        }
        return GraphicPtr();
    };

    const GraphicPtr picture = first(GraphicKind::Image);
    ASSERT_NE(picture, nullptr);
    select(picture);
    ASSERT_TRUE(view().showPage(QStringLiteral("image_tab")));
    QTest::mouseClick(view().findChild<QCheckBox*>(QStringLiteral("Image_Sepia_chk")), Qt::LeftButton);
    controller.inspector().imagePanel().finishRendering();
    shoot("image_tab", QStringLiteral("element-picture-1280x800.png"));

    const GraphicPtr signature = first(GraphicKind::Signature);
    ASSERT_NE(signature, nullptr);
    select(signature);
    shoot("sign_tab", QStringLiteral("element-signature-1280x800.png"));
}

}  // namespace

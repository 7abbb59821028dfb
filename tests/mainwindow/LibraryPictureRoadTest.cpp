// A picture chosen in the real picture library from the picture page lands in the selected
// picture element, and the design saved and opened again still holds it.
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "mainwindow/WindowDesignFile.h"
#include "model/SKTDocument.h"
#include "model/SKTImage.h"
#include "platform/AppContext.h"
#include "platform/PictureReading.h"
#include "probes/SampleCard.h"
#include "support/CanvasMouse.h"
#include "support/TestEnvironment.h"
#include "views/browser/ImageBrowser.h"
#include "views/browser/ImageBrowserModel.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/inspector/ImagePanel.h"
#include "views/inspector/PropertyInspector.h"
#include "views/photos/Image_Library.h"
#include "views/photos/PhotoWindows.h"

namespace {

const QRectF kSamplePictureBox(10, 10, 52, 65);

class LibraryPictureRoad : public MainWindowFixture {
protected:
    void SetUp() override
    {
        previousResources = Resource_Path;
        Resource_Path = TestEnvironment::resourceDir();
        setPhotoWindows(nullptr, &library, nullptr);
    }
    void TearDown() override
    {
        setPhotoWindows(nullptr, nullptr, nullptr);
        Resource_Path = previousResources;
    }
    std::shared_ptr<SKTImage> picture() const
    {
        for (const GraphicPtr& graphic : document.graphics())
            if (graphic->kind() == GraphicKind::Image && graphic->bounds() == kSamplePictureBox)
                return std::static_pointer_cast<SKTImage>(graphic);
        return nullptr;
    }

    QString previousResources;
    Image_Library library;
};

TEST_F(LibraryPictureRoad, TheChosenClipArtLandsInThePictureAndSurvivesSaveAndReopen)
{
    Card_Front_Or_Back = 0;
    controller.inspector().setUpControls({});
    sample::putOnSide(document, SKTDocument::FrontSide, sample::front(QDir(scratch.path())));
    controller.showWindow();
    SKTGraphicView& view = *controller.graphicView(SKTDocument::FrontSide);
    QApplication::processEvents();
    canvas_mouse::drag(view, kSamplePictureBox.center(), kSamplePictureBox.center());
    ASSERT_EQ(view.selectedGraphics(), GraphicList({picture()}));
    ASSERT_TRUE(inspector().showPage(QStringLiteral("image_tab")));

    // The seals, third picture in name order: bronze.
    QString chosen;
    QTimer::singleShot(0, &library, [&] {
        auto* categories = library.findChild<QComboBox*>(QStringLiteral("cat_cmbo_bx"));
        categories->setCurrentIndex(categories->findData(QStringLiteral("seals")));
        ImageBrowser& browser = library.imageBrowser();
        browser.selectionModel()->select(library.images().index(2), QItemSelectionModel::ClearAndSelect);
        chosen = library.selected_image();
        library.findChild<QPushButton*>(QStringLiteral("OK_Btn"))->click();
    });
    control<QPushButton>("Manual_Library_Browse_btn").click();
    controller.inspector().imagePanel().finishRendering();
    const QString expected = QDir(TestEnvironment::resourceDir()).filePath(QStringLiteral("LibraryImage/seals/bronze.png"));
    ASSERT_EQ(chosen, expected);
    EXPECT_EQ(picture()->_file_path, expected);
    const QImage seal = readPicturePreview(expected);
    ASSERT_FALSE(seal.isNull());
    const QColor middle = seal.pixelColor(seal.width() / 2, seal.height() / 2);
    EXPECT_EQ(picture()->_contents.pixelColor(seal.width() / 2, seal.height() / 2), middle);

    const QString design = scratch.filePath(QStringLiteral("with seal.did"));
    ASSERT_TRUE(WindowDesignFile(controller).file().Save_project_file(design, false, QStringLiteral("L")));
    ASSERT_EQ(WindowDesignFile(controller).file().Read_and_load_design_Log_NEW_METHOD(design, QStringLiteral("L"), true), 1);
    ASSERT_NE(picture(), nullptr);
    EXPECT_EQ(picture()->_file_path, expected);
    EXPECT_EQ(picture()->_contents.pixelColor(seal.width() / 2, seal.height() / 2), middle);
}

}  // namespace

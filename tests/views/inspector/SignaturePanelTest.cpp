// The signature page on real canvases: loading, the writer over mixed selections, the PNG chooser,
// the sample picture and paths that name no picture.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "ElementPanelFixture.h"
#include "model/SKTGraphicKinds.h"
#include "platform/PictureReading.h"
#include "support/TestEnvironment.h"
#include "views/inspector/ColorWell.h"

namespace {

class SignaturePanelTest : public ElementPanelFixture {
protected:
    void SetUp() override
    {
        ElementPanelFixture::SetUp();
        resourcesBefore = Resource_Path;
        Resource_Path = TestEnvironment::resourceDir();
        QImage ink(60, 20, QImage::Format_ARGB32);
        ink.fill(QColor(20, 20, 160));
        inkFile = scratch.filePath(QStringLiteral("ink.png"));
        ASSERT_TRUE(ink.save(inkFile));
    }

    void TearDown() override
    {
        Resource_Path = resourcesBefore;
        ElementPanelFixture::TearDown();
    }

    std::shared_ptr<SKTSignature> signature(const QString& kind, const QRectF& box)
    {
        auto element = std::make_shared<SKTSignature>();
        element->Set_Sign_Or_FP(kind);
        element->setFilePath(QStringLiteral("Default"));
        element->setBounds(box);
        element->ctrl_is_visible = true;
        return element;
    }

    QTemporaryDir scratch;
    QString inkFile, resourcesBefore;
};

TEST_F(SignaturePanelTest, LoadShowsThePathAndTheBorder)
{
    auto element = signature(QStringLiteral("F"), QRectF(10, 10, 30, 40));
    element->_isDrawingStroke = true, element->_strokeWidth = 2.5, element->_stroke_border_type = QStringLiteral("DDD");
    element->_strokeColor = QColor(200, 10, 10);
    placeAndShow({element});
    EXPECT_EQ(control<QPlainTextEdit>("Sign_image_path").toPlainText(), SKTSignature::samplePicturePath("F"));
    EXPECT_TRUE(control<QCheckBox>("Sign_border_chk").isChecked());
    EXPECT_EQ(control<QSpinBox>("Sign_bor_Stepper").value(), 2);
    EXPECT_EQ(control<QComboBox>("Sign_border_style").currentIndex(), 4);
    EXPECT_EQ(control<ColorWell>("Sign_bordr_clr").color(), QColor(200, 10, 10));
    EXPECT_TRUE(control<QWidget>("Sign_Border_Box").isEnabled());
}

// Two signatures, a locked one and a picture selected: a chosen PNG goes to both unlocked
// signatures, with one redraw and one snapshot; the border's colour and width come back with it.
TEST_F(SignaturePanelTest, AChosenPictureAndTheBorderReachExactlyTheUnlockedSignatures)
{
    auto first = signature(QStringLiteral("S"), QRectF(10, 10, 60, 20));
    auto second = signature(QStringLiteral("F"), QRectF(80, 10, 30, 40));
    auto locked = signature(QStringLiteral("S"), QRectF(10, 60, 60, 20));
    locked->ctrl_is_locked = true;
    GraphicPtr picture = SKTGraphic::create(GraphicKind::Image);
    first->_isDrawingStroke = false, second->_strokeWidth = 1.5;
    placeAndShow({first, second, locked, picture});
    const QByteArray lockedBefore = locked->archiveDigest(), pictureBefore = picture->archiveDigest();

    dialogs.queueOpenFile(inkFile);
    control<QPushButton>("Sign_Browse_btn").click();
    for (const auto& written : {first, second}) {
        EXPECT_EQ(written->_file_path, inkFile);
        EXPECT_EQ(written->_contents_img.pixelColor(5, 5), QColor(20, 20, 160));
    }
    EXPECT_EQ(locked->_file_path, SKTSignature::samplePicturePath("S"));
    EXPECT_EQ(window.refreshes, 1);
    EXPECT_EQ(window.snapshots, 1);

    control<ColorWell>("Sign_bordr_clr").setColor(QColor(0, 120, 0));
    control<QSpinBox>("Sign_bor_Stepper").setValue(3);
    control<QCheckBox>("Sign_border_chk").click();
    EXPECT_TRUE(first->_isDrawingStroke);
    EXPECT_EQ(first->_strokeWidth, 3);
    EXPECT_EQ(second->_strokeColor, QColor(0, 120, 0));
    control<QCheckBox>("Sign_border_chk").click();  // off keeps colour and width
    EXPECT_FALSE(second->_isDrawingStroke);
    EXPECT_EQ(second->_strokeWidth, 3);
    EXPECT_EQ(second->_strokeColor, QColor(0, 120, 0));
    control<QComboBox>("Sign_border_style").setCurrentIndex(1);
    Q_EMIT control<QComboBox>("Sign_border_style").activated(1);
    EXPECT_EQ(first->_stroke_border_type, "DA");
    EXPECT_EQ(locked->archiveDigest(), lockedBefore);
    EXPECT_EQ(picture->archiveDigest(), pictureBefore);

    // A width beyond the field's range is refused, never taken as another number.
    control<QCheckBox>("Sign_border_chk").click();
    const int snapshots = window.snapshots;
    typeAndEnter(control<QSpinBox>("Sign_bor_Stepper"), QStringLiteral("5000"));
    EXPECT_EQ(first->_strokeWidth, 3);
    EXPECT_EQ(control<QSpinBox>("Sign_bor_Stepper").value(), 3);
    EXPECT_EQ(window.snapshots, snapshots);
    // A width taken alone reaches the signatures.
    typeAndEnter(control<QSpinBox>("Sign_bor_Stepper"), QStringLiteral("4"));
    EXPECT_EQ(first->_strokeWidth, 4);
    EXPECT_EQ(second->_strokeWidth, 4);
    EXPECT_EQ(locked->archiveDigest(), lockedBefore);
    EXPECT_EQ(window.snapshots, snapshots + 1);
}

// "Default" stands for the sample of each signature's kind; a path that names no picture is
// handed to every selected signature, which then shows none, without a message, and the path can
// be cleared.
TEST_F(SignaturePanelTest, TheSamplePictureAndPathsWithoutAPicture)
{
    auto ink = signature(QStringLiteral("S"), QRectF(10, 10, 60, 20));
    ink->setFilePath(inkFile);
    auto print = signature(QStringLiteral("F"), QRectF(80, 10, 30, 40));
    print->setFilePath(inkFile);
    placeAndShow({ink, print});
    // A border change alone leaves each its own picture.
    print->setFilePath(SKTSignature::samplePicturePath("F"));
    control<QCheckBox>("Sign_border_chk").click();
    EXPECT_EQ(print->_file_path, SKTSignature::samplePicturePath("F"));

    const QString missing = scratch.filePath(QStringLiteral("missing.png"));
    for (const QString& typed : {missing, QString()}) {
        SCOPED_TRACE(typed.toStdString());
        control<QPlainTextEdit>("Sign_image_path").setPlainText(typed);
        control<QCheckBox>("Sign_border_chk").click();
        for (const auto& each : {ink, print}) {
            EXPECT_EQ(each->_file_path, typed);
            EXPECT_TRUE(each->_contents_img.isNull());
        }
        EXPECT_EQ(control<QPlainTextEdit>("Sign_image_path").toPlainText(), typed);
    }
    EXPECT_EQ(messages.texts(), QStringList());

    control<QPlainTextEdit>("Sign_image_path").setPlainText(QStringLiteral("Default"));
    control<QCheckBox>("Sign_border_chk").click();
    EXPECT_EQ(ink->_file_path, SKTSignature::samplePicturePath("S"));
    EXPECT_EQ(print->_file_path, SKTSignature::samplePicturePath("F"));
    EXPECT_EQ(ink->_contents_img, readPicturePreview(SKTSignature::samplePicturePath("S")));
    EXPECT_FALSE(ink->_contents_img.isNull());

    // A path into another installation's resources names our own file.
    control<QPlainTextEdit>("Sign_image_path").setPlainText(QStringLiteral("/Applications/Old.app/Contents/Resources/fingerprints.png"));
    control<QCheckBox>("Sign_border_chk").click();
    EXPECT_EQ(ink->_file_path, SKTSignature::samplePicturePath("F"));
    EXPECT_EQ(messages.texts(), QStringList());
}

}  // namespace

// Cut, copy and paste between canvases and with other programs.
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "CanvasCommandFixture.h"
#include "support/TestEnvironment.h"

namespace {

const QString kPrivateType = QStringLiteral("ZOVA Card 2 pasteboard type");

using CanvasClipboardTest = CanvasCommandFixture;

// The back side's canvas, the front's elements all copied for pasting on it.
class BackSideCanvas {
public:
    BackSideCanvas(SKTGraphicView& front, SKTDocument& document)
    {
        front.selectAll();
        front.copy();
        view.setList(&document, SKTDocument::BackSide);
        Card_Front_Or_Back = 1;
    }
    ~BackSideCanvas() { view.setList(nullptr, SKTDocument::BackSide); }
    SKTGraphicView view;
};

TEST_F(CanvasClipboardTest, CopyOffersPdfAndTiffAndPastesCascadeOnTopSelected)
{
    addShape({100, 100, 40, 30}, true);  // copying is open to locked elements
    view.selectAll();
    view.copy();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_FALSE(data->data(kPrivateType).isEmpty());
    EXPECT_TRUE(data->data(QStringLiteral("application/pdf")).startsWith("%PDF"));
    const QByteArray tiff = data->data(QStringLiteral("image/tiff"));
    EXPECT_TRUE(tiff.startsWith("II*") || tiff.startsWith("MM"));

    for (int paste = 1; paste <= 3; ++paste) {
        view.paste();
        ASSERT_EQ(view.graphics().size(), 1 + paste);
        const GraphicPtr pasted = view.graphics()[0];
        EXPECT_EQ(pasted->bounds(), QRectF(cardHost_.placesGiven.value(paste - 1), QSizeF(40, 30)));
        EXPECT_EQ(view.selectionIndexes(), QList<int>{0});
        EXPECT_EQ(view._Selected_Graphic, pasted);
    }
    EXPECT_EQ(view.graphics().last()->bounds(), QRectF(100, 100, 40, 30)) << "the original stays";
    EXPECT_EQ(host.snapshots, 6) << "the side before and after each paste";
}

TEST_F(CanvasClipboardTest, PasteFromFrontToBackKeepsPositionsFirstThenCascades)
{
    addShape({100, 100, 40, 30});
    addShape({150, 20, 20, 20});
    BackSideCanvas backSide(view, document);
    SKTGraphicView& back = backSide.view;

    back.paste();
    ASSERT_EQ(back.graphics().size(), 2);
    EXPECT_EQ(back.graphics()[0]->bounds(), QRectF(100, 100, 40, 30));
    EXPECT_EQ(back.graphics()[1]->bounds(), QRectF(150, 20, 20, 20));
    back.paste();
    ASSERT_EQ(back.graphics().size(), 4);
    ASSERT_EQ(cardHost_.placesGiven.size(), 2);
    EXPECT_EQ(back.graphics()[0]->bounds(), QRectF(cardHost_.placesGiven[0], QSizeF(40, 30)));
    EXPECT_EQ(back.graphics()[1]->bounds(), QRectF(cardHost_.placesGiven[1], QSizeF(20, 20)));
    EXPECT_EQ(back.selectionIndexes(), (QList<int>{0, 1}));
    EXPECT_EQ(document.graphics().size(), 2) << "the front is untouched";
}

// A pasted barcode's box is where it lands: at its own place the first time, then cascading.
TEST_F(CanvasClipboardTest, APastedBarcodesBoxIsWhereItLands)
{
    add(GraphicKind::Barcode, {100, 100, 40, 20});
    BackSideCanvas backSide(view, document);
    SKTGraphicView& back = backSide.view;
    back.paste();
    back.paste();
    ASSERT_EQ(back.graphics().size(), 2);
    EXPECT_EQ((QList{back.graphics()[1]->bounds(), back.graphics()[1]->bar_image_ctrl_bounds}),
              (QList<QRectF>{{100, 100, 40, 20}, {100, 100, 40, 20}}));
    const QRectF cascaded(cardHost_.placesGiven.value(0), QSizeF(40, 20));
    EXPECT_EQ((QList{back.graphics()[0]->bounds(), back.graphics()[0]->bar_image_ctrl_bounds}),
              (QList{cascaded, cascaded}));
}

TEST_F(CanvasClipboardTest, MalformedElementDataIsReportedAndPastesNothing)
{
    addShape({0, 0, 10, 10});
    for (const QByteArray& bytes : {QByteArray("not a property list"), QByteArray(),
                                    QByteArray("bplist00\xff\xff\xff", 11)}) {
        auto* data = new QMimeData;
        data->setData(kPrivateType, bytes);
        QGuiApplication::clipboard()->setMimeData(data);
        view.paste();
    }
    EXPECT_EQ(view.graphics().size(), 1);
    EXPECT_EQ(presenter.texts().size(), 3) << "each bad paste says so";
    EXPECT_EQ(host.snapshots, 6) << "before and after each, which the window's undo finds equal";
}

TEST_F(CanvasClipboardTest, PictureFromAnotherProgramLandsOnTheCardAndIsSaved)
{
    QTemporaryDir userFolder;
    const QString previousFolder = Created_Resource_Path;
    Created_Resource_Path = userFolder.path();
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(picture);
    view.paste();
    Created_Resource_Path = previousFolder;

    ASSERT_EQ(view.graphics().size(), 1);
    ASSERT_EQ(view.graphics()[0]->kind(), GraphicKind::Image);
    const SKTGraphic& image = *view.graphics()[0];
    EXPECT_TRUE(view.viewBounds().contains(image.bounds())) << "on the card, not above it";
    EXPECT_NEAR(image.width() / image.height(), 1.5, 1e-6);
    EXPECT_FALSE(image._contents_with_settings.isNull()) << "it shows at once";
    EXPECT_EQ(image._contents.size(), picture.size());
    EXPECT_EQ(QFileInfo(image.FilePath()).absolutePath(),
              QDir(userFolder.path()).filePath(QStringLiteral("Images_save_by_user")));
    EXPECT_EQ(QImage(image.FilePath()).pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(view.selectionIndexes(), QList<int>{0});
}

// Another program asks the X clipboard for its types and the PDF while a copy is being served.
TEST(CanvasClipboardX11Test, OtherProgramsSeeElementsPdfAndTiff)
{
    const QString probe = QCoreApplication::applicationDirPath() + QStringLiteral("/clipboard-probe");
    for (const char* tool : {"Xvfb", "xclip", "pdfinfo"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty() || !QFileInfo(probe).isExecutable())
            GTEST_SKIP() << "needs Xvfb, xclip, pdfinfo and the clipboard probe";
    }
    QTemporaryDir work;
    const QString pdf = QDir(work.path()).filePath(QStringLiteral("copied.pdf"));
    // The probe owns the clipboard until killed; poll until its types show, at most ~20 s.
    const QString script = QStringLiteral(
        "\"$1\" & probe=$!\n"
        "for i in $(seq 1 100); do\n"
        "  xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -q 'application/pdf' && break\n"
        "  sleep 0.2\n"
        "done\n"
        "xclip -selection clipboard -t TARGETS -o\n"
        "xclip -selection clipboard -t application/pdf -o > \"$2\"\n"
        "kill $probe\n");
    const auto result = TestEnvironment::run(
        QStringLiteral("bash"),
        {QStringLiteral(ZOVA_WITH_DISPLAY), QStringLiteral("sh"), QStringLiteral("-c"), script, QStringLiteral("sh"),
         probe, pdf},
        120000);
    ASSERT_EQ(result.exitCode, 0) << result.err.constData();
    const QString targets = QString::fromUtf8(result.out);
    for (const QString& type : {kPrivateType, QStringLiteral("application/pdf"), QStringLiteral("image/tiff")})
        EXPECT_TRUE(targets.contains(type)) << targets.toStdString();
    const auto info = TestEnvironment::run(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_EQ(info.exitCode, 0) << info.err.constData();
    EXPECT_TRUE(QString::fromUtf8(info.out).contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))))
        << info.out.constData();
}

}  // namespace

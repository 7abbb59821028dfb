// Cut, copy and paste between canvases and with other programs.
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "CanvasCommandFixture.h"
#include "support/TestEnvironment.h"

namespace {

const QString kPrivateType = QStringLiteral("ZOVA Card 2 pasteboard type");

class CanvasClipboardTest : public CanvasCommandFixture {
protected:
    void SetUp() override
    {
        CanvasCommandFixture::SetUp();
        QGuiApplication::clipboard()->clear();
    }

    void putOnClipboard(const QString& type, const QByteArray& bytes)
    {
        auto* data = new QMimeData;
        data->setData(type, bytes);
        QGuiApplication::clipboard()->setMimeData(data);
    }

    // The elements at the top of the list, as many as were pasted.
    QList<QRectF> boundsOfTop(int count) const
    {
        QList<QRectF> result;
        for (int i = 0; i < count; ++i)
            result.append(view.graphics()[i]->bounds());
        return result;
    }
};

TEST_F(CanvasClipboardTest, CopyOffersElementsPdfAndTiff)
{
    addShape({10, 10, 40, 30});
    view.selectAll();
    view.copy();

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_FALSE(data->data(kPrivateType).isEmpty());
    EXPECT_TRUE(data->data(QStringLiteral("application/pdf")).startsWith("%PDF"));
    const QByteArray tiff = data->data(QStringLiteral("image/tiff"));
    EXPECT_TRUE(tiff.startsWith("II*") || tiff.startsWith("MM")) << "a TIFF header";
    EXPECT_EQ(view.pasteCascadeNumber(), 1);
    EXPECT_EQ(host.pasteButtonUpdates, 1);
}

TEST_F(CanvasClipboardTest, PastesInTheSameViewCascadeEachOnTopAndSelected)
{
    addShape({100, 100, 40, 30});
    view.selectAll();
    view.copy();

    for (int paste = 1; paste <= 3; ++paste) {
        view.paste();
        ASSERT_EQ(view.graphics().size(), 1 + paste);
        EXPECT_EQ(view.graphics()[0]->bounds(), QRectF(cardHost_.placesGiven.last(), QSizeF(40, 30)));
        EXPECT_EQ(view.selectionIndexes(), QList<int>{0});
        EXPECT_EQ(view._Selected_Graphic, view.graphics()[0]);
    }
    EXPECT_EQ(cardHost_.placesGiven.size(), 3) << "three successive cascade places";
    EXPECT_EQ(view.graphics().last()->bounds(), QRectF(100, 100, 40, 30)) << "the original stays";
    EXPECT_EQ(host.snapshots, 3);
    EXPECT_EQ(host.shownProperties.last(), view.graphics()[0].get());
}

TEST_F(CanvasClipboardTest, PasteInAnotherViewKeepsPositionsFirstThenCascades)
{
    addShape({100, 100, 40, 30});
    addShape({150, 20, 20, 20});
    view.selectAll();
    view.copy();

    SKTGraphicView back;
    back.setList(&document, SKTDocument::BackSide);
    Card_Front_Or_Back = 1;

    back.paste();
    ASSERT_EQ(back.graphics().size(), 2);
    EXPECT_EQ(boundsOfTop(2), (QList<QRectF>{{100, 100, 40, 30}, {150, 20, 20, 20}}));
    EXPECT_TRUE(cardHost_.placesGiven.isEmpty());

    back.paste();
    ASSERT_EQ(back.graphics().size(), 4);
    const QList<QRectF> cascaded = {QRectF(cardHost_.placesGiven.value(0), QSizeF(40, 30)),
                                    QRectF(cardHost_.placesGiven.value(1), QSizeF(20, 20))};
    EXPECT_EQ(back.graphics()[0]->bounds(), cascaded[0]);
    EXPECT_EQ(back.graphics()[1]->bounds(), cascaded[1]);
    EXPECT_EQ(back.selectionIndexes(), (QList<int>{0, 1}));
    EXPECT_EQ(document.graphics().size(), 2) << "the front is untouched";
    back.setList(nullptr, SKTDocument::BackSide);
}

TEST_F(CanvasClipboardTest, PastedElementsAreUnlockedAndLoseTheirIds)
{
    const GraphicPtr text = add(GraphicKind::Text, {0, 0, 70, 20}, true);
    text->control_ID = QStringLiteral("Fup_Name");
    view.selectAll();
    view.copy();
    view.paste();
    ASSERT_EQ(view.graphics().size(), 2);
    EXPECT_TRUE(view.graphics()[0]->control_ID.isEmpty());
    EXPECT_FALSE(view.graphics()[0]->ctrl_is_locked);
}

TEST_F(CanvasClipboardTest, VisitorAndGroupModesFixUpPastedElements)
{
    const GraphicPtr picture = add(GraphicKind::Image, {0, 0, 50, 50});
    const GraphicPtr boundText = add(GraphicKind::Text, {0, 60, 70, 20});
    boundText->Set_Data_source_type(2);
    const GraphicPtr barcode = add(GraphicKind::Barcode, {0, 90, 50, 20});
    barcode->Set_Data_source_type(2);
    view.selectAll();
    view.copy();

    Start_Card_Option = QStringLiteral("G");
    view.paste();
    ASSERT_EQ(view.graphics().size(), 6);
    EXPECT_EQ(view.graphics()[0]->control_ID, QStringLiteral("F_Pic1")) << "a fresh picture ID";
    EXPECT_EQ(view.graphics()[1]->data_source_type, 0) << "bound text becomes fixed";
    EXPECT_FALSE(view.graphics()[1]->excel_binding);
    EXPECT_EQ(view.graphics()[2]->data_source_type, 2) << "barcodes keep their binding";
}

TEST_F(CanvasClipboardTest, MalformedElementDataIsReportedAndPastesNothing)
{
    addShape({0, 0, 10, 10});
    for (const QByteArray& bytes : {QByteArray("not a property list"), QByteArray(),
                                    QByteArray("bplist00\xff\xff\xff", 11)}) {
        putOnClipboard(kPrivateType, bytes);
        view.paste();
    }
    EXPECT_EQ(view.graphics().size(), 1);
    EXPECT_EQ(messages().size(), 3) << "each bad paste says so";
    EXPECT_EQ(host.snapshots, 3) << "the snapshot taken before stays";
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
    EXPECT_NEAR(image.width() / image.height(), 1.5, 1e-6) << "proportions kept";
    EXPECT_FALSE(image._contents_with_settings.isNull()) << "it shows at once";
    EXPECT_EQ(image._contents.size(), picture.size()) << "pixels are not shrunk";
    EXPECT_EQ(QFileInfo(image.FilePath()).absolutePath(),
              QDir(userFolder.path()).filePath(QStringLiteral("Images_save_by_user")));
    const QImage saved(image.FilePath());
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(view.selectionIndexes(), QList<int>{0});
}

// Another program asks the X clipboard for its types and the PDF while a copy is being served.
TEST(CanvasClipboardX11Test, OtherProgramsSeeElementsPdfAndTiff)
{
    const QString probe = QCoreApplication::applicationDirPath() + QStringLiteral("/clipboard-probe");
    if (QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty() || !QFileInfo(probe).isExecutable())
        GTEST_SKIP() << "needs xvfb-run, xclip, pdfinfo and the clipboard probe";

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
        QStringLiteral("xvfb-run"),
        {QStringLiteral("-a"), QStringLiteral("sh"), QStringLiteral("-c"), script, QStringLiteral("sh"), probe, pdf},
        120000);
    ASSERT_EQ(result.exitCode, 0) << result.err.constData();
    const QString targets = QString::fromUtf8(result.out);
    EXPECT_TRUE(targets.contains(kPrivateType)) << targets.toStdString();
    EXPECT_TRUE(targets.contains(QStringLiteral("application/pdf")));
    EXPECT_TRUE(targets.contains(QStringLiteral("image/tiff")));

    const auto info = TestEnvironment::run(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_EQ(info.exitCode, 0) << info.err.constData();
    EXPECT_TRUE(QString::fromUtf8(info.out).contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))))
        << info.out.constData();
}

}  // namespace

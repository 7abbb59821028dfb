// Help.pdf as outside tools read it, and what the Help command does with it.
#include <gtest/gtest.h>

#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolBar>
#include <QUrl>

#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/StartChooser.h"
#include "model/SKTDocument.h"
#include "platform/FileHelpers.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/TestEnvironment.h"

namespace {

QString builtGuide()
{
    return TestEnvironment::resourceDir() + QStringLiteral("/Help.pdf");
}

// What a poppler tool prints for the arguments; the test fails when the tool does.
QString toolOutput(const char* tool, const QStringList& arguments)
{
    const TestEnvironment::ProcessResult result = TestEnvironment::run(QString::fromLatin1(tool), arguments);
    EXPECT_EQ(result.exitCode, 0) << tool << ": " << result.err.constData();
    return QString::fromUtf8(result.out);
}

// The guide's words with its line breaks and ligatures ("ﬁ") undone, as a reader would search them.
QString guideText()
{
    return toolOutput("pdftotext", {builtGuide(), QStringLiteral("-")}).normalized(QString::NormalizationForm_KC).simplified();
}

int pageCount(const QString& pdfInfo)
{
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)$"), QRegularExpression::MultilineOption);
    return pages.match(pdfInfo).captured(1).toInt();
}

// The names a person meets in the window: tools, bar and menu commands, start choices. The
// trailing "…" of a command that opens a window is left off, as the guide's text does, and so
// is the mark of an item's access letter.
QStringList namesInTheWindow()
{
    SKTDocument document;
    SKTWindowController controller(document);
    QList<QAction*> actions;
    for (const char* bar : {"tools_bar", "edit_bar", "arrange_bar"})
        actions += controller.window()->findChild<QToolBar*>(QLatin1String(bar))->actions();
    for (const char* menu : {"file_menu", "edit_menu", "view_menu"})
        actions += controller.windowLayout().menu(menu)->actions();
    QStringList names;
    for (const QAction* action : actions)
        names << action->text();
    const StartChooser chooser;
    for (const QPushButton* button : chooser.findChildren<QPushButton*>())
        names << button->text();
    for (QString& name : names)
        name = name.remove(QChar(u'…')).remove(QLatin1Char('&')).simplified();
    names.removeAll(QString());
    names.removeDuplicates();
    return names;
}

// Whether the picture holds a patch of the colour, allowing for JPEG's small shifts.
bool showsColour(const QImage& picture, QColor colour, int patchPixels)
{
    constexpr int kTolerance = 16;
    int near = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor pixel = picture.pixelColor(x, y);
            near += std::abs(pixel.red() - colour.red()) <= kTolerance
                    && std::abs(pixel.green() - colour.green()) <= kTolerance
                    && std::abs(pixel.blue() - colour.blue()) <= kTolerance;
        }
    }
    return near >= patchPixels;
}

}  // namespace

// The build prints the guide into the resource folder; people find every page rendered in
// build/test-artifacts/help.
TEST(HelpPdf, IsAnA4GuideOfSeveralPagesThatEveryPageRenders)
{
    const QString info = toolOutput("pdfinfo", {builtGuide()});
    EXPECT_TRUE(info.contains(QStringLiteral("(A4)"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("ZOVA ID Card User Guide"))) << info.toStdString();
    const int pages = pageCount(info);
    EXPECT_GE(pages, 4);

    QDir artifacts(QDir::cleanPath(QStringLiteral(ZOVA_MAINWINDOW_ARTIFACT_DIR "/../help")));
    artifacts.removeRecursively();
    ASSERT_TRUE(artifacts.mkpath(QStringLiteral(".")));
    toolOutput("pdftoppm", {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-png"), builtGuide(),
                            artifacts.filePath(QStringLiteral("page"))});
    EXPECT_EQ(artifacts.entryList({QStringLiteral("page-*.png")}, QDir::Files).size(), pages);
}

TEST(HelpPdf, NamesEveryChapterAndEveryToolCommandAndStartChoiceOfTheWindow)
{
    const QString text = guideText();
    for (const char* chapter : {"Starting the application", "The start chooser", "Designing a card",
                                "Saving and opening designs", "Undo and redo", "Keyboard shortcuts", "Getting help"})
        EXPECT_TRUE(text.contains(QLatin1String(chapter))) << chapter;
    // A command renamed or added in the window and not in the guide shows here.
    const QStringList names = namesInTheWindow();
    EXPECT_GT(names.size(), 50);
    for (const QString& name : names)
        EXPECT_TRUE(text.contains(name)) << name.toStdString() << " is not in the guide";
}

// The pictures are grabs of the real window with the sample card open, not blank ones.
TEST(HelpPdf, ShowsPicturesOfTheWindowWithTheSampleCard)
{
    static const QRegularExpression imageLine(QStringLiteral("^\\s*\\d+\\s+\\d+\\s+image\\s+(\\d+)\\s+(\\d+)"),
                                              QRegularExpression::MultilineOption);
    int pictures = 0;
    for (auto match = imageLine.globalMatch(toolOutput("pdfimages", {QStringLiteral("-list"), builtGuide()}));
         match.hasNext();) {
        const QRegularExpressionMatch image = match.next();
        EXPECT_GE(image.captured(1).toInt(), 250) << "a picture too narrow for a window";
        ++pictures;
    }
    EXPECT_GE(pictures, 3);

    const QTemporaryDir scratch;
    toolOutput("pdfimages", {QStringLiteral("-png"), builtGuide(), scratch.filePath(QStringLiteral("picture"))});
    const QDir folder(scratch.path());
    int showingTheCard = 0;
    for (const QString& file : folder.entryList({QStringLiteral("picture-*.png")}, QDir::Files)) {
        const QImage picture(folder.filePath(file));
        ASSERT_FALSE(picture.isNull()) << file.toStdString();
        // The card's navy header band.
        showingTheCard += showsColour(picture, QColor(20, 50, 110), 2000);
    }
    EXPECT_GE(showingTheCard, 2) << "the main window and the selection should show the sample card";
}

namespace {

// Open_Help_File on a resource folder of its own, with a viewer that only records.
class HelpCommand : public ::testing::Test {
protected:
    HelpCommand()
    {
        Resource_Path = resources.path();
        setHelpFileViewer([this](const QUrl& file) {
            opened << file;
            return viewerInstalled;
        });
    }
    ~HelpCommand() override
    {
        setHelpFileViewer({});
        Resource_Path = previousResources;
    }

    QString guide() const { return QDir(resources.path()).filePath(QStringLiteral("Help.pdf")); }
    void writeGuide() const
    {
        QFile file(guide());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("%PDF-1.4\n");
    }

    const QString previousResources = Resource_Path;
    QTemporaryDir resources;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope{messages};
    QList<QUrl> opened;
    bool viewerInstalled = true;
};

}  // namespace

TEST_F(HelpCommand, TheGuideGoesToTheViewerOrTheMessageSaysWhyAndWhereItIs)
{
    Open_Help_File();
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("\nHelp file does not exist!")});

    writeGuide();
    Open_Help_File();
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(guide())});
    EXPECT_EQ(messages.texts().size(), 1);

    viewerInstalled = false;
    Open_Help_File();
    ASSERT_EQ(messages.texts().size(), 2);
    const QString message = messages.texts().last();
    EXPECT_TRUE(message.contains(QStringLiteral("No PDF viewer is installed"))) << message.toStdString();
    EXPECT_TRUE(message.contains(guide())) << message.toStdString();
}

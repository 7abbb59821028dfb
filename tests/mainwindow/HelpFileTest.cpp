// Help.pdf as outside tools read it, and what the Help command does with it.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
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

// The guide's own text, as written.
QString guideSource()
{
    QFile file(QStringLiteral(ZOVA_SOURCE_DIR "/docs/help/user-guide.md"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << file.fileName().toStdString();
    return QString::fromUtf8(file.readAll());
}

// A name as the guide writes it: the trailing "…" of a command that opens a window and the mark
// of an item's access letter are left off.
QString asWritten(QString name)
{
    return name.remove(QChar(u'…')).remove(QLatin1Char('&')).remove(QStringLiteral("[*]")).simplified();
}

void collectMenu(const QMenu& menu, QStringList& names)
{
    for (const QAction* action : menu.actions()) {
        if (action->menu())
            collectMenu(*action->menu(), names);
        else if (!action->isSeparator())
            names << asWritten(action->text());
    }
}

// Every item of every menu of the main window's menu bar, as the window builds them.
QStringList menuItemsOfTheWindow(SKTWindowController& controller)
{
    QStringList names;
    for (const QAction* title : controller.window()->menuBar()->actions()) {
        if (title->menu())
            collectMenu(*title->menu(), names);
    }
    names.removeAll(QString());
    names.removeDuplicates();
    return names;
}

// The names a person meets in the window: tools, bar and menu commands, start choices.
QStringList namesInTheWindow()
{
    SKTDocument document;
    SKTWindowController controller(document);
    QStringList names = menuItemsOfTheWindow(controller);
    for (const char* bar : {"tools_bar", "edit_bar", "arrange_bar"}) {
        for (const QAction* action : controller.window()->findChild<QToolBar*>(QLatin1String(bar))->actions())
            names << asWritten(action->text());
    }
    const StartChooser chooser;
    for (const QPushButton* button : chooser.findChildren<QPushButton*>())
        names << asWritten(button->text());
    names.removeAll(QString());
    names.removeDuplicates();
    return names;
}

// The titles the windows give themselves: in their layouts, and where their code sets one.
QStringList windowTitlesInTheSources()
{
    static const QRegularExpression layoutTitle(
        QStringLiteral("<property name=\"windowTitle\">\\s*<string>([^<]+)</string>"));
    static const QRegularExpression codeTitle(
        QStringLiteral("setWindowTitle\\((?:QStringLiteral|tr)\\(\"([^\"]+)\"\\)\\)"));
    static const QRegularExpression choiceTitle(
        QStringLiteral("\\? (?:QStringLiteral|tr)\\(\"([^\"]+)\"\\) : (?:QStringLiteral|tr)\\(\"([^\"]+)\"\\)\\)"));
    QStringList titles;
    for (const char* folder : {"/src/views", "/src/mainwindow"}) {
        QDirIterator files(QStringLiteral(ZOVA_SOURCE_DIR) + QLatin1String(folder), {QStringLiteral("*.ui"), QStringLiteral("*.cpp")},
                           QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QString text = QString::fromUtf8(file.readAll());
            for (const QRegularExpression* pattern : {&layoutTitle, &codeTitle}) {
                for (auto match = pattern->globalMatch(text); match.hasNext();)
                    titles << match.next().captured(1);
            }
            // setWindowTitle(flag ? "One" : "Other")
            for (auto match = choiceTitle.globalMatch(text); match.hasNext();) {
                const QRegularExpressionMatch both = match.next();
                if (text.lastIndexOf(QStringLiteral("setWindowTitle("), both.capturedStart()) > text.lastIndexOf(u';', both.capturedStart()))
                    titles << both.captured(1) << both.captured(2);
            }
        }
    }
    for (QString& title : titles)
        title = asWritten(title);
    titles.removeAll(QString());
    titles.removeDuplicates();
    return titles;
}

// The pictures the guide shows, in the order it shows them.
QStringList picturesTheGuideShows()
{
    static const QRegularExpression picture(QStringLiteral("!\\[[^\\]]*\\]\\(([^)]+)\\)"));
    QStringList names;
    const QString source = guideSource();
    for (auto match = picture.globalMatch(source); match.hasNext();)
        names << match.next().captured(1);
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
    for (const char* chapter :
         {"Your first card in ten minutes", "Starting: the start chooser", "The main window", "The inspector's pages",
          "The template window and the card wizard", "The barcode window", "Series", "Spreadsheet columns",
          "Exporting cards", "Printing cards and print profiles", "Mailing cards", "Cropping photos", "The camera",
          "The picture library", "Card-holder profiles", "Visitor mode and the visitor log", "Group mode",
          "Saving and opening designs", "Undo and redo", "Keyboard shortcuts", "Getting help"})
        EXPECT_TRUE(text.contains(QLatin1String(chapter))) << chapter;
    // A command renamed or added in the window and not in the guide shows here.
    const QStringList names = namesInTheWindow();
    EXPECT_GT(names.size(), 80);
    for (const QString& name : names)
        EXPECT_TRUE(text.contains(name)) << name.toStdString() << " is not in the guide";
}

// Every menu of the menu bar as the window builds it, so an item added anywhere is caught; the
// Help menu's links and products included.
TEST(HelpPdf, NamesEveryItemOfEveryMenu)
{
    SKTDocument document;
    SKTWindowController controller(document);
    const QStringList items = menuItemsOfTheWindow(controller);
    for (const char* known : {"Export Cards", "Mail Settings", "Crop a Photo", "Units", "Copy Design to Other Side",
                              "Contact Support", "ZOVA Visitor Desk"})
        EXPECT_TRUE(items.contains(QLatin1String(known))) << known << " should be a menu item";
    const QString text = guideText();
    for (const QString& item : items)
        EXPECT_TRUE(text.contains(item)) << "the menu item \"" << item.toStdString() << "\" is not in the guide";
}

TEST(HelpPdf, NamesEveryWindowByItsTitle)
{
    const QStringList titles = windowTitlesInTheSources();
    for (const char* known : {"Barcode Settings", "Series from Spreadsheet Columns", "Export Cards", "Visitor Log",
                              "Background Image Library"})
        EXPECT_TRUE(titles.contains(QLatin1String(known))) << known << " should be a window title";
    const QString text = guideText();
    for (const QString& title : titles)
        EXPECT_TRUE(text.contains(title)) << "the window \"" << title.toStdString() << "\" is not in the guide";
}

// The guide describes what the program does: nothing in it is "not available".
TEST(HelpPdf, SaysOfNothingThatItIsNotAvailable)
{
    for (const QString& text : {guideText(), guideSource().simplified()})
        EXPECT_FALSE(text.contains(QStringLiteral("not available"), Qt::CaseInsensitive))
            << text.mid(std::max(0, int(text.indexOf(QStringLiteral("not available"), 0, Qt::CaseInsensitive)) - 80), 160).toStdString();
}

// Each picture the guide shows was taken by the build's own help-pdf-builder, in its last run:
// none is a file kept in the sources, none a picture left from an older build.
TEST(HelpPdf, ShowsOnlyPicturesThisBuildTook)
{
    const QStringList shown = picturesTheGuideShows();
    EXPECT_GE(shown.size(), 25);
    const QFileInfo builder(QStringLiteral(ZOVA_HELP_BUILDER));
    const QFileInfo guide(builtGuide());
    ASSERT_TRUE(builder.exists());
    for (const QString& name : shown) {
        const QFileInfo taken(QDir(QStringLiteral(ZOVA_HELP_PICTURE_DIR)).filePath(name));
        ASSERT_TRUE(taken.exists()) << name.toStdString() << " was not taken by this build";
        EXPECT_GE(taken.lastModified(), builder.lastModified()) << name.toStdString() << " is older than the program that takes it";
        EXPECT_LE(taken.lastModified(), guide.lastModified()) << name.toStdString() << " is newer than Help.pdf";
        EXPECT_FALSE(QFileInfo::exists(QStringLiteral(ZOVA_SOURCE_DIR "/docs/help/") + name))
            << name.toStdString() << " is kept in the sources";
    }
    // Each shown once in the PDF, and nothing else.
    static const QRegularExpression imageLine(QStringLiteral("^\\s*\\d+\\s+\\d+\\s+image\\s"), QRegularExpression::MultilineOption);
    int inPdf = 0;
    for (auto match = imageLine.globalMatch(toolOutput("pdfimages", {QStringLiteral("-list"), builtGuide()})); match.hasNext(); match.next())
        ++inPdf;
    EXPECT_EQ(inPdf, shown.size());
}

// The first card's steps, in the guide and in the README, name the template as the template window
// shows a shipped one, and leave the series box as the export and print windows open it (ticked
// for a bound card: ticking it would untick it).
TEST(HelpPdf, TheFirstCardStepsNameAShippedTemplateAsTheWindowShowsIt)
{
    QFile readme(QStringLiteral(ZOVA_SOURCE_DIR "/README.md"));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString steps = QString::fromUtf8(readme.readAll());
    for (const QString& text : {guideSource(), steps}) {
        EXPECT_TRUE(text.contains(QStringLiteral("*Classic blue (h)*")));
        EXPECT_FALSE(text.contains(QStringLiteral("Classic Blue")));
        EXPECT_FALSE(text.simplified().contains(QStringLiteral("tick the series data box"), Qt::CaseInsensitive));
    }
    EXPECT_TRUE(QFileInfo::exists(TestEnvironment::resourceDir() + QStringLiteral("/Templates/employee/classic blue (h).did")));
}

// The pictures show folders like a reader's own, never the build's or a temporary one the build
// took them in.
TEST(HelpPdf, ItsPicturesShowAUsersFoldersNotTheBuildsOrTemporaryOnes)
{
    QFile listed(QStringLiteral(ZOVA_HELP_PICTURE_DIR "/shown-paths.txt"));
    ASSERT_TRUE(listed.open(QIODevice::ReadOnly | QIODevice::Text)) << "the builder lists the paths its pictures show";
    const QStringList shown = QString::fromUtf8(listed.readAll()).split(u'\n', Qt::SkipEmptyParts);
    const QString build = QDir::cleanPath(QStringLiteral(ZOVA_HELP_PICTURE_DIR "/../../.."));
    int users = 0;
    for (const QString& text : shown) {
        EXPECT_FALSE(text.contains(build)) << text.toStdString();
        EXPECT_FALSE(text.contains(QDir::tempPath() + u'/')) << text.toStdString();
        users += text.contains(QLatin1String("/home/you/"));
    }
    // The camera's folder, the group wizard's workbook and the Picture page's photo at least.
    EXPECT_GE(users, 3) << shown.join(u'\n').toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("/home/you/Documents/photo.png"))) << shown.join(u'\n').toStdString();
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

// The messages of a guide that could not be opened: without xdg-open, and with it.
QString noOpenerMessage(const QString& guide)
{
    return QStringLiteral("xdg-open, which hands files to the desktop's programs, is not installed, so the user guide "
                          "could not be opened.\n\nInstall the package xdg-utils, or open the file yourself:\n")
           + guide;
}

QString noViewerMessage(const QString& guide)
{
    return QStringLiteral("No PDF viewer is installed, so the user guide could not be opened.\n\n"
                          "Install a PDF viewer, or open the file yourself:\n")
           + guide;
}

// Programs are looked for in a folder of the test's own, which holds no xdg-open until one is
// put there.
class OwnProgramFolder {
public:
    OwnProgramFolder() { qputenv("PATH", folder.path().toLocal8Bit()); }
    ~OwnProgramFolder() { qputenv("PATH", previous); }
    // An xdg-open that notes what it was handed in a file beside it.
    void installXdgOpen() const { install("xdg-open", "echo \"$1\" >> '" + QFile::encodeName(handedFile()) + "'"); }
    // An xdg-mime that names this program for every type.
    void installXdgMime(const QByteArray& pdfViewer) const { install("xdg-mime", "echo '" + pdfViewer + "'"); }
    QString handedFile() const { return folder.filePath(QStringLiteral("handed")); }

private:
    void install(const char* name, const QByteArray& command) const
    {
        QFile script(folder.filePath(QLatin1String(name)));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n" + command + "\n");
        script.close();
        ASSERT_TRUE(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));
    }

    const QByteArray previous = qgetenv("PATH");
    QTemporaryDir folder;
};

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
    OwnProgramFolder programs;
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

    // A failed opening names what is missing: xdg-open, or else a viewer.
    viewerInstalled = false;
    Open_Help_File();
    programs.installXdgOpen();
    Open_Help_File();
    EXPECT_EQ(messages.texts().mid(1), (QStringList{"\n" + noOpenerMessage(guide()), "\n" + noViewerMessage(guide())}));
}

// Help → Help on the real window, with the desktop's own opener: without xdg-open the message
// names it and the guide, and so it does the viewer when the desktop names none for PDF files.
// On an X server xdg-open is handed the guide once a viewer is named; without a desktop
// (offscreen) nothing takes it, so the message names the viewer.
TEST(HelpMenu, HandsTheGuideToXdgOpenOrSaysWhatIsMissing)
{
    ScriptedMessagePresenter messages;
    const ScopedMessagePresenter messageScope(messages);
    SKTDocument document;
    SKTWindowController controller(document);
    QAction* help = nullptr;
    for (QAction* item : controller.window()->findChild<QMenu*>(QStringLiteral("help_menu"))->actions())
        help = item->text() == QLatin1String("Help") ? item : help;
    ASSERT_NE(help, nullptr);
    const QString guide = QFileInfo(QDir(Resource_Path).filePath(QStringLiteral("Help.pdf"))).absoluteFilePath();
    ASSERT_TRUE(QFileInfo::exists(guide));

    const OwnProgramFolder programs;
    help->trigger();
    programs.installXdgOpen();
    programs.installXdgMime("");
    help->trigger();
    EXPECT_EQ(messages.texts(), (QStringList{"\n" + noOpenerMessage(guide), "\n" + noViewerMessage(guide)}));

    programs.installXdgMime("viewer.desktop");
    help->trigger();
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        EXPECT_EQ(messages.texts().mid(2), QStringList{"\n" + noViewerMessage(guide)});
        return;
    }
    EXPECT_EQ(messages.texts().size(), 2) << messages.texts().join(u'\n').toStdString();
    QFile handed(programs.handedFile());
    ASSERT_TRUE(QTest::qWaitFor([&] { return handed.exists() && handed.size() > 0; }));
    ASSERT_TRUE(handed.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLocal8Bit(handed.readAll()).trimmed(), QUrl::fromLocalFile(guide).toString());
}

// Crop All over pictures whose names its output folder already holds: the real keep/replace
// question, made and answered on the GUI thread while the run's worker waits, as the first thing
// of the program's run that makes it; and a picture of the question for people to look at (on an X
// server of its own under ctest).
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

#include "platform/AppContext.h"
#include "support/FreshRun.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/WindowFrame.h"
#include "views/dialogs/Replcae_Confirm_Box.h"
#include "views/photos/CropAllRun.h"

namespace {

QImage filled(QColor colour)
{
    QImage picture(40, 32, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

bool replaceBoxMade()
{
    for (QWidget* widget : QApplication::allWidgets()) {
        if (qobject_cast<Replcae_Confirm_Box*>(widget))
            return true;
    }
    return false;
}

// Three pictures, red, green and blue, cropped whole into out/Badge.png, Badge_1.png and
// Badge_2.png; a white Badge.png from an earlier run is already there.
class CropAllQuestion : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(at("DataSet")) && QDir().mkpath(at("out")));
        Data_Folder_Path = at("DataSet");
        const QColor colours[] = {Qt::red, Qt::green, Qt::blue};
        for (int i = 0; i < 3; ++i) {
            settings.plan.pictures << at(QStringLiteral("photo%1.png").arg(i));
            ASSERT_TRUE(filled(colours[i]).save(settings.plan.pictures.last()));
        }
        ASSERT_TRUE(filled(Qt::white).save(at("out/Badge.png")));
        settings.plan.outputFolder = at("out");
        settings.plan.customName = QStringLiteral("Badge");
        settings.plan.formatIndex = 2;  // PNG
        settings.plan.view.drawingRect = QRectF(0, 0, 500, 500);
        settings.plan.crop.selectionInView = QRectF(0, 0, 40, 32);
    }
    QString at(const QString& name) const { return work.filePath(name); }
    QColor colourOf(const QString& name) const { return QImage(at("out/" + name)).pixelColor(20, 16); }

    // The question's next showing: what it said and where it lived and ran; then the button
    // pressed, with apply-to-all ticked or not.
    void answer(QPushButton* Replcae_Confirm_Box::*button, bool applyAll,
                const std::function<void(Replcae_Confirm_Box&)>& look = {})
    {
        dialogs.queueHook([=, this](QDialog& dialog) {
            auto* box = qobject_cast<Replcae_Confirm_Box*>(&dialog);
            ASSERT_NE(box, nullptr) << dialog.metaObject()->className();
            ++questions;
            shownOn = QThread::currentThread();
            madeOn = box->thread();
            title = box->_Msg_Title->text();
            text = box->_Msg_Val->text();
            if (look)
                look(*box);
            box->apply_chk->setChecked(applyAll);
            (box->*button)->click();
        });
    }

    QTemporaryDir work;
    CropAllSettings settings;
    ScriptedDialogPresenter dialogs;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter scopedMessages{messages};
    int questions = 0;
    QThread* shownOn = nullptr;
    QThread* madeOn = nullptr;
    QString title, text;
};

struct Answered {
    const char* name;
    QPushButton* Replcae_Confirm_Box::*button;
    bool applyAll;
    QStringList entries;  // file names in out/, or the picture as listed where nothing was written
    QStringList files;    // what out/ holds afterwards
    QColor badge;         // the colour Badge.png has afterwards
};

void PrintTo(const Answered& answered, std::ostream* out)
{
    *out << answered.name;
}

class CropAllFirstQuestion : public CropAllQuestion, public ::testing::WithParamInterface<Answered> {};

}  // namespace

TEST_P(CropAllFirstQuestion, IsMadeAndAnsweredOnTheGuiThreadAndItsAnswerHolds)
{
    if (!runsAlone())
        return;
    ASSERT_FALSE(replaceBoxMade()) << "the question must be made by this run";
    const Answered& c = GetParam();
    answer(c.button, c.applyAll);
    const CropAllOutcome outcome = Crop_All_Run(settings, nullptr);
    ASSERT_TRUE(outcome.ran);
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(shownOn, qApp->thread());
    EXPECT_EQ(madeOn, qApp->thread());
    EXPECT_EQ(title, "File already exists :");
    EXPECT_EQ(text, "Badge.png\n\nFile already exists in this location.\n\nDo you want to replace it with one you "
                    "processed?");
    QStringList entries;
    for (const QString& entry : outcome.entries)
        entries << (entry.isEmpty() ? QString() : QDir(at("out")).relativeFilePath(entry));
    EXPECT_EQ(entries, c.entries);
    EXPECT_EQ(QDir(at("out")).entryList(QDir::Files, QDir::Name), c.files);
    EXPECT_EQ(colourOf("Badge.png"), c.badge);
    if (c.files.contains("Badge_2.png"))
        EXPECT_EQ(colourOf("Badge_2.png"), QColor(Qt::blue));
    // A run stopped before it wrote anything says so, listing the picture it stopped at.
    if (c.files == QStringList{"Badge.png"}) {
        ASSERT_EQ(messages.records().size(), 1);
        EXPECT_TRUE(messages.records()[0].request.text.startsWith("0 pictures were cropped. Cropping was stopped."))
            << messages.records()[0].request.text.toStdString();
        EXPECT_EQ(messages.records()[0].request.details.size(), 1);
    } else {
        EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join('|').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CropAllFirstQuestion,
    ::testing::Values(
        Answered{"Keep", &Replcae_Confirm_Box::keep_button, false,
                 {"Badge (1).png", "Badge_1.png", "Badge_2.png"},
                 {"Badge (1).png", "Badge.png", "Badge_1.png", "Badge_2.png"}, Qt::white},
        Answered{"Replace", &Replcae_Confirm_Box::replace_button, false,
                 {"Badge.png", "Badge_1.png", "Badge_2.png"}, {"Badge.png", "Badge_1.png", "Badge_2.png"}, Qt::red},
        // Cancel skips the one picture; the run goes on.
        Answered{"Cancel", &Replcae_Confirm_Box::cancel_button, false,
                 {"../photo0.png", "Badge_1.png", "Badge_2.png"}, {"Badge.png", "Badge_1.png", "Badge_2.png"}, Qt::white},
        // Cancel for all ends the run at that picture.
        Answered{"CancelAll", &Replcae_Confirm_Box::cancel_button, true, {"../photo0.png"}, {"Badge.png"}, Qt::white}),
    [](const ::testing::TestParamInfo<Answered>& info) { return std::string(info.param.name); });

TEST_F(CropAllQuestion, KeepAllAnsweredOnceKeepsEveryLaterFileWithoutAsking)
{
    ASSERT_TRUE(filled(Qt::white).save(at("out/Badge_1.png")));
    answer(&Replcae_Confirm_Box::keep_button, true);
    const CropAllOutcome outcome = Crop_All_Run(settings, nullptr);
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(madeOn, qApp->thread());
    EXPECT_EQ(outcome.entries, (QStringList{at("out/Badge (1).png"), at("out/Badge_1 (1).png"), at("out/Badge_2.png")}));
    EXPECT_EQ(colourOf("Badge_1.png"), QColor(Qt::white));
    EXPECT_EQ(colourOf("Badge_1 (1).png"), QColor(Qt::green));
}

TEST_F(CropAllQuestion, PictureOfTheQuestionAboutAnExistingFile)
{
    const QDir artifacts(QStringLiteral(ZOVA_PHOTOS_ARTIFACT_DIR));
    ASSERT_TRUE(QDir().mkpath(artifacts.path()));
    const QString shot = artifacts.filePath(QStringLiteral("crop-all-file-exists.png"));
    QFile::remove(shot);
    QSize shown;
    answer(&Replcae_Confirm_Box::keep_button, false, [&](Replcae_Confirm_Box& box) {
        QImage picture;
        // Modal, as a real run shows it, so it stands above the progress window.
        box.setAttribute(Qt::WA_ShowModal, true);
        // On an X server with a window manager (ctest's run) as the screen shows it, framed.
        if (QGuiApplication::platformName() == QLatin1String("xcb")) {
            picture = grabFramed(box, showFramed(box)).toImage();
        } else {
            box.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
            picture = box.grab().toImage();
        }
        box.hide();
        box.setAttribute(Qt::WA_ShowModal, false);
        shown = picture.size();
        EXPECT_TRUE(picture.save(shot));
    });
    EXPECT_TRUE(Crop_All_Run(settings, nullptr).ran);
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(QImage(shot).size(), shown);
    EXPECT_GT(shown.width(), 300);
}

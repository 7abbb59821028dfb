// Crop All and the direct series and column runs as the user meets them: the progress window and
// its stop, the report, the series and the table column written back, with scripted answers.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include "data/Data_From_Excel.h"
#include "photos/FaceDetector.h"
#include "platform/AppContext.h"
#include "platform/CanvasGlobals.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "views/dialogs/Open_Export_Log.h"
#include "views/dialogs/Send_Modeless.h"
#include "views/dialogs/SharedDialogs.h"
#include "views/photos/CropAllRun.h"

namespace {

const QList<QColor> kColours{Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan, Qt::magenta, Qt::gray, Qt::black};

// A face in the middle of the first three colours; from the fourth on it answers only once the
// user has stopped the run, so the stop comes while later pictures are still being searched.
class WaitingFaces : public FaceDetector {
public:
    std::optional<QRectF> firstFace(const QImage& picture) override
    {
        if (kColours.indexOf(QColor(picture.pixel(0, 0))) >= 3)
            while (Stop_SMS_Sending_Now == 0)
                QThread::msleep(1);
        return QRectF(0, 0, picture.width(), picture.height());
    }
};

std::string text(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("<missing>");
}

class CropAllRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(at("DataSet")));
        Data_Folder_Path = at("DataSet");
        Cropped_Img_Path = at("Cropped_Images");
        Loaded_Data_Table().ListData.clear();
        Loaded_Data_Table().ColList.removeDataColumns();
    }
    QString at(const QString& name) const { return work.filePath(name); }
    QStringList pictures(int count)
    {
        QStringList paths;
        for (int i = 0; i < count; ++i) {
            QImage picture(40, 32, QImage::Format_RGB32);
            picture.fill(kColours.at(i));
            paths << at(QStringLiteral("photo%1.png").arg(i));
            EXPECT_TRUE(picture.save(paths.last()));
        }
        return paths;
    }
    CropAllSettings standard(const QStringList& list)
    {
        CropAllSettings settings;
        settings.plan.pictures = list;
        settings.plan.outputFolder = at("out");
        settings.plan.customName = QStringLiteral("Badge");
        settings.plan.formatIndex = 2;
        settings.plan.threads = 3;
        settings.plan.extensions = {QStringLiteral("png")};
        settings.plan.view.drawingRect = QRectF(0, 0, 500, 500);
        settings.plan.crop.selectionInView = QRectF(0, 0, 40, 32);
        return settings;
    }

    // The user presses the progress window's stop as soon as the file is there.
    static void pressStopOnceThere(QTimer& user, const QString& file)
    {
        QObject::connect(&user, &QTimer::timeout, [&user, file] {
            if (!QFile::exists(file))
                return;
            user.stop();
            Send_Modeless::defaultInstance()._stop_btn->click();
        });
        user.start(5);
    }

    QTemporaryDir work;
    ScriptedDialogPresenter dialogs;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter scopedMessages{messages};
};

}  // namespace

TEST_F(CropAllRunTest, ThreePicturesGiveBadgeFilesTheBarReachesThreeAndTheReportNamesTheFolder)
{
    QString reportedPath, reportedMessage;
    int bar = -1;
    dialogs.queueHook([&](QDialog& dialog) {
        auto& report = dynamic_cast<Open_Export_Log&>(dialog);
        reportedPath = report._open_log_path->text();
        reportedMessage = report._open_log_message->text();
        bar = Send_Modeless::defaultInstance()._Curr_Progress->value();
    });
    const CropAllOutcome outcome = Crop_All_Run(standard(pictures(3)), nullptr);
    ASSERT_TRUE(outcome.ran);
    EXPECT_EQ(outcome.entries, (QStringList{at("out/Badge.png"), at("out/Badge_1.png"), at("out/Badge_2.png")}));
    EXPECT_EQ(QDir(at("out")).entryList(QDir::Files), (QStringList{"Badge.png", "Badge_1.png", "Badge_2.png"}));
    EXPECT_EQ(bar, 3);
    EXPECT_EQ(reportedPath, at("out"));
    EXPECT_EQ(reportedMessage, "Image has been cropped successfully.");
    EXPECT_EQ(outcome.nextCounter, 3);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join('|').toStdString();
}

TEST_F(CropAllRunTest, AStopConfirmedAfterThreePicturesLeavesThreeFilesAndANewSeriesOfThreeLines)
{
    QFile staff(at("DataSet/Staff.txt"));
    ASSERT_TRUE(staff.open(QIODevice::WriteOnly));
    staff.write("old\n");
    staff.close();
    CropAllSettings settings = standard(pictures(8));
    settings.input_selection = 3;
    settings.seriesName = QStringLiteral("Staff");
    settings.plan.crop.method = CropRequest::Face;
    // The user presses stop once the third file is there and answers Yes.
    messages.queueAnswers({0});
    QTimer user;
    pressStopOnceThere(user, at("out/Badge_2.png"));
    QString closing;
    dialogs.queueHook([&](QDialog& dialog) { closing = static_cast<Open_Export_Log&>(dialog)._open_log_message->text(); });
    const CropAllOutcome outcome = Crop_All_Run(settings, [] { return std::make_unique<WaitingFaces>(); });
    ASSERT_TRUE(outcome.ran);
    EXPECT_EQ(QDir(at("out")).entryList(QDir::Files), (QStringList{"Badge.png", "Badge_1.png", "Badge_2.png"}));
    EXPECT_EQ(text(at("DataSet/Staff (1).txt")),
              (at("out/Badge.png") + "\n" + at("out/Badge_1.png") + "\n" + at("out/Badge_2.png") + "\n").toStdString());
    EXPECT_EQ(text(at("DataSet/Staff.txt")), "old\n");
    EXPECT_EQ(messages.texts(), QStringList{"Are you sure you want to stop?"});
    // Nothing left out, but stopped: no word of success.
    EXPECT_EQ(closing, "3 pictures were cropped. Cropping was stopped.");
}

// While "Are you sure you want to stop?" is open no picture is written; after No the run ends
// its list.
TEST_F(CropAllRunTest, NoPictureIsWrittenWhileTheStopQuestionIsOpen)
{
    static std::atomic<bool> questionOpen{false};
    questionOpen = false;
    // From the fourth picture on a face is found only once the question is open.
    struct HeldFaces : FaceDetector {
        std::optional<QRectF> firstFace(const QImage& picture) override
        {
            if (kColours.indexOf(QColor(picture.pixel(0, 0))) >= 3)
                while (!questionOpen)
                    QThread::msleep(1);
            return QRectF(0, 0, picture.width(), picture.height());
        }
    };
    // The user reads the question for a while, counting the files, and answers No.
    struct SlowReader : ScriptedMessagePresenter {
        QString folder;
        QList<int> filesWhileOpen;
        int present(const MessageBoxRequest& request) override
        {
            questionOpen = true;
            const auto files = [this] { return int(QDir(folder).entryList(QDir::Files).size()); };
            filesWhileOpen << files();
            QElapsedTimer reading;
            reading.start();
            while (reading.elapsed() < 300) {
                QCoreApplication::processEvents();
                QThread::msleep(5);
            }
            filesWhileOpen << files();
            queueAnswers({1});
            return ScriptedMessagePresenter::present(request);
        }
    } reader;
    reader.folder = at("out");
    ScopedMessagePresenter reading{reader};
    CropAllSettings settings = standard(pictures(8));
    settings.plan.crop.method = CropRequest::Face;
    QTimer user;
    pressStopOnceThere(user, at("out/Badge_2.png"));
    dialogs.queueHook([](QDialog&) {});
    const CropAllOutcome outcome = Crop_All_Run(settings, [] { return std::make_unique<HeldFaces>(); });
    ASSERT_TRUE(outcome.ran);
    EXPECT_EQ(reader.filesWhileOpen, (QList<int>{3, 3}));
    EXPECT_EQ(outcome.filesWritten, 8);
    EXPECT_EQ(reader.texts(), QStringList{"Are you sure you want to stop?"});
}

// A missing picture keeps its line, so a card bound to the new series is still refused, and is named.
TEST_F(CropAllRunTest, ADirectSeriesRunMakesANewSeriesKeepingTheLineOfAMissingPicture)
{
    QStringList list = pictures(3);
    list[1] = at("gone.png");
    CropAllSettings settings = standard(list);
    settings.crop_direct = 2;
    settings.input_selection = 3;
    settings.seriesName = QStringLiteral("Staff");
    QFile staff(at("DataSet/Staff.txt"));
    ASSERT_TRUE(staff.open(QIODevice::WriteOnly));
    staff.close();
    const CropAllOutcome outcome = Crop_All_Run(settings, nullptr);
    ASSERT_TRUE(outcome.ran);
    EXPECT_EQ(outcome.Crop_Direct_Series, "Staff (1)");
    const QString folder = at("Cropped_Images/Staff (1)");
    EXPECT_EQ(outcome.outputFolder, folder);
    EXPECT_EQ(text(at("DataSet/Staff (1).txt")),
              (folder + "/photo0.png\n" + list[1] + "\n" + folder + "/photo2.png\n").toStdString());
    EXPECT_EQ(Export_File_Message, "2 pictures were cropped.\n\n1 picture was left out:");
    EXPECT_EQ(outcome.leftOut, QStringList{"gone.png: the picture could not be read."});
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(CropAllRunTest, ADirectColumnRunAddsColumnFourUnderColumnFiveAndFillsEveryRow)
{
    Data_From_Excel& table = Loaded_Data_Table();
    for (int k = 1; k <= 3; ++k)
        table.ColList.addColumn(QStringLiteral("Column%1").arg(k), QStringLiteral("T%1").arg(k));
    QStringList list = pictures(3);
    list.insert(1, QString());
    for (int row = 0; row < 5; ++row)
        table.Create_List_By_Array({"a", "b", "c"}, 3);
    CropAllSettings settings = standard(list);
    settings.crop_direct = 3;
    settings.input_selection = 4;
    const CropAllOutcome outcome = Crop_All_Run(settings, nullptr);
    ASSERT_TRUE(outcome.ran);
    EXPECT_EQ(outcome.Crop_New_Excel_Col_Index, 4);
    EXPECT_EQ(outcome.Crop_New_Excel_Col_Name, "Column4");
    EXPECT_EQ(table.ColList.at(4).title, "Column 5");
    const QString folder = at("Cropped_Images/Column 5");
    const QStringList expected{folder + "/photo0.png", "", folder + "/photo1.png", folder + "/photo2.png", ""};
    // Every row holds the key, the last one, which the run did not reach, with "".
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(table.ListData[row].value("Column4", "<none>"), expected[row]) << row;
}

TEST_F(CropAllRunTest, ADirectRunWithoutACroppedPicturesFolderIsRefused)
{
    Cropped_Img_Path = QString();
    CropAllSettings settings = standard(pictures(1));
    settings.crop_direct = 3;
    settings.input_selection = 4;
    EXPECT_FALSE(Crop_All_Run(settings, nullptr).ran);
    EXPECT_EQ(messages.texts(), QStringList{"\n" + kCropFolderFailure});
    EXPECT_EQ(Loaded_Data_Table().ColList.count(), 1);
}

TEST_F(CropAllRunTest, ASeriesThatCannotBeWrittenOrANamelessOneIsRefusedBeforeAnyPicture)
{
    CropAllSettings settings = standard(pictures(2));
    settings.input_selection = 3;
    settings.seriesName = QString();
    settings.plan.firstCounter = 4;
    const CropAllOutcome refused = Crop_All_Run(settings, nullptr);
    EXPECT_FALSE(refused.ran);
    EXPECT_EQ(refused.nextCounter, 4) << "the tool's next name stays Badge_4";
    Data_Folder_Path = at("no such folder");
    settings.seriesName = QStringLiteral("Staff");
    EXPECT_FALSE(Crop_All_Run(settings, nullptr).ran);
    EXPECT_EQ(messages.texts(), (QStringList{"\nError in series file accessing.", "\nError in series file accessing."}));
    EXPECT_FALSE(QDir(at("out")).exists() && !QDir(at("out")).isEmpty());
}

// Half the pictures show no face: the end says how many were cropped and lists the others.
TEST_F(CropAllRunTest, TheEndCountsTheCropsAndListsEveryPictureLeftOut)
{
    class EveryOtherFace : public FaceDetector {
    public:
        std::optional<QRectF> firstFace(const QImage& picture) override
        {
            if (kColours.indexOf(QColor(picture.pixel(0, 0))) % 2 == 1)
                return std::nullopt;
            return QRectF(0, 0, picture.width(), picture.height());
        }
    };
    CropAllSettings settings = standard(pictures(8));
    settings.plan.crop.method = CropRequest::Face;
    QString message, details;
    bool detailsShown = false;
    dialogs.queueHook([&](QDialog& dialog) {
        auto& report = dynamic_cast<Open_Export_Log&>(dialog);
        message = report._open_log_message->text();
        details = report._open_log_details->toPlainText();
        detailsShown = report._open_log_details->isVisibleTo(&report);
    });
    const CropAllOutcome outcome = Crop_All_Run(settings, [] { return std::make_unique<EveryOtherFace>(); });
    EXPECT_EQ(outcome.filesWritten, 4);
    EXPECT_EQ(message.toStdString(), "4 pictures were cropped.\n\n4 pictures were left out:");
    EXPECT_EQ(details.toStdString(), "photo1.png: no face was found.\nphoto3.png: no face was found.\n"
                                     "photo5.png: no face was found.\nphoto7.png: no face was found.");
    EXPECT_TRUE(detailsShown);
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join('|').toStdString();

    // With nothing written there is no folder to open: the message and the list alone.
    CropAllSettings none = standard({at("photo1.png")});
    none.plan.crop.method = CropRequest::Face;
    none.plan.outputFolder = at("none");
    Crop_All_Run(none, [] { return std::make_unique<EveryOtherFace>(); });
    ASSERT_EQ(messages.records().size(), 1);
    EXPECT_EQ(messages.records()[0].request.text.toStdString(), "0 pictures were cropped.\n\n1 picture was left out:");
    EXPECT_EQ(messages.records()[0].request.details, QStringList{"photo1.png: no face was found."});
    EXPECT_EQ(QDir(at("none")).entryList(QDir::Files), QStringList());

    // A direct run leaves its closing to the tool, with the same words.
    QFile staff(at("DataSet/Staff.txt"));
    ASSERT_TRUE(staff.open(QIODevice::WriteOnly));
    staff.close();
    CropAllSettings direct = standard({at("photo0.png"), at("photo1.png")});
    direct.plan.crop.method = CropRequest::Face;
    direct.crop_direct = 2;
    direct.input_selection = 3;
    direct.seriesName = QStringLiteral("Staff");
    Crop_All_Run(direct, [] { return std::make_unique<EveryOtherFace>(); });
    EXPECT_EQ(Export_File_Message.toStdString(), "1 picture was cropped.\n\n1 picture was left out:");
    EXPECT_EQ(messages.records().size(), 1);
}

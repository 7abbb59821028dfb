#pragma once
// A main window stand-in for the profile dialogs: the three records, the two sides' elements, and
// what the series manager and the preview were asked; with a data folder of two series, scripted
// dialogs and message boxes, and helpers to load a table of rows.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "data/Data_From_Excel.h"
#include "model/SKTGraphic.h"
#include "model/profiles/ProfileCaptions.h"
#include "model/profiles/User_Profile_Class.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "support/ScriptedPhotoWindows.h"
#include "views/profiles/ProfileFormHost.h"

class FakeProfileHost : public ProfileFormHost {
public:
    FakeProfileHost()
    {
        for (User_Profile_Class* record : {&front, &back, &preview})
            record->Reset_All_Values();
    }
    User_Profile_Class& profileRecord(ProfileRecord which) override
    {
        return which == ProfileRecord::Front ? front : which == ProfileRecord::Back ? back : preview;
    }
    int Card_Front_Or_Back() const override { return side; }
    GraphicList graphicsOfSide(int s) const override { return s == 1 ? backElements : frontElements; }
    void Batch_Series_Button() override
    {
        calls << QStringLiteral("series manager");
        if (seriesManager)
            seriesManager();
    }
    bool Check_And_Validate_File_Path(const QString& path) override
    {
        if (!path.trimmed().isEmpty() && QFileInfo::exists(path.trimmed()))
            return false;
        Show_MessageBox(QStringLiteral("Please select valid file path."));
        return true;
    }
    void Delete_Excel_File_Temp_Folder() override { calls << QStringLiteral("temp folder"); }
    QStringList Allowd_Image_fileTypes() const override { return {QStringLiteral("png"), QStringLiteral("jpg")}; }
    QImage Show_Profile_Preview(const QString& s) override
    {
        calls << QStringLiteral("preview ") + s;
        previewAtShow = preview;
        return previewedSide;
    }
    int recordShown() const override { return shownRecord; }
    QString recordsWorkbook() const override { return keptIn.isEmpty() ? Excel_Source_Path : keptIn; }

    User_Profile_Class front, back, preview, previewAtShow;
    QImage previewedSide;
    int side = 0;
    GraphicList frontElements, backElements;
    std::function<void()> seriesManager;
    QStringList calls;
    int shownRecord = 0;
    QString keptIn;  // the workbook the records are kept in, when not their source
};

class ProfileDialogFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(seriesFolder()));
        previousDataFolder = Data_Folder_Path;
        Data_Folder_Path = seriesFolder();
        writeSeries(QStringLiteral("Names"), "Ann Lee\nBob Roe\n");
        writeSeries(QStringLiteral("Blank"), "\nsecond\n");
        Title_For_Gen_ID_Card();
        clearTable();
        Excel_Source_Path.clear();
        Excel_Binding_Use = false;
    }
    void TearDown() override
    {
        clearTable();
        Data_Folder_Path = previousDataFolder;
    }

    QString seriesFolder() const { return work.filePath(QStringLiteral("DataSet")); }
    void writeSeries(const QString& name, const QByteArray& bytes) const
    {
        writeFile(QDir(seriesFolder()).filePath(name + QStringLiteral(".txt")), bytes);
    }
    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // A picture file of the given colour in the work folder.
    QString picture(const QString& name, Qt::GlobalColor colour) const
    {
        QImage image(40, 50, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = work.filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }
    // The loaded table: titles of the data columns and their rows.
    static void loadTable(const QStringList& titles, const QList<QStringList>& rows)
    {
        clearTable();
        Data_From_Excel& table = Loaded_Data_Table();
        for (int i = 0; i < titles.size(); ++i)
            table.ColList.addColumn(Column_Key_For_Index(i + 1), titles[i]);
        for (const QStringList& cells : rows)
            table.Create_List_By_Array(cells, int(titles.size()));
    }
    static void clearTable()
    {
        Loaded_Data_Table().ColList.removeDataColumns();
        Loaded_Data_Table().ListData.clear();
        Excel_table_rows = 0;
    }
    static GraphicPtr element(GraphicKind kind, const QString& ctrlId, const QString& text = {})
    {
        GraphicPtr graphic = SKTGraphic::create(kind);
        graphic->control_ID = ctrlId;
        graphic->Text_Value = text;
        graphic->ctrl_is_visible = true;
        return graphic;
    }

    QTemporaryDir work;
    QString previousDataFolder;
    FakeProfileHost host;
    ScriptedDialogPresenter dialogs;
    ScriptedMessagePresenter messages;
    ScopedMessagePresenter scopedMessages{messages};
    ScriptedPhotoWindows photoWindows;
};

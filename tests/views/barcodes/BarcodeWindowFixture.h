#pragma once
// The barcode window run through the scripted dialog seam, over a factory that notes what it was
// given and draws a plain picture, with series files in the test's data folder and a loaded
// spreadsheet table.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QPushButton>
#include <QStandardPaths>
#include <QThread>
#include <functional>
#include <stdexcept>
#include <gtest/gtest.h>

#include "barcodes/BarcodeFactory.h"
#include "data/Data_From_Excel.h"
#include "platform/AppContext.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/ScriptedMessagePresenter.h"
#include "barcodes/BarcodeLists.h"
#include "views/barcodes/BarcodeSettingsView.h"
#include "views/barcodes/Barcode_Gen.h"

// Notes each load and value with the thread it came on; draws a picture whose width follows the
// value, and none for the value it is told to refuse.
class RecordingFactory : public BarcodeFactory {
public:
    RecordingFactory() { setBarcodeFactory(this); }
    ~RecordingFactory() override { setBarcodeFactory(nullptr); }

    void Set_Barcode_Prop_To_Control(const SKTGraphic& element) override
    {
        QMutexLocker lock(&mutex);
        loaded = element.cloneForRendering();
        threads << QThread::currentThread();
    }
    BarcodePicture Get_Image_From_Val(const QString& value, const QString&, const QString&) override
    {
        QMutexLocker lock(&mutex);
        values << value;
        if (value == refused)
            return {};
        QImage picture(40 + int(value.size()), 20, QImage::Format_ARGB32);
        picture.fill(Qt::black);
        return picture;
    }
    // The settings of the last load.
    BarcodeSettings last() const
    {
        QMutexLocker lock(&mutex);
        return loaded ? loaded->barcode : BarcodeSettings();
    }

    mutable QMutex mutex;
    GraphicPtr loaded;
    QStringList values;
    QList<QThread*> threads;
    QString refused = QStringLiteral("REFUSED");
};

class BarcodeWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Not_Draw_Only_Prop_Change = false, Start_Card_Option = QStringLiteral("L"), Excel_Binding_Use = false;
        Data_Folder_Path = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath("DataSet");
        QDir(Data_Folder_Path).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(Data_Folder_Path));
        writeSeries("Staff", "E-1001\nE-1002\n");
        Data_From_Excel& table = Loaded_Data_Table();
        table.ListData.clear(), table.ColList.removeDataColumns();
        table.ColList.addColumn("Column1", "Name"), table.ColList.addColumn("Column2", "Badge");
        table.Create_List_By_Array({"Cleo", "B-77"}, 2);
    }
    void TearDown() override
    {
        QDir(Data_Folder_Path).removeRecursively();
        Loaded_Data_Table().ListData.clear(), Loaded_Data_Table().ColList.removeDataColumns();
        Start_Card_Option = QStringLiteral("T"), Excel_Binding_Use = false;
        Barcode_output_image = QImage();
    }

    static void writeSeries(const QString& name, const QByteArray& bytes)
    {
        QFile file(QDir(Data_Folder_Path).filePath(name + ".txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static GraphicPtr barcode() { return SKTGraphic::create(GraphicKind::Barcode); }
    static int symbology(const char* title) { return int(symbologyTitles().indexOf(QString::fromLatin1(title))); }

    // Runs the window on the element; `user` works it, pressing OK or Cancel or neither.
    GraphicPtr open(const SKTGraphic& element, const std::function<void()>& user)
    {
        dialogs.queueHook([user](QDialog&) { user(); });
        return window.Open_Wnd(element);
    }
    // A control of the window by its name.
    template <class Control = QWidget>
    Control& control(const char* name) const
    {
        auto* found = window.view().findChild<Control*>(QString::fromLatin1(name));
        if (found == nullptr)
            throw std::runtime_error(std::string("no control ") + name);
        return *found;
    }
    QComboBox& combo(const char* name) const { return control<QComboBox>(name); }
    // As a user picks an entry.
    void choose(const char* name, const QString& entry) const { combo(name).setCurrentIndex(combo(name).findText(entry)); }
    QPushButton& okButton() const { return *control<QDialogButtonBox>("barcode_buttons").button(QDialogButtonBox::Ok); }
    void pressOk() const { okButton().click(); }
    void pressCancel() const { control<QDialogButtonBox>("barcode_buttons").button(QDialogButtonBox::Cancel)->click(); }
    static QString shown(const QString& text) { return QLatin1Char('\n') + text; }

    ScriptedMessagePresenter messages;
    ScopedMessagePresenter messageScope{messages};
    ScriptedDialogPresenter dialogs;
    RecordingFactory factory;
    Barcode_Gen window;
};

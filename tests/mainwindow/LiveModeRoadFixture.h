#pragma once
// Visitor and group modes on the real main window: the start roads through the chooser, a group
// project over a workbook written by openpyxl, the front side panel typed into as a user types.
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <gtest/gtest.h>

#include "data/Data_From_Excel.h"
#include "data/GroupRecords.h"
#include "designfile/DesignFile.h"
#include "designfile/TemplateCatalog.h"
#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/DesignFileController.h"
#include "mainwindow/DesignSession.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/LiveModePanels.h"
#include "mainwindow/OutputCommands.h"
#include "mainwindow/SideCommands.h"
#include "mainwindow/StartDispatch.h"
#include "mainwindow/WindowDesignFile.h"
#include "mainwindow/WizardStartWindows.h"
#include "model/profiles/ProfileCaptions.h"
#include "support/ScriptedDialogPresenter.h"
#include "support/TestEnvironment.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/dialogs/Open_Export_Log.h"
#include "views/photos/CameraWindow.h"
#include "views/photos/PhotoWindows.h"
#include "views/visitors/VisitorPassDesign.h"
#include "views/inspector/CardSizePanel.h"
#include "views/inspector/CheckedNumberField.h"
#include "views/inspector/InspectorLists.h"
#include "views/inspector/PropertyInspector.h"
#include "views/output/ExportSheet.h"
#include "views/visitors/Profile_Side_Panel.h"
#include "views/wizards/Group_Mode_Wizard.h"
#include "views/wizards/TemplateBrowser.h"
#include "views/wizards/Template_Wizard.h"
#include "StartRoadFixture.h"


// The camera window as a user who takes one picture answers it.
class TakenPicture : public CameraWindow {
public:
    int Open_Wnd() override { return ++opened, path.isEmpty() ? 0 : 1; }
    QString Camera_Capture_Image() const override { return path; }
    QString path;
    int opened = 0;
};

class LiveModeRoad : public StartRoadFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartRoadFixture::SetUp());
        CARD_SIDE_STR = QStringLiteral("1");
        writeTemplate(QStringLiteral("badge (h)"), QStringLiteral("employee"));
        writeTemplate(QStringLiteral("day pass (h)"), QStringLiteral("visitor"));
        controller.window()->resize(1280, 800);
        controller.showWindow();
    }
    // A landscape card with a band across its top.
    void writeTemplate(const QString& name, const QString& category)
    {
        GraphicPtr band = SKTGraphic::create(GraphicKind::Shape);
        band->_bounds = QRectF(0, 0, 242.64, 30);
        writeTemplateFile(name, category, QStringLiteral("Horizontal"), QSizeF(242.64, 153.36), {band});
    }
    // Fifty people: Name, Company and a code with leading zeros.
    QString fiftyPeople()
    {
        return openpyxlWorkbook(QStringLiteral("people.xlsx"),
                                "ws.append(['Name', 'Company', 'Code'])\n"
                                "for n in range(1, 51): ws.append(['Person %d' % n, 'Firm %d' % (n % 4), '%03d' % n])\n");
    }
    Profile_Side_Panel& front() const { return controller.liveModes().panel(0); }
    QLineEdit& field(const char* id) const { return *front().textBox(QLatin1String(id)); }
    void type(const char* id, const QString& text)
    {
        field(id).setText(text);
        Q_EMIT field(id).textEdited(text);
    }
    void chooseColumn(const char* id, int column)
    {
        const QString name = QLatin1String(id) == kPhotoFieldId ? QStringLiteral("photo_column_box")
                                                                 : QLatin1String(id) + QStringLiteral("_col");
        auto* box = front().findChild<QComboBox*>(name);
        box->setCurrentIndex(column);
        Q_EMIT box->activated(column);
    }
    void clickGroupRow(int row)
    {
        QTableView& list = controller.inspector().sizePanel().GroupList();
        controller.inspector().sizePanel().Mark_Group_List_New_Selection(row);
        Q_EMIT list.clicked(list.model()->index(row, 0));
    }
    // Records from..to exported through the window's export sheet as files of the format into
    // out; the folder the cards are in.
    QDir exportRecords(const QString& format, int from, int to, const QTemporaryDir& out)
    {
        dialogs.queueHook([format, from, to](QDialog& dialog) {
            auto& sheet = static_cast<ExportSheet&>(dialog);
            sheet.fileFormatPopup->setCurrentText(format);
            sheet.rangeBlock->Sel_print_rd->click();
            sheet.rangeBlock->To_Text->setValue(to);
            sheet.rangeBlock->from_Text->setValue(from);
            sheet.exportOkay();
        });
        dialogs.queueFolder(out.path());
        dialogs.queueHook([](QDialog&) {});
        Export_Button(controller);
        return QDir(out.filePath(QStringLiteral("ZOVA ID Card")));
    }
    // The card as it stands, the spreadsheet's data left out, exported in the format (PNG unless
    // told) under the file's name.
    void exportCardWithoutData(const QString& file, const QString& format = QStringLiteral("PNG"))
    {
        dialogs.queueHook([format](QDialog& dialog) {
            auto& sheet = static_cast<ExportSheet&>(dialog);
            sheet.fileFormatPopup->setCurrentText(format);
            if (sheet.rangeBlock->Export_with_excel_chk->isChecked())
                sheet.rangeBlock->Export_with_excel_chk->click();
            sheet.exportOkay();
        });
        dialogs.queueSaveFile(file);
        dialogs.queueHook([](QDialog&) {});  // the closing box
        Export_Button(controller);
    }
    GraphicPtr frontElement(const char* id) const
    {
        return controller.graphicView(SKTDocument::FrontSide)->Selcect_Ctrl_With_ID(QLatin1String(id));
    }
    bool paneShown() const { return controller.liveModes().pane().isVisibleTo(controller.window()); }
    void picture(const QString& name)
    {
        const QString folder = QStringLiteral(ZOVA_VISITORS_ARTIFACT_DIR);
        QDir().mkpath(folder);
        QCoreApplication::processEvents();
        EXPECT_TRUE(controller.window()->grab().save(QDir(folder).filePath(name)));
    }
    void fillVisitor()
    {
        type("Fup_Name", QStringLiteral("O'Brien'); DROP TABLE Visitor_Records;--"));
        type("Fup_Company", QStringLiteral("Harbour Logistics"));
        type("Fup_CompanySlogan", QStringLiteral("Delivery"));
        type("Fup_Website", QStringLiteral("Front desk"));
        const QString photo = scratch.filePath(QStringLiteral("visitor.png"));
        QImage face(120, 150, QImage::Format_RGB32);
        face.fill(QColor(90, 140, 200));
        ASSERT_TRUE(face.save(photo));
        controller.liveModes().Check_and_create_control_for_group_mode_FRONT("Fup_Photo", photo, "P", -1, true);
        controller.liveModes().Set_User_Image_Control(0, photo, "Fup_Photo");
    }
};


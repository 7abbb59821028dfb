#pragma once
// A group project of ten people on the real window, its workbook written and read back with
// openpyxl; shared by the group-mode roads.
#include <QTableView>

#include "LiveModeRoadFixture.h"
#include "model/SKTImage.h"
#include "views/visitors/VisitorPassDesign.h"

// Ten people on a sheet named "Staff": Name, Company, Photo, ID. Every photo but record 9's is a
// file of its own colour; record 4's is astronaut.png.
class GroupPeople : public LiveModeRoad {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(LiveModeRoad::SetUp());
        const QDir folder(scratch.path());
        for (int n = 1; n <= 10; ++n) {
            const QString name = n == 4 ? QStringLiteral("astronaut.png") : QStringLiteral("face%1.png").arg(n);
            photos << (n == 9 ? folder.filePath(QStringLiteral("gone9.png"))
                              : visitortest::photoFile(folder, name, QColor::fromHsv(n * 30, 200, 200)));
        }
        workbook = scratch.filePath(QStringLiteral("staff.xlsx"));
        const auto made = TestEnvironment::runPython(
            "import sys, openpyxl\n"
            "wb = openpyxl.Workbook(); ws = wb.active; ws.title = 'Staff'\n"
            "ws.append(['Name', 'Company', 'Photo', 'ID'])\n"
            "for n, photo in enumerate(sys.argv[2:], 1): ws.append(['Person %d' % n, 'Firm %d' % n, photo, 'ID%04d' % n])\n"
            "wb.save(sys.argv[1])\n",
            QStringList{workbook} + photos);
        ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
        ASSERT_NO_FATAL_FAILURE(startGroupProject(workbook));
        chooseColumn("Fup_Name", 1);
        if (bindPhotoColumn)
            chooseColumn("Fup_Photo", 3);
    }
    // The project workbook's row (1 the titles) as openpyxl reads it, and its sheet's name.
    QString workbookRow(int row) const
    {
        const auto read = TestEnvironment::runPython("import sys, warnings, openpyxl\nwarnings.simplefilter('ignore')\n"
                                                     "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
                                                     "print(ws.title, '|'.join(str(c or '') for c in list(ws.values)[int(sys.argv[2]) - 1]))\n",
                                                     {LiveModePanels::projectWorkbookPath(Project_File_Name), QString::number(row)});
        return QString::fromUtf8(read.out).trimmed();
    }
    QTableView& groupList() const { return controller.inspector().sizePanel().GroupList(); }
    SKTImage& photoOnCard() const { return static_cast<SKTImage&>(*frontElement("Fup_Photo")); }
    void undo() { action(QStringLiteral("Undo_btn")).trigger(); }

    QStringList photos;
    QString workbook;
    bool bindPhotoColumn = true;  // the photo shows the Photo column; false: no column for it
};

// A text and a Code 128 bound to the ID column, with no profile identifier.
inline void addIdElements(SKTDocument& document)
{
    GraphicPtr text = visitortest::text(QRectF(80, 100, 150, 16), QString(), 9);
    GraphicPtr barcode = visitortest::code128(QRectF(80, 115, 155, 36), QString());
    for (const GraphicPtr& element : {text, barcode}) {
        element->Set_Data_source_type(2);
        element->Set_Excel_binding(true);
        element->Set_Excel_binding_Index(4);
        document.addInGraphics(element);
    }
}


#include "views/visitors/VisitorLogLogic.h"

#include "filters/ImageProcesser.h"
#include "photos/ImageOperations.h"
#include "photos/ImgFilterSettings.h"
#include "platform/DialogPresenter.h"
#include "platform/MessageBoxes.h"
#include "platform/PictureReading.h"
#include "views/visitors/VisitorPassPrinting.h"
#include "visitors/VisitorLogExport.h"

namespace {

const QString kNothingToExport = QStringLiteral("There is no visitor record to export.");

}  // namespace

VisitorLogLogic::VisitorLogLogic(VisitorLog& log) : m_log(log)
{
}

void VisitorLogLogic::Search(const QString& text)
{
    m_search = text;
    m_rows = m_log.findByName(text.trimmed());
    m_note = m_log.listingNote();
    if (!m_log.lastError().isEmpty())
        Show_MessageBox(m_log.lastError());
    selectRow(-1);
}

bool VisitorLogLogic::selectRow(int row)
{
    if (row < -1 || row >= m_rows.size())
        return false;
    m_selected = row;
    // Another visitor's photo never stands in for one whose picture is gone.
    m_photo = QImage();
    if (row >= 0)
        Set_User_Image(m_rows.at(row).photoPath);
    return true;
}

bool VisitorLogLogic::Set_User_Image(const QString& reference)
{
    if (reference.trimmed().isEmpty()) {
        m_photo = QImage();
        return true;
    }
    const bool filtered = reference.contains(IMG_Filter_Marker);
    const QString file = filtered ? ParsePictureSettingsText(reference).path : reference;
    const QImage picture = readPicturePreview(file.trimmed());
    if (picture.isNull())
        return false;
    if (!filtered) {
        m_photo = picture;
        return true;
    }
    const PictureReference settings = Read_IMG_Filter_Settings(reference);
    QImage shown = ImageProcesser::Get_Processed_Image_Full_Combined(picture, Get_IMG_Settings());
    if (settings.border.on)
        shown = image_Drawing_with_border(shown, settings.border.width, settings.border.style, settings.border.colour);
    m_photo = shown;
    return true;
}

bool VisitorLogLogic::Execute_Printing(bool preview, QWidget* window)
{
    if (m_selected < 0) {
        Show_MessageBox(QStringLiteral("Please select visitor record."));
        return false;
    }
    QString why;
    const QImage pass = passMaker ? passMaker(m_rows.at(m_selected), &why) : QImage();
    if (pass.isNull()) {
        Show_MessageBox(why.isEmpty() ? QStringLiteral("The visitor pass could not be drawn.") : why);
        return false;
    }
    return printVisitorPass(pass, preview, window);
}

bool VisitorLogLogic::exportTo(const QString& target)
{
    if (m_rows.isEmpty()) {
        Show_MessageBox(kNothingToExport);
        return false;
    }
    if (!exportVisitorLog(m_rows, target)) {
        Show_MessageBox(QStringLiteral("The visitor records could not be saved to %1.").arg(target));
        return false;
    }
    Show_MessageBox(QStringLiteral("Visitor records exported successfully."));
    return true;
}

bool VisitorLogLogic::Export_To_Excel(QWidget* parent)
{
    if (m_rows.isEmpty()) {
        Show_MessageBox(kNothingToExport);
        return false;
    }
    QString target = dialogPresenter().saveFile(
        {parent, QStringLiteral("Export Visitor Records"), QString(), QStringLiteral("Excel Workbook (*.xlsx)")});
    if (target.isEmpty())
        return false;
    if (!target.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        target += QLatin1String(".xlsx");
    return exportTo(target);
}

#include "mainwindow/DesignBackup.h"

#include <QDebug>

#include "model/SKTDocument.h"

namespace {

QList<QByteArray> archiveSide(const GraphicList& graphics)
{
    QList<QByteArray> archives;
    for (const GraphicPtr& graphic : graphics) {
        QByteArray data = graphic->archivedData();
        if (data.isEmpty())
            qWarning() << "Design backup: an element could not be archived and is left out";
        else
            archives.append(std::move(data));
    }
    return archives;
}

GraphicList unarchiveSide(const QList<QByteArray>& archives)
{
    GraphicList graphics;
    for (const QByteArray& data : archives) {
        if (GraphicPtr graphic = SKTGraphic::fromArchivedData(data))
            graphics.append(graphic);
        else
            qWarning() << "Design backup: an element archive could not be read and is left out";
    }
    return graphics;
}

}  // namespace

void DesignBackup::Create_Design_Backup_Array(const SKTDocument& document)
{
    Graphics_array_Batch_Front_Bkup = {archiveSide(document.graphics())};
    Graphics_array_Batch_BAck_Bkup = {archiveSide(document.graphics_back())};
}

bool DesignBackup::Create_Card_Design_Again(SKTDocument& document) const
{
    if (Graphics_array_Batch_Front_Bkup.isEmpty() || Graphics_array_Batch_BAck_Bkup.isEmpty())
        return false;
    // The rebuild undoes an output run's own changes; it is no edit the user could undo.
    UndoManager& undo = document.undoManager();
    const bool recording = undo.isUndoRegistrationEnabled();
    document.Enable_Disable_Undo_Registraion(false);
    document.replaceGraphicsOnSide(SKTDocument::FrontSide, unarchiveSide(Graphics_array_Batch_Front_Bkup.first()));
    document.replaceGraphicsOnSide(SKTDocument::BackSide, unarchiveSide(Graphics_array_Batch_BAck_Bkup.first()));
    document.Enable_Disable_Undo_Registraion(recording);
    return true;
}

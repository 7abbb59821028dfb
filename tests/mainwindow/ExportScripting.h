#pragma once
// Scripted answers for the Export command: the sheet with a range of records, the folder panel,
// the questions asked during the run when a hook for them is given, and the closing box, whose
// message is kept.
#include <QLabel>
#include <QRadioButton>
#include <functional>

#include "support/ScriptedDialogPresenter.h"
#include "views/dialogs/Open_Export_Log.h"
#include "views/inspector/CheckedNumberField.h"
#include "views/output/ExportSheet.h"

// `look` sees the sheet before OK is pressed; `closing` outlives the export.
inline void scriptExport(ScriptedDialogPresenter& dialogs, const QString& folder, int from, int to, QString* closing,
                         std::function<void(ExportSheet&)> look = {}, ScriptedDialogPresenter::Hook question = {})
{
    dialogs.queueHook([=](QDialog& dialog) {
        auto& sheet = static_cast<ExportSheet&>(dialog);
        sheet.rangeBlock->Sel_print_rd->click();
        sheet.rangeBlock->To_Text->setValue(to);
        sheet.rangeBlock->from_Text->setValue(from);
        if (look)
            look(sheet);
        sheet.exportOkay();
    });
    dialogs.queueFolder(folder);
    if (question)
        dialogs.queueHook(std::move(question));
    dialogs.queueHook([closing](QDialog& dialog) { *closing = static_cast<Open_Export_Log&>(dialog)._open_log_message->text(); });
}

// The design alone written to the file by the Export command's next run: the sheet as it opens,
// the file panel, then the closing box dismissed. The front side lands beside it as NAME_Front.png.
inline void scriptDesignExport(ScriptedDialogPresenter& dialogs, const QString& png)
{
    dialogs.queueHook([](QDialog& dialog) { static_cast<ExportSheet&>(dialog).exportOkay(); });
    dialogs.queueSaveFile(png);
    dialogs.queueHook([](QDialog& dialog) { dialog.reject(); });
}

#pragma once
// The print window: the printer and paper, the card layout of a sheet, the options, the live
// sheet preview, the print profiles and the card count. The logic decides; this view shows the
// logic's fields after every change and hands Preview and Print to the print job.
#include <QDialog>
#include <functional>
#include <memory>

#include "views/output/OutputRangeBlock.h"
#include "views/print/PrintProfileList.h"
#include "views/print/PrintWindowLogic.h"
#include "views/print/Sample_Preview.h"

namespace Ui {
class Print_Wnd;
}
class Add_Print_Profile;
class QPrinter;


class Print_Wnd : public QDialog {
    Q_OBJECT
public:
    explicit Print_Wnd(QWidget* parent = nullptr);
    ~Print_Wnd() override;

    PrintWindowLogic logic;
    PrintProfileList& profiles() { return *m_profiles; }
    OutputRangeBlock& rangeBlock();
    Add_Print_Profile& nameSheet() { return *m_nameSheet; }
    Ui::Print_Wnd* ui;

    // The print job, started by Preview (true) and Print (false).
    std::function<void(bool preview)> executePrinting;
    // When set, jobs print into this PDF file instead of on the printer, through the same pages.
    QString printToFile;

    // Resets the window for the design and lists the profiles, the first one loaded.
    void prepare(const PrintDesign& design, OutputRangeBlock::RecordCounter counter);
    // prepare, then the window modally; 1 for OK, 0 for Cancel or close.
    int Open_Print_Wnd(const PrintDesign& design, OutputRangeBlock::RecordCounter counter);

    // The sheet preview in the preview area.
    Sample_Preview* previewWidget() const { return m_preview; }
    // The printer and paper chosen here, on a printer a job is about to use.
    void setUpPrinter(QPrinter& printer) const;
    // What the last job sent, in the status line beside the buttons.
    void showStatus(const QString& text);

public Q_SLOTS:
    void Refresh_Preview();
    void PreviewButtonPressed();
    void PrintButtonPressed();
    void CancelButtonPressed();

protected:
    // The preview follows the room its scroll area has.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startJob(bool preview);
    void connectControls();
    void makeProfileList();
    void connectProfiles();
    void showFields();
    void showProfiles();
    void showAlignment();
    // Runs a logic step, then shows its results.
    void act(const std::function<void()>& step);

    std::unique_ptr<PrintProfileList> m_profiles;
    Add_Print_Profile* m_nameSheet = nullptr;
    Sample_Preview* m_preview = nullptr;
    bool m_showing = false;
};

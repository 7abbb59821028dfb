#include "views/series/BatchWizardView.h"

#include "ui_BatchWizardView.h"
#include "views/dialogs/SharedDialogs.h"

BatchWizardView::BatchWizardView(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::BatchWizardView>())
{
    m_ui->setupUi(this);
    applySharedDialogBackground(*this);
}

BatchWizardView::~BatchWizardView() = default;

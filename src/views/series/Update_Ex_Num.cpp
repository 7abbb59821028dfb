#include "views/series/Update_Ex_Num.h"

#include <QPushButton>

#include "platform/DialogPresenter.h"
#include "platform/MessageBoxes.h"
#include "platform/StringHelpers.h"
#include "ui_Update_Ex_Num.h"
#include "views/dialogs/SharedDialogs.h"

Update_Ex_Num::Update_Ex_Num(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::Update_Ex_Num>())
{
    m_ui->setupUi(this);
    applySharedDialogBackground(*this);
    connect(m_ui->buttons->button(QDialogButtonBox::Ok), &QPushButton::clicked, this, &Update_Ex_Num::OKPressed);
    connect(m_ui->buttons->button(QDialogButtonBox::Cancel), &QPushButton::clicked, this, &Update_Ex_Num::CancelPressed);
}

Update_Ex_Num::~Update_Ex_Num() = default;

int Update_Ex_Num::Open_Wnd(int row, const QString& value)
{
    m_edited = QString();
    m_ui->m_ex_num_index->setText(QString::number(row + 1));
    m_ui->m_s_number->setText(value);
    m_ui->m_ex_num_str->setText(value);
    m_ui->m_ex_num_str->selectAll();
    m_ui->m_ex_num_str->setFocus();
    return dialogPresenter().runModal(*this);
}

void Update_Ex_Num::OKPressed()
{
    const QString typed = m_ui->m_ex_num_str->text();
    if (typed == m_ui->m_s_number->text()) {
        done(1);
        return;
    }
    const QString trimmed = Trim_Str(typed);
    if (trimmed.isEmpty()) {
        Show_MessageBox(kEnterValidValueMessage);
        m_ui->m_ex_num_str->setFocus();
        return;
    }
    m_edited = trimmed;
    done(1);
}

void Update_Ex_Num::CancelPressed()
{
    m_edited = QString();
    done(0);
}

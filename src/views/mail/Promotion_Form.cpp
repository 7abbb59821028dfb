#include "views/mail/Promotion_Form.h"

#include "platform/DialogPresenter.h"
#include "ui_Promotion_Form.h"
#include "views/dialogs/SharedDialogs.h"
#include "views/mail/ProductLinks.h"

Promotion_Form::Promotion_Form(QWidget* parent) : QDialog(parent), ui(new Ui::Promotion_Form)
{
    ui->setupUi(this);
    applySharedDialogBackground(*this);
    connect(ui->visit_button, &QPushButton::clicked, this, &Promotion_Form::Visit_Button);
    connect(ui->close_button, &QPushButton::clicked, this, &Promotion_Form::Close_Button);
}

Promotion_Form::~Promotion_Form()
{
    delete ui;
}

Promotion_Form& Promotion_Form::defaultInstance()
{
    return sharedDialogInstance<Promotion_Form>();
}

void Promotion_Form::Open_Promotion_Window()
{
    const ProductLinks::Product& product = ProductLinks::productOf(software_type);
    setWindowTitle(product.name);
    ui->product_name->setText(product.name);
    ui->product_text->setText(product.description);
    ui->product_page->setText(product.page.toString());
    dialogPresenter().runModal(*this);
}

void Promotion_Form::Visit_Button()
{
    ProductLinks::open(ProductLinks::productOf(software_type).page);
    accept();
}

void Promotion_Form::Close_Button()
{
    reject();
}

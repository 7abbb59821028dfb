#include "views/inspector/InspectorView.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "views/inspector/CardNumberFields.h"
#include "views/inspector/CardSizeLists.h"
#include "views/inspector/ComboSelection.h"
#include "ui_CardBackgroundPage.h"
#include "ui_CardBorderPage.h"
#include "ui_CardInfoPage.h"
#include "ui_CardSizePage.h"

namespace {

// Pages whose panels come with the element editing; each stands in the tab view by this label
// until the dispatch relabels it.
struct ElementPage {
    const char* name;
    const char* label;
};
constexpr ElementPage kElementPages[] = {
    {"line_tab", "Line"},          {"shape_tab", "General"},     {"text_edtng_tab", "Text"},
    {"text_prop_tab", "Style"},    {"image_tab", "Picture"},     {"sign_tab", "Signature"},
    {"datasource_tab", "Source"},  {"aligmnt_tab", "Arrange"},   {"barcode_tab", "Barcode"},
    {"Lock_tab", "Locked"},
};

constexpr const char* kCardPages[] = {"card_info_tab", "card_size_tab", "card_bkgd_tab", "card_brdr_tab"};

template <typename Ui>
std::unique_ptr<Ui> setUpPage(QWidget& page)
{
    auto ui = std::make_unique<Ui>();
    ui->setupUi(&page);
    return ui;
}

}  // namespace

InspectorView::InspectorView(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Right_Prop_Box"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("properties_title"));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_title->setContentsMargins(6, 4, 6, 2);
    column->addWidget(m_title);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("sett_tab"));
    m_tabs->setMinimumWidth(340);
    column->addWidget(m_tabs);
    m_kind = new QLineEdit(this);
    m_kind->setObjectName(QStringLiteral("sel_control_name"));
    m_kind->hide();

    addPage(QStringLiteral("card_setting_tab"), QStringLiteral("Settings"));
    m_cardInfo = setUpPage<Ui::CardInfoPage>(*addPage(QStringLiteral("card_info_tab"), QStringLiteral("Card")));
    m_cardSize = setUpPage<Ui::CardSizePage>(*addPage(QStringLiteral("card_size_tab"), QStringLiteral("Size")));
    fillComboQuietly(*m_cardSize->Preset_ComboBox, cardOrientations(), 0);
    fillComboQuietly(*m_cardSize->Category_ComboBox, cardCategories(), 0);
    m_cardBackground =
        setUpPage<Ui::CardBackgroundPage>(*addPage(QStringLiteral("card_bkgd_tab"), QStringLiteral("Background")));
    m_cardBorder = setUpPage<Ui::CardBorderPage>(*addPage(QStringLiteral("card_brdr_tab"), QStringLiteral("Border")));
    boundCardNumberFields(*m_cardBackground, *m_cardBorder);
    for (const ElementPage& element : kElementPages)
        addPage(QString::fromLatin1(element.name), QString::fromLatin1(element.label));
    // The card side shows until something is selected.
    m_title->setText(tr("Card Properties"));
    for (const char* name : kCardPages)
        m_tabs->addTab(page(QString::fromLatin1(name)), page(QString::fromLatin1(name))->windowTitle());
    auto* lockNote = new QLabel(tr("This element is locked. Unlock it to change it."), page(QStringLiteral("Lock_tab")));
    lockNote->setWordWrap(true);
    (new QVBoxLayout(page(QStringLiteral("Lock_tab"))))->addWidget(lockNote, 0, Qt::AlignTop);
}

InspectorView::~InspectorView() = default;

bool InspectorView::showPage(const QString& name)
{
    QWidget* shown = page(name);
    if (shown == nullptr || m_tabs->indexOf(shown) < 0)
        return false;
    m_tabs->setCurrentWidget(shown);
    return true;
}

bool InspectorView::isCardPage(const QWidget* page)
{
    if (page == nullptr)
        return false;
    for (const char* name : kCardPages) {
        if (page->objectName() == QLatin1String(name))
            return true;
    }
    return false;
}

QWidget* InspectorView::addPage(const QString& name, const QString& label)
{
    // Pages out of the tab view stay children of the view, hidden.
    auto* page = new QWidget(this);
    page->setObjectName(name);
    page->setWindowTitle(label);
    page->hide();
    m_pages.append(page);
    m_pageByName.insert(name, page);
    return page;
}

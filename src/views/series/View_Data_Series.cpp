#include "views/series/View_Data_Series.h"

#include <QHeaderView>
#include <QPushButton>

#include "data/SeriesStore.h"
#include "platform/DialogPresenter.h"
#include "platform/Log.h"
#include "platform/MessageBoxes.h"
#include "platform/StringHelpers.h"
#include "ui_View_Data_Series.h"
#include "views/dialogs/PleaseWait_Modeless.h"
#include "views/dialogs/SharedDialogs.h"
#include "views/series/CompactTable.h"
#include "views/series/SeriesValueModel.h"

View_Data_Series::View_Data_Series(QWidget* parent)
    : m_window(std::make_unique<QDialog>(parent)), m_ui(std::make_unique<Ui::View_Data_Series>()),
      m_values(new SeriesValueModel(QStringLiteral("Extension"), QStringLiteral("Value"), m_window.get()))
{
    m_ui->setupUi(m_window.get());
    applySharedDialogBackground(*m_window);
    m_ui->List->setModel(m_values);
    m_ui->List->horizontalHeader()->setStretchLastSection(true);
    setCompactRows(*m_ui->List);
    QObject::connect(m_ui->OK_Btn, &QPushButton::clicked, m_window.get(), [this] { OK_Btn_Clicked(); });
}

View_Data_Series::~View_Data_Series() = default;

View_Data_Series& View_Data_Series::defaultInstance()
{
    return sharedDialogInstance<View_Data_Series>();
}

void View_Data_Series::Open_Wnd()
{
    m_ui->series_name->setText(file_name);
    Load_file_Func(file_name);
    dialogPresenter().runModal(*m_window);
    m_window->hide();
}

void View_Data_Series::Load_file_Func(const QString& name)
{
    const PleaseWaitSheet reading;
    m_values->clear();
    const SeriesStore::Values read = SeriesStore().read(name);
    if (!read.readable())
        Show_NSLog_Message(read.failure);
    for (const QString& value : read.values)
        Create_Avail_List(value);
    Update_batch_List_Count();
}

void View_Data_Series::Create_Avail_List(const QString& value)
{
    const QString trimmed = Trim_Str(value);
    if (!trimmed.isEmpty())
        m_values->append(trimmed);
}

void View_Data_Series::Update_batch_List_Count()
{
    m_ui->list_count->setText(QStringLiteral("Total Rows : %1").arg(m_values->count()));
}

void View_Data_Series::OK_Btn_Clicked() { m_window->done(1); }

void Open_Series_Viewer(const QString& name)
{
    View_Data_Series& viewer = View_Data_Series::defaultInstance();
    viewer.file_name = name;
    viewer.Open_Wnd();
}

void Open_Chosen_Series_Viewer(const QString& chosen)
{
    const QString name = Trim_Str(chosen);
    if (name.isEmpty() || name == QLatin1String("<--Select-->"))
        Show_MessageBox(kSelectSeriesMessage);
    else
        Open_Series_Viewer(name);
}

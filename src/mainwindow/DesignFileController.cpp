#include "mainwindow/DesignFileController.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>

#include "platform/FileHelpers.h"
#include "barcodes/BarcodeFactory.h"
#include "platform/Log.h"
#include "platform/MessageBoxes.h"
#include "platform/StringHelpers.h"
#include "model/CardBackgroundPicture.h"
#include "model/Card_Property.h"
#include "model/PictureFile.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/MainWindowUtilities.h"
#include "platform/BackgroundRelease.h"

int load_log_ret_value = 0;
int Load_log_flag = 0;
QString curr_msg_count_str;

namespace {

// Inspector handlers stand still and the document records no undo while a design is filled in;
// both come back however the load ends.
class LoadingGuards {
public:
    explicit LoadingGuards(SKTDocument& document) : m_document(document)
    {
        m_document.Enable_Disable_Undo_Registraion(false);
    }
    ~LoadingGuards()
    {
        m_document.Enable_Disable_Undo_Registraion(true);
    }
    LoadingGuards(const LoadingGuards&) = delete;
    LoadingGuards& operator=(const LoadingGuards&) = delete;

private:
    SKTDocument& m_document;
    NotDrawOnlyPropChangeGuard m_changeGuard;
};

void clearDataBinding(SKTGraphic& element)
{
    element.Set_Data_source_type(0);
    element.Set_Excel_binding(false);
    element.Set_Excel_binding_Index(-1);
    element.Set_Batch_List_Index(-1);
    element.Set_Batch_List_Name(QStringLiteral(""));
}

void prepareSideForSaving(Card_Property& side, const QString& cardSide)
{
    side.setCard_Side(cardSide);
    if (side.Card_fill_style() != QLatin1String("I"))
        side.setCard_BG_Image_Path(QString());
}

void loadBackgroundPicture(Card_Property& side)
{
    if (side.Card_fill_chk() && side.Card_fill_style() == QLatin1String("I"))
        side.setCard_BG_Image(Read_Card_Background_Picture(side.Card_BG_Image_Path()));
}

}  // namespace

DesignFileController::DesignFileController(SKTDocument& document, Card_Property& front, Card_Property& back,
                                           DesignFileWindow& window)
    : m_document(document), m_front(front), m_back(back), m_window(window)
{
}

Data_From_Excel& DesignFileController::table() const
{
    return Loaded_Data_Table();
}

int Sides_Index_Of_Card_Side_Str()
{
    return CARD_SIDE_STR == QLatin1String("1") ? 1 : 0;
}

void WindowlessDesignFile::Set_Card_Sides(int index)
{
    if (index == 0) {
        CARD_SIDE_STR = QStringLiteral("2");
        return;
    }
    Card_Front_Or_Back = 0;
    CARD_SIDE_STR = QStringLiteral("1");
}

void DesignFileController::New_Project_Setting_Reset(bool full)
{
    m_window.New_Project_Setting_Reset(full, [this, full] { resetDesign(full); });
}

void DesignFileController::resetDesign(bool full)
{
    m_document.replaceGraphicsOnSide(SKTDocument::FrontSide, {});
    m_document.replaceGraphicsOnSide(SKTDocument::BackSide, {});
    dynamic_ctrl_list_front.clear();
    dynamic_ctrl_list_back.clear();
    excel_cb_value = unboundGroupColumns();
    Project_File_Name.clear();
    Library_Selected_Image.clear();
    Invite_Frame_IMG.clear();
    Invite_Frame_Pic_IMG.clear();
    m_front = Card_Property();
    m_back = Card_Property();
    if (full)
        Excel_Binding_Use = false;
    Card_Front_Or_Back = 0;
}

// ---- Saving -----------------------------------------------------------------------------------

DesignState DesignFileController::Prepare_Design_State(bool templateForm)
{
    const QString cardSide = m_window.Sides_ComboBox_Index() == 0 ? QStringLiteral("2") : QStringLiteral("1");
    prepareSideForSaving(m_front, cardSide);
    prepareSideForSaving(m_back, cardSide);

    DesignState state;
    state.startMode = templateForm ? QStringLiteral("T") : Start_Card_Option;
    state.front = m_front;
    state.back = m_back;
    state.excelBindingUse = Excel_Binding_Use;
    state.excelSourcePath = Excel_Source_Path;
    if (!templateForm) {
        state.columnTitles = table().ColList.titles();
        state.rows = table().ListData;
    }
    state.groupColumns = excel_cb_value;
    state.frontElements = m_document.graphics();
    state.backElements = m_document.graphics_back();
    if (templateForm) {
        for (const GraphicList* side : {&state.frontElements, &state.backElements}) {
            for (const GraphicPtr& element : *side)
                clearDataBinding(*element);
        }
    }
    return state;
}

bool DesignFileController::Save_project_file(const QString& path, bool show_msg, const QString& log_or_template)
{
    const QString name = Trim_Str(path);
    if (Start_Card_Option == QLatin1String("G"))
        m_window.Save_Group_Mode_List_Details_In_XL_Data_List();
    QString error;
    const bool written = !name.isEmpty()
        && writeDesignFile(name, Prepare_Design_State(log_or_template == QLatin1String("T")), &error);
    if (!written)
        Show_NSLog_Message(QStringLiteral("The design was not saved to \"%1\": %2").arg(name, error));
    // Only a save of the project itself: a template export or the copy of a design onto the other
    // side writes elsewhere and must not touch the project's workbook.
    else if (Start_Card_Option == QLatin1String("G") && log_or_template != QLatin1String("T")
             && name == Trim_Str(Project_File_Name))
        m_window.Group_Project_Saved();
    if (show_msg) {
        Show_MessageBox(written ? kDesignSavedMessage : kDesignNotSavedMessage);
        if (!written)
            Project_File_Name.clear();
        m_window.Set_Log_Name_In_Title();
    }
    return written;
}

// ---- Loading ----------------------------------------------------------------------------------

int DesignFileController::Read_and_load_design_Log_NEW_METHOD(const QString& path, const QString& log_or_template,
                                                               bool read_xl)
{
    curr_msg_count_str = QStringLiteral("Loading card properties");
    DesignFileError error;
    LoadedPicturePreviews previews;
    std::optional<DesignState> state = readDesignFile(path, &error, [&previews](const GraphicList& elements) {
        previews.start(elements);
    });
    if (!state) {
        // A design file that goes wrong further on names the item and the reason.
        const QString detail = QStringLiteral("%1 - \n%2").arg(error.itemIndex).arg(error.reason);
        Show_NSLog_Message(detail);
        Show_MessageBox(error.notADesignFile ? kCorruptDesignFileMessage : detail);
        return 0;
    }
    Load_Read_Design(std::move(*state), path, log_or_template, read_xl, previews);
    return 1;
}

void DesignFileController::Load_Design_State(DesignState state, const QString& path, const QString& log_or_template,
                                             bool read_xl)
{
    LoadedPicturePreviews previews;
    Load_Read_Design(std::move(state), path, log_or_template, read_xl, previews);
}

void DesignFileController::Load_Read_Design(DesignState state, const QString& path, const QString& log_or_template,
                                            bool read_xl, LoadedPicturePreviews& previews)
{
    const bool designFile = log_or_template == QLatin1String("L");
    const LoadingGuards guards(m_document);
    New_Project_Setting_Reset(designFile);
    Project_File_Name = designFile ? path : QString();

    curr_msg_count_str = QStringLiteral("Loading card settings");
    m_front = state.front;
    m_front.setCard_BG_Image_Path(Check_Path_For_App_Resources(m_front.Card_BG_Image_Path()));
    Apply_Card_Side(m_front.Card_Side());
    m_back = state.back;
    m_back.setCard_BG_Image_Path(Check_Path_For_App_Resources(m_back.Card_BG_Image_Path()));

    curr_msg_count_str = QStringLiteral("Loading data settings");
    if (read_xl) {
        Excel_Binding_Use = state.excelBindingUse;
        Excel_Source_Path = state.excelSourcePath;
        Restore_Table(state);
    }
    excel_cb_value = state.groupColumns;

    curr_msg_count_str = QStringLiteral("Loading design controls");
    Prepare_Loaded_Elements(state.frontElements + state.backElements, previews);
    m_document.replaceGraphicsOnSide(SKTDocument::FrontSide, state.frontElements);
    dynamic_ctrl_list_front = Dynamic_Controls_Of_Side(state.frontElements);
    curr_msg_count_str = QStringLiteral("Loading control settings");
    m_document.replaceGraphicsOnSide(SKTDocument::BackSide, state.backElements);
    dynamic_ctrl_list_back = Dynamic_Controls_Of_Side(state.backElements);

    Start_Card_Option = Mode_After_Load(state.startMode, log_or_template, read_xl);
    if (designFile)
        m_window.Set_Log_Name_In_Title();
    loadBackgroundPicture(m_back);
    loadBackgroundPicture(m_front);
    m_window.Show_Loaded_Design();
}

void DesignFileController::Apply_Card_Side(const QString& cardSide)
{
    m_window.Set_Card_Sides(cardSide == QLatin1String("1") ? 1 : 0);
}

void DesignFileController::Restore_Table(DesignState& state)
{
    Data_From_Excel& data = table();
    if (!state.columnTitles.isEmpty()) {
        Delete_Excel_File_Column();
        for (int i = 1; i < state.columnTitles.size(); ++i) {
            const QString& title = state.columnTitles.at(i);
            data.ColList.addColumn(Column_Key_For_Index(i), title.isEmpty() ? Untitled_Column_Title(i + 1) : title);
        }
    }
    // Freeing the rows of the design being replaced is left to a pool thread.
    Release_In_Background(std::exchange(data.ListData, std::move(state.rows)));
    Excel_table_rows = data.rowCount();
}

void DesignFileController::Delete_Excel_File_Column()
{
    table().ColList.removeDataColumns();
}

// Pictures come from their files again (their previews started here unless the reading started
// them), and a barcode without a stored picture gets a new one.
void DesignFileController::Prepare_Loaded_Elements(const GraphicList& elements, LoadedPicturePreviews& previews)
{
    if (!previews.started())
        previews.start(elements);
    for (const GraphicPtr& element : elements) {
        if (element->kind() == GraphicKind::Barcode && element->_barcode_image.isNull())
            Make_Missing_Barcode_Picture(*element);
    }
    previews.give();
}

void DesignFileController::Make_Missing_Barcode_Picture(SKTGraphic& element)
{
    QString value;
    if (element.data_source_type == 1)
        value = Trim_Str(Get_First_Value_Of_Dataset(element.batch_list_name));
    else if (element.data_source_type == 2)
        value = Trim_Str(Get_First_Value_Of_Excel_Binding(element.excel_col_indx).value_or(QString()));
    const BarcodeSettings& settings = element.barcode;
    if (element.data_source_type == 0 || value.isEmpty())
        value = Trim_Str(settings.linear_or_2d == 0 ? settings.linear_font_val : settings.two_d_font_val);
    BarcodeFactory& factory = barcodeFactory();
    factory.Set_Barcode_Prop_To_Control(element);
    Barcode_output_image = factory.Get_Image_From_Val(value, settings.header_val, settings.footer_val);
    element.Set_Barcode_image(Barcode_output_image);
}

// A template leaves the mode to its caller. An opened design file puts the run in mode "L",
// except that a visitor or group design keeps its mode, so that the panels' set-up and the group
// reload that follow the load run.
QString DesignFileController::Mode_After_Load(const QString& fileMode, const QString& log_or_template, bool) const
{
    if (log_or_template != QLatin1String("L"))
        return Start_Card_Option;
    for (const QLatin1String live : {QLatin1String("G"), QLatin1String("V")}) {
        if (fileMode == live)
            return live;
    }
    return QStringLiteral("L");
}

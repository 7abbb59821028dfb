#pragma once
// The card side pages of the inspector: filling them from the side's Card_Property, the fill
// kinds' radio states and enabling, and the one writer that copies the pages back into the
// side's record (and the fields both sides share into both records), with the handlers of the
// pages' controls.
#include <QColor>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

#include "model/CardFont.h"
#include "views/browser/ImageBrowserModel.h"
#include "views/inspector/FillKindRadios.h"

class InspectorView;
class InspectorWindow;
struct Card_Wizard_Fields;

class CardPanel : public QObject {
    Q_OBJECT
public:
    CardPanel(InspectorView& view, InspectorWindow& window, QObject* parent = nullptr);

    // Filled by the dispatch: shows the card pages of the side being edited afresh.
    void setCardPagesReload(std::function<void()> reload) { m_reload = std::move(reload); }
    void reloadCardPages() const
    {
        if (m_reload)
            m_reload();
    }
    // Filled by the size page: applies the size fields to the card (Apply_Size_Clicked).
    void setApplySize(std::function<void()> apply) { m_applySize = std::move(apply); }
    // The hatch pictures' names, in the order of both hatch lists.
    void setHatchStyles(const QStringList& names);

    // The window's set-up: the lists' first choices, a border 3 points wide, a solid fill and the
    // hatch pictures' names.
    void setUpControls(const QStringList& hatchNames);
    // A new project's content text: the default font, black, nothing kept from before.
    void resetForNewProject();
    // The new-card wizard's choices into the pages (under the caller's change guard): name,
    // border, fill kind with its colours and opacity, picture path, outline.
    void showCardWizardChoices(const Card_Wizard_Fields& wizard);
    // A two-sided card (0) or the front only (any other): CARD_SIDE_STR and the back's commands;
    // editing goes back to the front when the back disappears.
    void applySides(int index);
    // The sides choice shown at that index, applied.
    void showSides(int index);
    // The colour new texts take: the content colour well's.
    QColor All_Text_clr() const;

    // The four pages from the side's record, in the caller's change guard. Writes back only the
    // record's location and size (the front canvas's) and the card outline Card_Shape.
    void loadCardPages(int side);
    // The fill kind's radio (G, H, I, anything else solid) and the controls that belong to it.
    void card_prop_set(const QString& style);
    // YES hides the opacity label and stepper of the card background.
    void Show_Hide_Card_Transp_Ctrl(bool hide);

    // The pages into the side's record, the shared fields into both, then a redisplay. Nothing
    // while the controls are being filled by code. Card settings take no undo snapshot.
    void Update_Card_Graphics();
    // The writer for one side (0 front, 1 back), whichever side is being edited.
    void writeCardSide(int side);
    void Set_Card_Comman_Properties();
    // The content colour and font onto every unlocked text of the side, then the writer.
    void Update_All_Card_Content();

    // A picture file as the side's background: fill on, kind "I", the path and the picture;
    // then the card pages are shown afresh. An empty path only clears the path field. A file
    // that gives no picture is refused with a message and the side keeps its background; false
    // then.
    bool set_Front_BG_Image(const QString& path);
    bool set_Back_BG_Image(const QString& path);
    // The same for the side (0 front, 1 back).
    bool setBackgroundPicture(int side, const QString& path);

    // Control handlers.
    void Card_Border_ChkBox();
    void Card_Fill_Chk_Box();
    void Card_Solid_RD_Sel();
    void Card_Gradient_RD_Sel();
    void Card_Hatch_RD_Sel();
    void Card_Image_RD_Sel();
    void Enable_Watermark_Clicked();
    void WM_transp_slider_changed();
    void Card_Image_Browse_Btn();
    void Card_Image_Library_Btn();
    void Content_Font_Clicked();
    // The content colour or font the user chose, onto the side's texts as one undo step.
    void Restyle_All_Texts();
    void WM_Text_Font_Changed();
    void card_shape_CellClick();

    // The stock backgrounds under the background page; a click puts one on the front side.
    ImageBrowserModel& imageBrowser() { return m_backgrounds; }

    // The kept fonts and colour the font panel and the content command work with.
    CardFont All_Text_font;
    CardFont All_Text_font_COPY;
    QColor All_Text_clr_COPY;
    CardFont WM_Text_font;

private:
    void connectControls();
    void enableFillControls(const QString& style);
    void selectBackgroundPage();
    FillKindRadios fillRadios() const;

    InspectorView& m_view;
    InspectorWindow& m_window;
    std::function<void()> m_reload;
    std::function<void()> m_applySize;
    ImageBrowserModel m_backgrounds;
};

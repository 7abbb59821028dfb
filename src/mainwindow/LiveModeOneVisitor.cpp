#include <QLineEdit>
#include <optional>

#include "mainwindow/ControllerCanvasHost.h"
#include "mainwindow/LiveModePanels.h"
#include "mainwindow/MainWindowGlobals.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/SnapshotUndo.h"
#include "model/SKTImage.h"
#include "platform/AppContext.h"
#include "views/canvas/SKTGraphicView.h"
#include "views/visitors/Profile_Side_Panel.h"

// Visitor mode: both sides of a pass are one visitor. A field the back shares with the front by
// its identifier (the profile's texts and the photo) shows one value on both cards and in both
// panels, whichever panel it was typed into and whichever window gave it; the pass's front leads
// wherever the sides were changed apart (an Undo, a Redo, a design opened or copied).

namespace {

bool visitorMode()
{
    return Start_Card_Option == QLatin1String("V");
}

GraphicPtr elementOfKind(const SKTGraphicView& canvas, const QString& ctrlId, GraphicKind kind)
{
    for (const GraphicPtr& element : canvas.graphics()) {
        if (element && element->kind() == kind && element->control_ID.trimmed() == ctrlId)
            return element;
    }
    return nullptr;
}

bool showsPictureOf(const SKTGraphic& shown, const SKTGraphic& source)
{
    return shown._file_path == source._file_path && shown.Text_Value == source.Text_Value;
}

}  // namespace

QStringList LiveModePanels::visitorFieldIds()
{
    return boundFieldIds();
}

void LiveModePanels::otherSideTakesTyping(int side, const QString& ctrlId, const QString& text)
{
    if (!visitorMode() || !textFieldIds().contains(ctrlId))
        return;
    // Typed on either side, it is the visitor's: Undo on either side asks before taking it back.
    const int other = 1 - side;
    if (!holdsVisitorField(other, ctrlId))
        return;
    m_typed[other].insert(ctrlId, text);
    showVisitorValues(other, {{ctrlId, text}}, true);
}

void LiveModePanels::otherSideTakesValue(int side, const QString& ctrlId, const QString& value)
{
    if (visitorMode() && textFieldIds().contains(ctrlId))
        showVisitorValues(1 - side, {{ctrlId, value}}, true);
}

bool LiveModePanels::holdsVisitorField(int side, const QString& ctrlId) const
{
    return elementOfKind(view(side), ctrlId, GraphicKind::Text) || elementOfKind(view(side), ctrlId, GraphicKind::Barcode);
}

void LiveModePanels::showVisitorValues(int side, const QMap<QString, QString>& values, bool symbolsAlways)
{
    Profile_Side_Panel& shown = panel(side);
    const SKTGraphicView& canvas = view(side);
    bool cardDiffers = false;
    for (auto value = values.cbegin(); value != values.cend(); ++value) {
        // A field the side's card does not show is none of its panel's: the pass is the front,
        // and it registers only what it shows.
        if (!holdsVisitorField(side, value.key()))
            continue;
        if (QLineEdit* box = shown.textBox(value.key()); box && box->text() != value.value())
            box->setText(value.value());
        const GraphicPtr text = elementOfKind(canvas, value.key(), GraphicKind::Text);
        cardDiffers = cardDiffers || (text && text->Text_Value != value.value());
        for (const GraphicPtr& element : canvas.graphics()) {
            if (element && element->kind() == GraphicKind::Barcode && element->control_ID.trimmed() == value.key()
                && element->barcode.shownValue() != value.value().trimmed())
                cardDiffers = true;
        }
    }
    if (!cardDiffers)
        return;
    // The visitor's values are no edit of the side: its history goes on from the side as shown.
    m_controller.canvasHostOfWindow().snapshotUndo().showRecordWithoutEdit(side, [&] {
        for (auto value = values.cbegin(); value != values.cend(); ++value) {
            if (!holdsVisitorField(side, value.key()))
                continue;
            // A field emptied on a text empties its symbols; a field no text shows leaves its
            // symbols the value they were drawn with.
            if (symbolsAlways || !value.value().trimmed().isEmpty() || showsAsText(0, value.key())
                || showsAsText(1, value.key()))
                showOnBarcodes(side, value.key(), value.value());
            showOnCard(side, value.key(), value.value());
        }
    });
}

std::optional<QString> LiveModePanels::visitorValueOnCard(int side, const QString& ctrlId) const
{
    const GraphicPtr text = elementOfKind(view(side), ctrlId, GraphicKind::Text);
    return text ? std::optional<QString>(text->Text_Value) : std::nullopt;
}

void LiveModePanels::sidesShowOneVisitor(int leader, const QStringList& fields)
{
    if (!visitorMode())
        return;
    const int other = 1 - leader;
    QMap<QString, QString> values;
    for (const QString& id : fields) {
        if (id == kPhotoFieldId) {
            photoFollows(leader);
            continue;
        }
        // What the leading side's card shows, else the other's; a field no text shows keeps
        // what each side's symbols were drawn with.
        std::optional<QString> value = visitorValueOnCard(leader, id);
        if (!value)
            value = visitorValueOnCard(other, id);
        if (value)
            values.insert(id, *value);
    }
    if (values.isEmpty())
        return;
    showVisitorValues(leader, values, false);
    showVisitorValues(other, values, false);
}

void LiveModePanels::photoFollows(int leader)
{
    if (!visitorMode())
        return;
    int source = leader;
    GraphicPtr from = elementOfKind(view(source), kPhotoFieldId, GraphicKind::Image);
    if (!from) {
        source = 1 - leader;
        from = elementOfKind(view(source), kPhotoFieldId, GraphicKind::Image);
    }
    if (!from)
        return;
    const int target = 1 - source;
    const GraphicPtr to = elementOfKind(view(target), kPhotoFieldId, GraphicKind::Image);
    if (!to)
        return;
    if (!showsPictureOf(*to, *from)) {
        m_controller.canvasHostOfWindow().snapshotUndo().showRecordWithoutEdit(target, [&] {
            auto& picture = static_cast<SKTImage&>(*to);
            if (from->_file_path.isEmpty())
                picture.setFilePathUnread(QString());
            else
                picture.setFilePath(from->_file_path, false);
            picture.Set_text_value(from->Text_Value);
            view(target).update();
            m_controller.canvasHostOfWindow().designMayHaveChanged();
        });
    }
    const Profile_Side_Panel& led = panel(source);
    if (panel(target).photoPath() != led.photoPath())
        panel(target).Set_User_Image_Control(led.photoPath(), led.shownPhoto(), QString());
}

void LiveModePanels::sidesShowVisitorAfterRebuild(int side)
{
    // Typing the step took back on the side is the visitor's no more: what the side now shows
    // goes onto the other side too. Every other field shows what the pass's front shows.
    const QStringList dropped = std::exchange(m_typingDropped, {});
    QStringList rest = visitorFieldIds();
    for (const QString& id : dropped)
        rest.removeAll(id);
    sidesShowOneVisitor(side, dropped);
    sidesShowOneVisitor(0, rest);
}

// Steps of the live-card walk over the windows and commands beside the side panel: the profile
// window's Preview, the barcode window's kind and look, the picture page's adjustments, border and
// crop, group records added, deleted and viewed, a bound element deleted or cut and pasted, a
// photo file dropped, the visitor's date and time, the card's size, a logged visitor's pass
// printed again, and the set-ups the other steps need: a picture field and fields on the back.
#include <QItemSelectionModel>
#include <QTableWidget>

#include "LiveCardWalk.h"
#include "mainwindow/MainWindowUtilities.h"
#include "platform/CanvasGlobals.h"
#include "support/FileDrop.h"
#include "views/photos/Cropping_Tool.h"
#include "views/profiles/ProfileDialogWindow.h"
#include "views/photos/SelectionCanvasWidget.h"
#include "views/visitors/Visitor_Log_Records.h"
#include "photos/SelectionCanvasModel.h"

namespace livewalk {

void LiveCardWalk::expectPanelsKept()
{
    for (int side : sides()) {
        const Profile_Side_Panel& panel = controller.liveModes().panel(side);
        for (const QString& id : typableFields(panel))
            expectField(side, id, panel.textBox(id)->text());
    }
}

void LiveCardWalk::leavePreview()
{
    if (canvasSeen(shownSide()))
        return;
    action(QStringLiteral("Front_Side_btn")).trigger();
    done += QStringLiteral(" front shown,");
}

// The profile window's own Preview pressed just before its OK or Cancel: the preview draws the
// form, and neither the panel nor the card takes anything from it but what OK gives.
void LiveCardWalk::profilePreview()
{
    QWidget& window = controller.profileWindows().sideProfileWindow().window();
    bool previewed = false;
    QList<QMetaObject::Connection> pressed;
    for (const char* button : {"ok_btn", "cancel_btn"})
        pressed << QObject::connect(window.findChild<QPushButton*>(QLatin1String(button)), &QPushButton::pressed, &window,
                                    [&window, &previewed] {
                                        window.findChild<QPushButton*>(QStringLiteral("preview_btn"))->click();
                                        previewed = true;
                                    });
    // Cancel after Preview keeps every field as it was; OK gives what was typed.
    // Now and then with the Preview tab shown, which must show the side again, not the window's
    // preview, once the window is closed.
    if (twoSided() && chance(50) && action(QStringLiteral("Temp_Side_btn")).isEnabled()) {
        action(QStringLiteral("Temp_Side_btn")).trigger();
        done += QStringLiteral(" Preview tab shown,");
    }
    const qsizetype mark = expected.size();
    expectPanelsKept();
    const qsizetype kept = expected.size() - mark;
    cardHolderProfile();
    for (const QMetaObject::Connection& connection : pressed)
        QObject::disconnect(connection);
    done += previewed ? QStringLiteral(" after Preview") : QStringLiteral(" (no Preview)");
    // Typing over a group record dropped as the window opened ("No") leaves the stored record.
    const bool dropped = answers->asked.join(u' ').contains(QLatin1String("not saved")) && answers->asked.join(u' ').contains(QLatin1String("-> No"));
    if (!done.contains(QLatin1String(" Cancel")) || dropped)
        expected.remove(mark, kept);
}

// The barcode window's kind and its settings, then OK or Cancel; the value is left as it opens,
// so that the panel keeps the person's value whatever the symbol becomes.
void LiveCardWalk::barcodeKind()
{
    leavePreview();
    const int side = shownSide();
    const GraphicPtr symbol = symbolOnShownSide();
    if (!symbol)
        return;
    const bool ok = chance(75);
    bool opened = false;
    QString changed;
    expectPanelsKept();
    walk().queueHook([&](QDialog& window) {
        auto* kind = window.findChild<QComboBox*>(QStringLiteral("barcodeTypePopup"));
        if (!kind)
            return;
        opened = true;
        if (chance(70)) {
            kind->setCurrentIndex(int(random.bounded(quint32(kind->count()))));
            changed += QStringLiteral(" kind %1").arg(kind->currentText());
        }
        switch (random.bounded(4)) {
        case 0:
            for (const char* name : {"HeaderText", "FooterText"}) {
                auto* text = window.findChild<QLineEdit*>(QLatin1String(name));
                if (text && text->isEnabled() && chance(60)) {
                    text->selectAll();
                    QTest::keyClicks(text, aName());
                    changed += QStringLiteral(" %1 \"%2\"").arg(QLatin1String(name), text->text());
                }
            }
            break;
        case 1: {
            const char* well = pick(QList<const char*>{"barcode_clr", "bar_back_clr", "bar_val_clr", "bar_hdr_clr"});
            const QColor colour = QColor::fromHsv(int(random.bounded(360u)), 180, 100);
            ::pickColour(walk(), *window.findChild<ColorWell*>(QLatin1String(well)), colour);
            changed += QStringLiteral(" %1 %2").arg(QLatin1String(well), colour.name());
            break;
        }
        case 2: {
            auto* dpi = window.findChild<QComboBox*>(QStringLiteral("DPI_ComboBox"));
            chooseItem(*dpi, int(random.bounded(quint32(dpi->count()))));
            changed += QStringLiteral(" dpi %1").arg(dpi->currentText());
            break;
        }
        default:
            for (const char* box : {"captionCheckbox", "showinTopCheckbox", "hideHeaderCheckbox", "hideFooterCheckbox"}) {
                auto* check = window.findChild<QCheckBox*>(QLatin1String(box));
                if (check && check->isEnabled() && chance(30)) {
                    check->click();
                    changed += QStringLiteral(" %1 %2").arg(QLatin1String(box), check->isChecked() ? "on" : "off");
                }
            }
        }
        window.findChild<QDialogButtonBox*>()->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    });
    canvas_mouse::doubleClick(canvas(side), symbol->bounds().center());
    done += QStringLiteral(" %1%2 %3%4").arg(symbol->control_ID, changed, ok ? "OK" : "Cancel", opened ? "" : " (not opened)");
}

// The picture page's adjustments, border and Crop on a picture on the card.
void LiveCardWalk::pictureLook()
{
    leavePreview();
    const GraphicPtr picture = selectedOrClicked(GraphicKind::Image);
    if (!picture)
        return;
    inspector().showPage(QStringLiteral("image_tab"));
    const auto shown = [this](QWidget& control) { return control.isVisibleTo(controller.window()) && control.isEnabled(); };
    // The no-photo picture is not cropped: its crop is taken for no photo by its name.
    const bool crops = !samePhoto(picture->_file_path, {});
    switch (random.bounded(crops ? 5 : 3)) {
    case 0:
    case 1: {
        const char* name = pick(QList<const char*>{"Hue_slidr_val", "Sat_slidr_val", "Brt_slidr_val", "Con_slidr_val",
                                                   "shrp_slidr_val", "ev_slidr_val", "blr_slidr_val", "Rotate_slidr_val"});
        auto& field = control<QDoubleSpinBox>(name);
        if (shown(field)) {
            const double value = field.minimum() + (field.maximum() - field.minimum()) * random.bounded(1.0);
            field.setFocus();
            typeAndEnter(field, QString::number(std::round(value)));
        }
        done += QStringLiteral(" %1 %2").arg(QLatin1String(name)).arg(field.value());
        break;
    }
    case 2: {
        auto& border = control<QCheckBox>("Image_border_chk");
        if (shown(border) && (chance(40) || !border.isChecked()))
            border.click();
        done += QStringLiteral(" border %1").arg(border.isChecked() ? "on" : "off");
        if (!border.isChecked())
            break;
        if (auto& width = control<QSpinBox>("Image_bor_Stepper"); shown(width)) {
            width.setFocus();
            typeAndEnter(width, QString::number(1 + random.bounded(6)));
            done += QStringLiteral(" width %1").arg(width.value());
        }
        if (auto& style = control<QComboBox>("Image_border_style"); shown(style) && chance(50)) {
            choose("Image_border_style", int(random.bounded(quint32(style.count()))));
            done += QStringLiteral(" style %1").arg(style.currentIndex());
        }
        if (auto& well = control<ColorWell>("Image_bordr_clr"); shown(well) && chance(50)) {
            const QColor colour = QColor::fromHsv(int(random.bounded(360u)), 200, 150);
            ::pickColour(walk(), well, colour);
            done += QStringLiteral(" colour %1").arg(colour.name());
        }
        break;
    }
    default: {
        // Crop with the real cropping tool: a frame inside the picture, cropped at once.
        auto& crop = control<QPushButton>("Cropping_Selected_Image_btn");
        if (!shown(crop)) {
            done += QStringLiteral(" crop (not shown)");
            break;
        }
        const QString folderBefore = Cropped_Img_Path;
        Cropped_Img_Path = scratch.filePath(QStringLiteral("Cropped_Images"));
        QDir().mkpath(Cropped_Img_Path);
        Cropping_Tool tool{{QStringList{QStringLiteral("png")}, &Image_Is_Over_Size, nullptr}};
        setPhotoWindows(camera, nullptr, &tool);
        bool opened = false;
        walk().queueHook([&](QDialog&) {
            opened = true;
            tool.canvas().model().addSelectorWithFrame(QRectF(4, 4, 30, 40));
            tool.findChild<QPushButton*>(QStringLiteral("Crop_direct_Btn"))->click();
        });
        crop.click();
        setPhotoWindows(camera, nullptr, nullptr);
        Cropped_Img_Path = folderBefore;
        done += opened ? QStringLiteral(" crop") : QStringLiteral(" crop (no tool)");
    }
    }
}

// ---- Group records ---------------------------------------------------------------------------------

void LiveCardWalk::addRecord()
{
    const int before = Loaded_Data_Table().rowCount();
    shownPanel().findChild<QPushButton*>(QStringLiteral("add_record_btn"))->click();
    done += QStringLiteral(" %1 -> %2 records").arg(before).arg(Loaded_Data_Table().rowCount());
    // The new record is the panel's, shown and chosen in the list.
    if (Loaded_Data_Table().rowCount() == before + 1 && controller.liveModes().selectedRow() != before)
        stepDifference = QStringLiteral("the record added is number %1; the list chooses %2").arg(before + 1).arg(controller.liveModes().selectedRow() + 1);
}

void LiveCardWalk::deleteRecord()
{
    const int before = Loaded_Data_Table().rowCount();
    const int row = controller.liveModes().selectedRow();
    shownPanel().findChild<QPushButton*>(QStringLiteral("delete_record_btn"))->click();
    const int after = Loaded_Data_Table().rowCount();
    done += QStringLiteral(" record %1: %2 -> %3 records").arg(row + 1).arg(before).arg(after);
    if (after == before - 1 && controller.liveModes().selectedRow() != std::min(row, after - 1))
        stepDifference = QStringLiteral("after record %1 was deleted the list chooses %2").arg(row + 1).arg(controller.liveModes().selectedRow() + 1);
    if (controller.inspector().sizePanel().GroupList().model()->rowCount() != after)
        stepDifference = QStringLiteral("the list shows %1 records, the table holds %2")
                             .arg(controller.inspector().sizePanel().GroupList().model()->rowCount())
                             .arg(after);
}

// View Data shows the records the project holds; it only shows, so nothing changes.
void LiveCardWalk::viewData()
{
    QString counted = QStringLiteral("(not opened)");
    const bool ok = chance(60);
    walk().queueHook([&](QDialog& window) {
        counted = window.findChild<QLabel*>(QStringLiteral("rows_count"))->text();
        if (ok)
            window.findChild<QPushButton*>(QStringLiteral("OK_Btn"))->click();
    });
    expectPanelsKept();
    shownPanel().findChild<QPushButton*>(QStringLiteral("view_data_btn"))->click();
    done += QStringLiteral(" %1 rows, %2").arg(counted, ok ? "OK" : "closed");
    if (counted.toInt() != Loaded_Data_Table().rowCount())
        stepDifference = QStringLiteral("View Data counts %1 rows; the project holds %2").arg(counted).arg(Loaded_Data_Table().rowCount());
}

// ---- The card's elements -------------------------------------------------------------------------

// A bound element deleted (the Delete key or the Edit menu) or cut, then most often pasted back or
// its deletion undone.
void LiveCardWalk::cutAndPaste()
{
    leavePreview();
    const int side = shownSide();
    if (!canvasSeen(side)) {
        done += QStringLiteral(" (preview shown)");
        return;
    }
    GraphicList bound;
    for (const GraphicPtr& element : canvas(side).graphics())
        if (element->ctrl_is_visible && !element->control_ID.trimmed().isEmpty() && !element->Is_Control_Locked())
            bound << element;
    if (bound.isEmpty())
        return;
    const GraphicPtr element = pick(bound);
    clickOn(side, element);
    if (canvas(side).selectedGraphics() != GraphicList{element}) {
        done += QStringLiteral(" %1 (not selected)").arg(element->control_ID);
        return;
    }
    const bool cut = chance(50);
    const bool back = chance(75);
    if (cut) {
        action(QStringLiteral("Cut_btn")).trigger();
    } else if (chance(50)) {
        canvas(side).setFocus();
        QTest::keyClick(&canvas(side), Qt::Key_Delete);
    } else {
        action(QStringLiteral("Delete_btn")).trigger();
    }
    done += QStringLiteral(" %1 %2").arg(cut ? "cut" : "delete", element->control_ID);
    if (!back)
        return;
    QAction& again = action(cut ? QStringLiteral("Paste_btn") : QStringLiteral("Undo_btn"));
    if (again.isEnabled())
        again.trigger();
    done += QStringLiteral(", %1%2").arg(cut ? "paste" : "undo", again.isEnabled() ? "" : " (greyed)");
}

// A photo file dropped from the file manager on the panel's photo or on an added picture row; a
// picture row is added first when the panel has none.
void LiveCardWalk::dropPhoto()
{
    Profile_Side_Panel& panel = shownPanel();
    QStringList rows;
    for (const ProfilePanelRow& row : panel.view_array_label())
        if (panel.Get_Dynamic_Photo_Ctrl(row.controlId))
            rows << row.controlId;
    if (rows.isEmpty() && !panel.textBox(QStringLiteral("F_field3"))) {
        addField(panel, 1, QStringLiteral("Badge %1").arg(step));
        done += QStringLiteral(" picture field added,");
        for (const ProfilePanelRow& row : panel.view_array_label())
            if (panel.Get_Dynamic_Photo_Ctrl(row.controlId))
                rows << row.controlId;
    }
    const QString photo = colouredPicture(QStringLiteral("dropped%1.png").arg(random.bounded(5)));
    const bool onRow = !rows.isEmpty() && chance(60);
    QWidget* view = onRow ? panel.Get_Dynamic_Photo_Ctrl(pick(rows)) : panel.findChild<QLabel*>(QStringLiteral("photo_view"));
    dropFile(*view, photo);
    done += QStringLiteral(" %1 on %2").arg(QFileInfo(photo).fileName(), onRow ? view->objectName() : QStringLiteral("the photo"));
}

// ---- The visitor's date and time -------------------------------------------------------------------

// The date or time typed by hand (its box ticked first), or the tick taken off again.
void LiveCardWalk::dateAndTime()
{
    Profile_Side_Panel& front = controller.liveModes().panel(0);
    const bool date = chance(60);
    QCheckBox& manual = *(date ? front.date_manual_chk() : front.time_manual_chk());
    QLineEdit& box = *front.textBox(date ? QStringLiteral("Fup_Date") : QStringLiteral("Fup_Time"));
    if (!manual.isVisibleTo(controller.window()) || !manual.isEnabled()) {
        done += QStringLiteral(" (not shown)");
        return;
    }
    if (manual.isChecked() && chance(25)) {
        manual.click();
        done += QStringLiteral(" %1 by the clock").arg(date ? "date" : "time");
        return;
    }
    if (!manual.isChecked())
        manual.click();
    const QString typed = date ? pick(QStringList{"15/03/2025", "01-12-2024", "next Tuesday", QString()})
                               : pick(QStringList{"10:15 AM", "22:05", "noon", QString()});
    box.setFocus();
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClicks(&box, typed);
    done += QStringLiteral(" %1 \"%2\"").arg(date ? "date" : "time", typed);
    if (box.isEnabled() && !box.isReadOnly())
        expectField(0, date ? QStringLiteral("Fup_Date") : QStringLiteral("Fup_Time"), typed);
}

// ---- The card's size -------------------------------------------------------------------------------

// Another size of the size page's list (CR80, CR90, …), now and then the other orientation.
void LiveCardWalk::cardSize()
{
    leavePreview();
    // A click beside the card leaves nothing selected, and the card's pages come up.
    canvas_mouse::drag(canvas(shownSide()), QPointF(-6, -6), QPointF(-6, -6));
    if (!inspector().showPage(QStringLiteral("card_size_tab"))) {
        done += QStringLiteral(" (no size page)");
        return;
    }
    expectPanelsKept();
    QWidget& page = *inspector().findChild<QWidget*>(QStringLiteral("card_size_tab"));
    if (chance(20)) {
        auto& orientation = control<QComboBox>("Preset_ComboBox");
        const int turned = orientation.currentIndex() == 0 ? 1 : 0;
        choose("Preset_ComboBox", turned);
        done += QStringLiteral(" %1").arg(orientation.currentText());
        return;
    }
    auto* sizes = page.findChild<QTableView*>(QStringLiteral("ColList"));
    const int row = int(random.bounded(quint32(std::min(sizes->model()->rowCount(), 4))));
    sizes->selectionModel()->select(sizes->model()->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    done += QStringLiteral(" %1").arg(sizes->model()->index(row, 0).data().toString());
}

// The side's background filled in a colour of its own, or its border drawn: each side then has a
// look of its own, which the Preview tab shows for the side it stands for.
void LiveCardWalk::cardLook()
{
    leavePreview();
    canvas_mouse::drag(canvas(shownSide()), QPointF(-6, -6), QPointF(-6, -6));
    const bool border = chance(30);
    if (!inspector().showPage(QLatin1String(border ? "card_brdr_tab" : "card_bkgd_tab"))) {
        done += QStringLiteral(" (no card page)");
        return;
    }
    expectPanelsKept();
    auto& tick = control<QCheckBox>(border ? "Card_border_chk" : "Card_fill_chk");
    if (!tick.isChecked())
        tick.click();
    if (!border && control<QRadioButton>("Card_solid_fill_rd").isEnabled())
        control<QRadioButton>("Card_solid_fill_rd").click();
    const QColor colour = QColor::fromHsv(int(random.bounded(360u)), 60 + int(random.bounded(120u)), 230);
    ::pickColour(walk(), control<ColorWell>(border ? "Card_bordr_clr" : "Card_fill_clr"), colour);
    done += QStringLiteral(" %1 %2 %3").arg(border ? "border" : "fill", colour.name(), shownSide() ? "back" : "front");
}

// ---- The visitor log -------------------------------------------------------------------------------

// A logged visitor's pass printed again from the log window: the desk's visitor stays as it is,
// and the pass carries the logged visitor's number.
void LiveCardWalk::reprintLogged()
{
    if (logged("count(*)").toInt() < 1) {
        done += QStringLiteral(" (no one logged yet)");
        return;
    }
    const QString pdf = stepPath(QStringLiteral("reprint"), QStringLiteral(".pdf"));
    visitorPassPrintToFile = pdf;
    int row = -1;
    VisitorRecord visitor;
    walk().queueHook([&](QDialog& log) {
        auto* table = log.findChild<QTableWidget*>(QStringLiteral("Visitor_Table"));
        row = int(random.bounded(quint32(table->rowCount())));
        table->selectRow(row);
        if (auto* window = qobject_cast<Visitor_Log_Records*>(&log))
            visitor = window->logic.rows().value(row);
        log.findChild<QPushButton*>(QStringLiteral("Print_Button"))->click();
    });
    expectPanelsKept();
    const qsizetype asked = answers->asked.size();
    shownPanel().findChild<QPushButton*>(QStringLiteral("visitor_log_btn"))->click();
    visitorPassPrintToFile.clear();
    done += QStringLiteral(" row %1").arg(row + 1);
    if (row < 0) {
        stepDifference = QStringLiteral("the visitor log listed no one");
        return;
    }
    QString why;
    const bool drawable = !Draw_Visitor_Pass(canvas(0).graphics(), visitor, &why, PassValues::Logged).isNull();
    if (QString refused = refusal(pdf, asked, drawable ? QString() : why); !refused.isEmpty()) {
        stepDifference = refused;
        return;
    }
    if (!QFile::exists(pdf)) {
        done += QStringLiteral(" (refused: %1)").arg(why);
        return;
    }
    stepDifference = symbolsOnLoggedPass(pdf, visitor);
}

// ---- Set-ups ---------------------------------------------------------------------------------------

// Fields bound on the back: the front's design copied there while the back has none.
void LiveCardWalk::backFields()
{
    if (!twoSided())
        return;
    for (const GraphicPtr& element : canvas(1).graphics())
        if (!element->control_ID.trimmed().isEmpty() && !element->control_ID.contains(QLatin1String("_lbl_"))) {
            done += QStringLiteral(" (the back has fields)");
            return;
        }
    if (shownSide() != 0)
        action(QStringLiteral("Front_Side_btn")).trigger();
    answers->always = QStringLiteral("Yes");
    action(QStringLiteral("Copy_Card_Design_btn")).trigger();
    answers->always.clear();
    done += QStringLiteral(" front copied to the back");
}

}  // namespace livewalk

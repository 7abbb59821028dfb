// The walk's checks of what the user sees and of what leaves the program: the text each card draws,
// the ticks, the Preview tab, and the cards exported, printed and previewed, the visitor log and
// the workbook read back by the programs a user would read them with.
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryDir>

#include "LiveCardWalk.h"
#include "barcodes/BarcodeLists.h"
#include "model/drawing/TextLayout.h"
#include "output/CardFileNames.h"
#include "platform/ResourcePaths.h"
#include "render/SKTRenderingView.h"

namespace livewalk {

namespace {

QString withoutSpaces(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    return text;
}

QString pdfText(const QString& pdf)
{
    // In the order drawn, so that a shadow and its text are not read into each other; ligatures
    // read as the letters they join.
    return QString::fromUtf8(TestEnvironment::run(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")}).out)
        .normalized(QString::NormalizationForm_KC);
}

// The page of a one-page PDF at dpi (pdftoppm).
QImage pageImage(const QString& pdf, int dpi)
{
    const QString page = pdf.chopped(4) + QStringLiteral("-%1").arg(dpi);
    TestEnvironment::run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                                      QStringLiteral("-singlefile"), pdf, page});
    return QImage(page + QStringLiteral(".png"));
}

// What the picture file's symbols read: ZXingReader's and zbarimg's answers together, since each
// misses some the other reads.
QStringList symbolsIn(const QString& picture)
{
    QStringList read;
    const auto zxing = TestEnvironment::run(QStringLiteral("ZXingReader"), {QStringLiteral("-noscale"), picture});
    for (const QString& line : QString::fromUtf8(zxing.out).split(u'\n'))
        if (line.startsWith(QLatin1String("Text:")))
            read << line.mid(5).trimmed().remove(u'"');
    const auto zbar = TestEnvironment::run(QStringLiteral("zbarimg"), {QStringLiteral("-q"), QStringLiteral("--raw"), picture});
    read << QString::fromUtf8(zbar.out).split(u'\n', Qt::SkipEmptyParts);
    return read;
}

bool nearColour(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 60;
}

const char* sideName(int side) { return side ? "back" : "front"; }

}  // namespace

// ---- After every step ----------------------------------------------------------------------------

QString LiveCardWalk::seenDifference() const
{
    for (int side : sides()) {
        for (const auto& check : {&LiveCardWalk::drawnAgainstPanel, &LiveCardWalk::ticksAgainstCard,
                                  &LiveCardWalk::photoBoxAgainstCard, &LiveCardWalk::panelOnChosenRecord})
            if (QString difference = (this->*check)(side); !difference.isEmpty())
                return difference;
    }
    if (QString difference = sidesNameOneVisitor(); !difference.isEmpty())
        return difference;
    return previewAgainstEditedSide();
}

QString LiveCardWalk::drawnAgainstPanel(int side) const
{
    const Profile_Side_Panel& panel = controller.liveModes().panel(side);
    for (const GraphicPtr& element : canvas(side).graphics()) {
        const QString id = element->control_ID.trimmed();
        const QLineEdit* box = id.isEmpty() || element->kind() != GraphicKind::Text ? nullptr : panel.textBox(id);
        if (!box)
            continue;
        const QString drawn = shownText(*element);
        const QString want = textWithCase(Trim_Str(box->text()), element->textStyle.text_transfrom_case);
        if (drawn != want)
            return QStringLiteral("the %1 card draws %2 as \"%3\"; its panel shows \"%4\"")
                .arg(sideName(side), id, drawn, box->text());
    }
    return {};
}

QString LiveCardWalk::ticksAgainstCard(int side) const
{
    const Profile_Side_Panel& panel = controller.liveModes().panel(side);
    QStringList ids = profileTextIds();
    for (const ProfilePanelRow& row : panel.view_array_label())
        ids << row.controlId;
    for (const QString& id : ids) {
        const QCheckBox* tick = panel.checkBox(id);
        if (!tick || !tick->isVisibleTo(controller.window()))
            continue;
        bool held = false, drawn = false;
        for (const GraphicPtr& element : canvas(side).graphics())
            if (element->control_ID.trimmed() == id && element->kind() != GraphicKind::Barcode) {
                held = true;
                drawn = drawn || element->ctrl_is_visible;
            }
        // A field the side's card does not hold is drawn nowhere, ticked or not.
        if (!held || tick->isChecked() == drawn)
            continue;
        return QStringLiteral("the %1 panel's %2 is %3, and the card %4 it").arg(sideName(side), id,
                                                                                 tick->isChecked() ? "ticked" : "unticked",
                                                                                 drawn ? "shows" : "does not show");
    }
    return {};
}

QString LiveCardWalk::photoBoxAgainstCard(int side) const
{
    const Profile_Side_Panel& panel = controller.liveModes().panel(side);
    if (Is_Placeholder_Path(panel.photoPath()))
        return QStringLiteral("the %1 panel's photo box holds the program's placeholder \"%2\"").arg(sideName(side), panel.photoPath());
    return {};
}

QString LiveCardWalk::panelOnChosenRecord(int side) const
{
    // The side not shown takes the record when it is shown.
    if (mode != Mode::Group || side != shownSide())
        return {};
    const Data_From_Excel& table = Loaded_Data_Table();
    const int row = controller.liveModes().selectedRow();
    if (row < 0 || row >= table.rowCount())
        return {};
    const Profile_Side_Panel& panel = controller.liveModes().panel(side);
    for (const QString& id : profileTextIds()) {
        const int column = panel.chosenColumn(id);
        const QLineEdit* box = panel.textBox(id);
        if (column < 1 || !box)
            continue;
        const QString key = Column_Key_For_Index(column);
        const QString shown = box->text();
        if (shown == table.objectValue(key, row) || shown.trimmed().isEmpty())
            continue;
        // Typing shows what was typed; a value of another record is that record shown.
        for (int other = 0; other < table.rowCount(); ++other)
            if (shown == table.objectValue(key, other))
                return QStringLiteral("the %1 panel's %2 shows \"%3\" of record %4 while record %5 is chosen (its \"%6\")")
                    .arg(sideName(side), id, shown)
                    .arg(other + 1)
                    .arg(row + 1)
                    .arg(table.objectValue(key, row));
    }
    return {};
}

QString LiveCardWalk::sidesNameOneVisitor() const
{
    if (mode != Mode::Visitor || !twoSided())
        return {};
    for (const QString& id : profileTextIds()) {
        const GraphicPtr front = canvas(0).Selcect_Ctrl_With_ID(id);
        const GraphicPtr back = canvas(1).Selcect_Ctrl_With_ID(id);
        if (!front || !back || front->kind() != GraphicKind::Text || back->kind() != GraphicKind::Text)
            continue;
        if (front->Text_Value.trimmed() != back->Text_Value.trimmed())
            return QStringLiteral("the front card shows %1 \"%2\", the back \"%3\"").arg(id, front->Text_Value, back->Text_Value);
    }
    return {};
}

// What a list of elements draws, element by element: texts as drawn, pictures by file, symbols by
// value.
QStringList LiveCardWalk::drawnElements(const GraphicList& elements)
{
    QStringList drawn;
    for (const GraphicPtr& element : elements) {
        if (!element->ctrl_is_visible)
            continue;
        if (element->kind() == GraphicKind::Text)
            drawn << element->control_ID.trimmed() + u'=' + shownText(*element);
        else if (element->kind() == GraphicKind::Image || element->kind() == GraphicKind::Barcode)
            drawn << element->control_ID.trimmed() + u'=' + shown(element);
    }
    return drawn;
}

QString LiveCardWalk::previewAgainstEditedSide() const
{
    const SKTGraphicView& preview = canvas(SKTDocument::PreviewSide);
    if (!preview.isVisibleTo(controller.window()))
        return {};
    const int side = shownSide();
    const QStringList previewed = drawnElements(preview.graphics());
    const QStringList edited = drawnElements(canvas(side).graphics());
    if (previewed == edited)
        return {};
    for (qsizetype n = 0; n < previewed.size() || n < edited.size(); ++n)
        if (previewed.value(n) != edited.value(n))
            return QStringLiteral("the Preview tab draws \"%1\" where the %2 card draws \"%3\"")
                .arg(previewed.value(n), sideName(side), edited.value(n));
    return {};
}

// ---- Visitor mode: the log, the pass printed and previewed --------------------------------------

// The visitor the front card shows, as drawn; a field the card does not hold as the panel holds it.
VisitorRecord LiveCardWalk::visitorOfFrontCard() const
{
    const Profile_Side_Panel& front = controller.liveModes().panel(0);
    const SKTGraphicView& card = canvas(0);
    return visitorFromFields(
        [&front, &card](const QString& id) {
            const GraphicPtr element = card.Selcect_Ctrl_With_ID(id);
            if (element && element->kind() == GraphicKind::Text)
                return shownText(*element);
            if (element && element->kind() == GraphicKind::Image)
                return element->_file_path;
            const QLineEdit* field = front.textBox(id);
            return field ? field->text() : QString();
        },
        QDateTime::currentDateTime(), visitorOtherFields(controller.Get_Front_Controls_Array()));
}

QString LiveCardWalk::logAgainstCard() const
{
    const QStringList row =
        logged("Photo_Path, Name, Company_Name, Address, Phone, Email, Purpose, Person_to_Meet, Visitor_No, Other").split(u'\x1f');
    const QStringList card = visitorOfFrontCard().fields().mid(1);
    for (qsizetype n = 0; n < row.size() || n < card.size(); ++n) {
        const bool same = n == 0 ? samePhoto(row.value(n), card.value(n))
                                 : row.value(n).trimmed().toCaseFolded() == card.value(n).trimmed().toCaseFolded();
        if (!same)
            return QStringLiteral("the log keeps %1; the front card draws %2").arg(row.join(u'|'), card.join(u'|'));
    }
    return {};
}

// The pass in the PDF (printed or painted by the preview window) against the front card: the
// picture it holds (pdfimages) against the pass drawn of the card, and its symbols (ZXingReader).
QString LiveCardWalk::passAgainstCard(const QString& pdf, const char* how) const
{
    if (!QFile::exists(pdf))
        return QStringLiteral("the pass %1 was not written").arg(QLatin1String(how));
    const QString prefix = pdf.chopped(4);
    TestEnvironment::run(QStringLiteral("pdfimages"), {QStringLiteral("-png"), pdf, prefix});
    const QString printed = prefix + QStringLiteral("-000.png");
    QString why;
    const QImage drawn = Draw_Visitor_Pass(canvas(0).graphics(), visitorOfFrontCard(), &why, PassValues::Shown);
    if (drawn.isNull())
        return {};  // the card itself cannot be a pass: a refusal is what the user got
    const QString reference = prefix + QStringLiteral("-card.png");
    drawn.save(reference);
    const QImage out(printed);
    if (out.size() != drawn.size())
        return QStringLiteral("the pass %1 is %2x%3, the front card's %4x%5")
            .arg(QLatin1String(how))
            .arg(out.width())
            .arg(out.height())
            .arg(drawn.width())
            .arg(drawn.height());
    const auto compared = TestEnvironment::run(QStringLiteral("compare"), {QStringLiteral("-metric"), QStringLiteral("AE"),
                                                                         QStringLiteral("-fuzz"), QStringLiteral("10%"), printed,
                                                                         reference, QStringLiteral("null:")});
    const int differing = QString::fromUtf8(compared.err).trimmed().toInt();
    if (differing > drawn.width() * drawn.height() / 200)
        return QStringLiteral("the pass %1 differs from the front card in %2 pixels (%3 against %4)")
            .arg(QLatin1String(how))
            .arg(differing)
            .arg(printed, reference);
    // A symbol too fine for the readers at the pass's size is read on neither picture.
    QStringList readOnCard;
    for (const GraphicPtr& symbol : canvas(0).graphics()) {
        const QString value = symbol->kind() == GraphicKind::Barcode ? symbol->barcode.shownValue().trimmed() : QString();
        if (!symbol->ctrl_is_visible || value.isEmpty() || !readableSymbol(*symbol))
            continue;
        if (readOnCard.isEmpty())
            readOnCard = symbolsIn(reference) << QString();
        if (readOnCard.contains(value) && !symbolsIn(printed).contains(value))
            return QStringLiteral("the pass %1 carries no symbol of \"%2\" (read: %3)")
                .arg(QLatin1String(how), value, symbolsIn(printed).join(u'|'));
    }
    return {};
}

// The pass button of the panel shown, or the front's where the shown panel has none.
QPushButton* LiveCardWalk::passButton(const char* name) const
{
    auto* button = shownPanel().findChild<QPushButton*>(QLatin1String(name));
    if (!button || !button->isVisibleTo(controller.window()))
        button = controller.liveModes().panel(0).findChild<QPushButton*>(QLatin1String(name));
    return button;
}

void LiveCardWalk::printPassStep()
{
    // From the panel shown, as a user prints whichever side is in front of them.
    QPushButton* print = passButton("print_pass_btn");
    const QString pdf = stepPath(QStringLiteral("pass"), QStringLiteral(".pdf"));
    visitorPassPrintToFile = pdf;
    const qsizetype asked = answers->asked.size();
    print->click();
    visitorPassPrintToFile.clear();
    const bool refused = !QFile::exists(pdf) && answers->asked.size() > asked;
    done += QStringLiteral(" from the %1 panel%2").arg(sideName(shownSide()), refused ? " (refused)" : "");
    if (!refused)
        stepDifference = passAgainstCard(pdf, "printed");
}

void LiveCardWalk::previewPassStep()
{
    QPushButton* preview = passButton("preview_pass_btn");
    const QString pdf = stepPath(QStringLiteral("preview"), QStringLiteral(".pdf"));
    bool opened = false;
    walk().queueHook([&](QDialog& dialog) {
        auto* window = qobject_cast<QPrintPreviewDialog*>(&dialog);
        if (!window)
            return;
        opened = true;
        // The pages the window shows, painted into a file by the window's own painting.
        QPrinter file(QPrinter::HighResolution);
        file.setOutputFormat(QPrinter::PdfFormat);
        file.setOutputFileName(pdf);
        Q_EMIT window->paintRequested(&file);
        dialog.reject();
    });
    preview->click();
    done += QStringLiteral(" from the %1 panel%2").arg(sideName(shownSide()), opened ? "" : " (not opened)");
    if (opened)
        stepDifference = passAgainstCard(pdf, "previewed");
}

// ---- Export of both sides ------------------------------------------------------------------------

bool LiveCardWalk::readableSymbol(const SKTGraphic& symbol)
{
    // Those ZXingReader reads whatever the value, in colours a scanner tells apart: bars and a
    // ground the walk chose near in lightness are the user's choice, no fault to find.
    const QString title = symbologyTitles().value(symbol.barcode.barcode_font_index);
    const BarcodeSettings& colours = symbol.barcode;
    const bool contrasts = colours.barcode_back_clr_val.alpha() == 0
                           || qAbs(colours.barcode_back_clr_val.lightness() - colours.barcode_clr_val.lightness()) >= 128;
    return contrasts && (title.contains(QLatin1String("128")) || isTwoDimensionalSymbology(title));
}

// The exported side (a one-page PDF) against the side's card: every text the card draws is in it
// (pdftotext), in group mode each field of a chosen column with the record's value; the photo's
// middle has the card's colour (pdftoppm); each symbol reads as its value (ZXingReader).
QString LiveCardWalk::exportedAgainstCard(int side, const QString& pdf) const
{
    if (!QFile::exists(pdf))
        return QStringLiteral("the exported %1 \"%2\" was not written").arg(sideName(side), pdf);
    const QString text = withoutSpaces(pdfText(pdf));
    const Profile_Side_Panel& panel = controller.liveModes().panel(side);
    const Data_From_Excel& table = Loaded_Data_Table();
    const int row = controller.liveModes().selectedRow();
    const bool group = mode == Mode::Group && row >= 0 && row < table.rowCount();
    const GraphicList& card = canvas(side).graphics();
    for (const GraphicPtr& element : card) {
        const QString id = element->control_ID.trimmed();
        if (!element->ctrl_is_visible || element->kind() != GraphicKind::Text || id.isEmpty())
            continue;
        const int column = group ? panel.chosenColumn(id) : -1;
        const QLineEdit* box = panel.textBox(id);
        QString want = shownText(*element);
        if (column >= 1 && box) {
            // Typing not saved is the card's alone: export gives the stored record.
            const QString stored = table.objectValue(Column_Key_For_Index(column), row);
            want = textWithCase(Trim_Str(stored), element->textStyle.text_transfrom_case);
        }
        if (!text.contains(withoutSpaces(want)))
            return QStringLiteral("the exported %1 does not show %2 \"%3\"%4; it shows \"%5\"")
                .arg(sideName(side), id, want, group ? QStringLiteral(" of record %1").arg(row + 1) : QString(), pdfText(pdf).simplified());
    }
    const QImage page = pageImage(pdf, 72);
    const QImage cardDrawn =
        SKTRenderingView::image_From_Card_Graphics(card, side ? CardSide::Back : CardSide::Front).toImage(72);
    for (const GraphicPtr& element : card) {
        if (!element->ctrl_is_visible || element->kind() != GraphicKind::Image || element->control_ID.trimmed() != kPhotoFieldId)
            continue;
        const QPoint middle = element->bounds().center().toPoint();
        if (!page.valid(middle) || !cardDrawn.valid(middle))
            continue;
        QColor want = cardDrawn.pixelColor(middle);
        const int column = group ? panel.chosenColumn(kPhotoFieldId) : -1;
        if (column >= 1) {
            // The record's photo: each of the walk's pictures is one colour.
            const QImage stored(table.objectValue(Column_Key_For_Index(column), row));
            if (!stored.isNull() && QFileInfo(element->_file_path) != QFileInfo(table.objectValue(Column_Key_For_Index(column), row)))
                return QStringLiteral("the %1 card shows the photo \"%2\" while record %3's is \"%4\"")
                    .arg(sideName(side), element->_file_path)
                    .arg(row + 1)
                    .arg(table.objectValue(Column_Key_For_Index(column), row));
        }
        if (!nearColour(page.pixelColor(middle), want))
            return QStringLiteral("the exported %1's photo is %2 in its middle, the card's %3 (\"%4\")")
                .arg(sideName(side), page.pixelColor(middle).name(), want.name(), element->_file_path);
    }
    QStringList read;
    bool readOnce = false;
    QImage fine;
    for (const GraphicPtr& symbol : card) {
        // A symbol the card's edge cuts cannot be read whole.
        if (!symbol->ctrl_is_visible || symbol->kind() != GraphicKind::Barcode || !readableSymbol(*symbol)
            || !QRectF(QPointF(0, 0), QSizeF(page.size())).contains(symbol->bounds()))
            continue;
        const QString id = symbol->control_ID.trimmed();
        const int column = group && !id.isEmpty() ? panel.chosenColumn(id) : -1;
        const QString want = column >= 1 ? table.objectValue(Column_Key_For_Index(column), row).trimmed()
                                         : symbol->barcode.shownValue().trimmed();
        if (want.isEmpty())
            continue;
        if (!readOnce) {
            fine = pageImage(pdf, 300);
            read = symbolsIn(pdf.chopped(4) + QStringLiteral("-300.png"));
            readOnce = !fine.isNull();
        }
        if (!read.contains(want) && !fine.isNull()) {
            // The reader misses a small symbol on a whole page: it reads it again on its own.
            const qreal scale = qreal(fine.width()) / page.width();
            const QRectF place = symbol->bounds();
            const QRect around = QRectF(place.topLeft() * scale, place.size() * scale)
                                     .adjusted(-20, -20, 20, 20).toAlignedRect() & fine.rect();
            const QString alone = pdf.chopped(4) + QStringLiteral("-symbol.png");
            fine.copy(around).save(alone);
            read << symbolsIn(alone);
        }
        if (!read.contains(want))
            return QStringLiteral("the exported %1's symbol %2 does not read \"%3\" (read: %4)")
                .arg(sideName(side), id, want, read.join(u'|'));
    }
    return {};
}

void LiveCardWalk::exportStep()
{
    const QString folder = stepPath(QStringLiteral("export"));
    QDir().mkpath(folder);
    const bool both = twoSided();
    const auto sheetHook = [both](QDialog& dialog) {
        auto& sheet = static_cast<ExportSheet&>(dialog);
        sheet.fileFormatPopup->setCurrentIndex(sheet.fileFormatPopup->findText(QStringLiteral("PDF")));
        sheet.exportFileTypeChanged();
        if (both && sheet.side_both->isEnabled())
            sheet.side_both->click();
        return &sheet;
    };
    QStringList files;
    if (mode == Mode::Group) {
        const int row = controller.liveModes().selectedRow();
        walk().queueHook([&](QDialog& dialog) {
            ExportSheet& sheet = *sheetHook(dialog);
            sheet.rangeBlock->Sel_print_rd->click();
            sheet.rangeBlock->To_Text->setValue(row + 1);
            sheet.rangeBlock->from_Text->setValue(row + 1);
            sheet.exportOkay();
        });
        walk().queueFolder(folder);
        walk().queueHook([](QDialog&) {});
        Export_Button(controller);
        const QDir written(QDir(folder).filePath(QStringLiteral("ZOVA ID Card")));
        for (const QString& name : written.entryList(QDir::Files, QDir::Name))
            files << written.filePath(name);
        done += QStringLiteral(" record %1").arg(row + 1);
    } else {
        const QString file = QDir(folder).filePath(QStringLiteral("pass.pdf"));
        walk().queueHook([&](QDialog& dialog) { sheetHook(dialog)->exportOkay(); });
        walk().queueSaveFile(file);
        walk().queueHook([](QDialog&) {});
        Export_Button(controller);
        files << Create_Front_Card_Path(file) << Create_Back_Card_Path(file);
    }
    for (int side : sides()) {
        const QString tag = side ? QStringLiteral("_Back") : QStringLiteral("_Front");
        const auto file = std::find_if(files.begin(), files.end(), [&tag](const QString& name) {
            return QFileInfo(name).completeBaseName().endsWith(tag, Qt::CaseInsensitive);
        });
        if (file == files.end() && answers->asked.join(u' ').contains(QLatin1String("left out"))) {
            done += QStringLiteral(" (left out)");  // refused, and said why
            return;
        }
        if (files.isEmpty()) {
            done += QStringLiteral(" (nothing written)");
            return;
        }
        if (file == files.end()) {
            stepDifference = QStringLiteral("the export wrote no %1 (%2)").arg(sideName(side), files.join(u'|'));
            return;
        }
        if ((stepDifference = exportedAgainstCard(side, *file)).isEmpty())
            continue;
        return;
    }
}

// ---- Group mode: Save Details read back ---------------------------------------------------------

QMap<QString, QString> LiveCardWalk::boundPanelValues(int side) const
{
    QMap<QString, QString> values;
    const Profile_Side_Panel& panel = controller.liveModes().panel(side);
    for (const QString& id : profileTextIds())
        if (const QLineEdit* box = panel.textBox(id); box && panel.chosenColumn(id) >= 1)
            values.insert(id, box->text());
    return values;
}

QString LiveCardWalk::detailsAgainstWorkbook(const QMap<QString, QString>& pressed) const
{
    const QString path = LiveModePanels::projectWorkbookPath(Project_File_Name);
    const int row = controller.liveModes().selectedRow();
    const auto read = TestEnvironment::runPython(
        QStringLiteral("import openpyxl, sys\n"
                       "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
                       "row = ws[int(sys.argv[2]) + 2]\n"
                       "print('\\x1f'.join('' if c.value is None else str(c.value) for c in row))\n"),
        {path, QString::number(row)});
    if (read.exitCode != 0)
        return QStringLiteral("the workbook \"%1\" cannot be read: %2").arg(path, QString::fromUtf8(read.err));
    const QStringList cells = QString::fromUtf8(read.out).chopped(1).split(u'\x1f');
    const Profile_Side_Panel& panel = controller.liveModes().panel(shownSide());
    for (auto value = pressed.cbegin(); value != pressed.cend(); ++value) {
        const int column = panel.chosenColumn(value.key());
        if (column >= 1 && cells.value(column - 1).trimmed() != value.value().trimmed())
            return QStringLiteral("Save Details wrote %1 of record %2 as \"%3\" (openpyxl); the panel showed \"%4\" as it was pressed")
                .arg(value.key())
                .arg(row + 1)
                .arg(cells.value(column - 1), value.value());
    }
    return {};
}

void LiveCardWalk::detailsReadBack(int side, qsizetype askedBefore, const QMap<QString, QString>& pressed)
{
    // Saved is said in a box; a refusal says why, and nothing is read back.
    const bool saved = answers->asked.size() > askedBefore
                       && answers->asked.last().contains(QLatin1String("has been saved"), Qt::CaseInsensitive);
    if (!saved) {
        done += QStringLiteral(" (not saved)");
        return;
    }
    stepDifference = detailsAgainstWorkbook(pressed);
    // Saved, the panel goes on showing what was saved.
    for (auto value = pressed.cbegin(); value != pressed.cend(); ++value)
        expectField(side, value.key(), value.value());
}

}  // namespace livewalk

// The walk's checks of what the user sees and of what leaves the program: the text each card draws,
// the ticks, the Preview tab, and the cards exported, printed and previewed, the visitor log and
// the workbook read back by the programs a user would read them with.
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTemporaryDir>

#include "LiveCardWalk.h"
#include "barcodes/BarcodeLists.h"
#include "model/RotationGeometry.h"
#include "model/profiles/AddedFieldIds.h"
#include "model/drawing/TextLayout.h"
#include "output/CardFileNames.h"
#include "output/SideSnapshot.h"
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

// Whether a picture has the colour at the point or beside it: an edge or a thin line falls a pixel
// apart where a page and the canvas scale a picture each their own way.
bool nearColourAround(const QColor& colour, const QImage& picture, const QPoint& point)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (picture.valid(point + QPoint(dx, dy)) && nearColour(colour, picture.pixelColor(point + QPoint(dx, dy))))
                return true;
    return false;
}

const char* sideName(int side) { return side ? "back" : "front"; }

QString kindName(GraphicKind kind)
{
    return kind == GraphicKind::Barcode ? QStringLiteral("symbol")
           : kind == GraphicKind::Image ? QStringLiteral("picture")
                                        : QStringLiteral("text");
}

// What a page of the card's size shows of a text on the element: the lines laid out for it that
// lie on the page whole, joined. A line the card's edge cuts may be read from the page or not.
QString linesOnPage(const SKTGraphic& element, const QString& text, const QSizeF& page)
{
    const QRectF card(QPointF(0, 0), page);
    const auto layout = layOutElementText(element, text, element.bounds().height() + std::hypot(page.width(), page.height()));
    const QPointF topLeft = elementTextTopLeft(element, *layout);
    const QRectF box = element.bounds();
    const QTransform turn = RotationTransform(element.text_rotation, box.center().x(), box.center().y());
    QString shown;
    for (const TextBoxLayout::Line& line : layout->lines())
        if (card.contains(turn.mapRect(line.area.translated(topLeft))))
            shown += line.text;
    return shown;
}

// The card as its canvas paints it, `scale` pixels a point on white: its base and elements,
// without the handles of what is selected, as when an element is dragged.
QImage paintedCard(SKTGraphicView& view, int scale = 1)
{
    if (!view.selectedGraphics().isEmpty())
        view.hideHandlesMomentarily();
    const QRectF card = view.viewBounds();
    QImage painted(card.size().toSize() * scale, QImage::Format_RGB32);
    painted.fill(Qt::white);
    QPainter painter(&painted);
    painter.scale(scale, scale);
    painter.translate(-card.topLeft());
    view.drawRect(painter, card);
    return painted;
}

// Whether an element drawn above the element (earlier in the list) reaches over it.
bool coveredOnCard(const GraphicList& card, const GraphicPtr& element)
{
    for (const GraphicPtr& above : card) {
        if (above == element)
            return false;
        if (above->ctrl_is_visible && above->drawingBounds().intersects(element->bounds()))
            return true;
    }
    return false;
}

// Points across a picture element's box, where a picture cut, turned or taken from another file
// shows another colour.
QList<QPoint> pointsAcross(const QRectF& box)
{
    QList<QPoint> points;
    for (double x : {0.25, 0.5, 0.75})
        for (double y : {0.25, 0.5, 0.75})
            points << QPointF(box.left() + x * box.width(), box.top() + y * box.height()).toPoint();
    return points;
}

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
    const QStringList ids = profileTextIds() + addedFieldIds(panel);
    for (const QString& id : ids) {
        const QCheckBox* tick = panel.checkBox(id);
        if (!tick || !tick->isVisibleTo(controller.window()))
            continue;
        // The tick shows the field's text or picture (its symbols are the barcode window's to
        // show). An added field's caption comes and goes with its value.
        const QString caption = Is_Added_Field_Id(id) ? Added_Field_Caption_Id(id) : QString();
        const GraphicList& card = canvas(side).graphics();
        const auto shownByTick = [&id](const GraphicPtr& element) {
            return element->control_ID.trimmed() == id && element->kind() != GraphicKind::Barcode;
        };
        // A field whose value the card does not hold (cut, say) leaves its caption to the user.
        if (std::none_of(card.begin(), card.end(), shownByTick))
            continue;
        for (const GraphicPtr& element : card) {
            const QString elementId = element->control_ID.trimmed();
            const bool ofField = shownByTick(element) || (!caption.isEmpty() && caption != id && elementId == caption);
            if (!ofField || element->ctrl_is_visible == tick->isChecked())
                continue;
            return QStringLiteral("the %1 panel's %2 is %3, and the card %4 its %5 \"%6\"")
                .arg(sideName(side), id, tick->isChecked() ? "ticked" : "unticked", element->ctrl_is_visible ? "shows" : "does not show",
                     elementId == id ? kindName(element->kind()) : QStringLiteral("caption"), shown(element));
        }
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

// The Preview tab as its canvas paints it against the side it stands for as that side's canvas
// paints it, both at 72 dpi on white: a preview in another side's look, or of other elements,
// differs.
QString LiveCardWalk::previewAgainstEditedSide() const
{
    SKTGraphicView& preview = canvas(SKTDocument::PreviewSide);
    if (!preview.isVisibleTo(controller.window()))
        return {};
    const int side = shownSide();
    const QImage painted = paintedCard(preview);
    const QImage edited = paintedCard(canvas(side));
    int differing = 0;
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x)
            differing += nearColour(painted.pixelColor(x, y), edited.pixelColor(x, y)) ? 0 : 1;
    if (differing <= painted.width() * painted.height() / kPreviewDifferenceShare)
        return {};
    const QString prefix = stepPath(QStringLiteral("preview tab"));
    painted.save(prefix + QStringLiteral(".png"));
    edited.save(prefix + QStringLiteral("-card.png"));
    return QStringLiteral("the Preview tab differs from the %1 card in %2 pixels (\"%3.png\" against \"%3-card.png\")")
        .arg(sideName(side))
        .arg(differing)
        .arg(prefix);
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

// The pass in the PDF (printed, or painted by the preview window) against the front card as the
// card's own renderer draws it: the picture the PDF holds (pdfimages) pixel for pixel, and each
// symbol the card's drawing reads as read on the pass (ZXingReader, zbarimg).
QString LiveCardWalk::passAgainstCard(const QString& pdf, const char* how) const
{
    const QString prefix = pdf.chopped(4);
    TestEnvironment::run(QStringLiteral("pdfimages"), {QStringLiteral("-png"), pdf, prefix});
    const QString printed = prefix + QStringLiteral("-000.png");
    const QImage out(printed);
    const QImage card =
        SKTRenderingView::image_From_Card_Graphics(canvas(0).graphics(), CardSide::Front).toImage(kOutputDpi);
    const QString reference = prefix + QStringLiteral("-card.png");
    card.save(reference);
    if (out.size() != card.size())
        return QStringLiteral("the pass %1 is %2x%3, the front card's %4x%5")
            .arg(QLatin1String(how))
            .arg(out.width())
            .arg(out.height())
            .arg(card.width())
            .arg(card.height());
    const auto compared = TestEnvironment::run(QStringLiteral("compare"), {QStringLiteral("-metric"), QStringLiteral("AE"),
                                                                         QStringLiteral("-fuzz"), QStringLiteral("10%"), printed,
                                                                         reference, QStringLiteral("null:")});
    const int differing = QString::fromUtf8(compared.err).trimmed().toInt();
    if (differing > card.width() * card.height() / kPassDifferenceShare)
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

// A pass printed again from the log carries each symbol of a visitor's value as the log keeps it,
// wherever the readers read a symbol on it at all.
QString LiveCardWalk::symbolsOnLoggedPass(const QString& pdf, const VisitorRecord& visitor) const
{
    const QString prefix = pdf.chopped(4);
    TestEnvironment::run(QStringLiteral("pdfimages"), {QStringLiteral("-png"), pdf, prefix});
    const QStringList read = symbolsIn(prefix + QStringLiteral("-000.png"));
    const QList<OtherField> others = visitorOtherFields(canvas(0).graphics());
    for (const GraphicPtr& symbol : canvas(0).graphics()) {
        if (!symbol->ctrl_is_visible || symbol->kind() != GraphicKind::Barcode || !readableSymbol(*symbol))
            continue;
        const QString value = visitorValueOf(visitor, symbol->control_ID.trimmed(), others).value_or(QString()).trimmed();
        if (!value.isEmpty() && !read.isEmpty() && !read.contains(value))
            return QStringLiteral("the pass printed again carries no symbol of the logged \"%1\" (read: %2)").arg(value, read.join(u'|'));
    }
    return {};
}

// Whether a pass not written was refused as it had to be: a pass the front card can be is
// written (reason empty); one it cannot be is refused with the reason. Empty when so.
QString LiveCardWalk::refusal(const QString& pdf, qsizetype askedBefore, const QString& reason) const
{
    const QString said = answers->asked.mid(askedBefore).join(u' ');
    if (QFile::exists(pdf))
        return reason.isEmpty() ? QString()
                                : QStringLiteral("a pass was written that cannot be drawn (\"%1\")").arg(reason);
    if (reason.isEmpty())
        return QStringLiteral("no pass was written, though the front card can be one (said: %1)")
            .arg(said.isEmpty() ? QStringLiteral("nothing") : said);
    if (!said.contains(reason.simplified().left(60)))
        return QStringLiteral("the pass was refused without its reason \"%1\" (said: %2)").arg(reason, said);
    return {};
}

// Why the front card with the panel's visitor cannot be a pass; empty when it can.
QString LiveCardWalk::passRefusal() const
{
    QString why;
    if (!Draw_Visitor_Pass(canvas(0).graphics(), visitorOfFrontPanel(), &why, PassValues::Shown).isNull())
        return {};
    return why.isEmpty() ? QStringLiteral("The visitor pass could not be drawn.") : why;
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
    const QString reason = passRefusal();
    print->click();
    visitorPassPrintToFile.clear();
    done += QStringLiteral(" from the %1 panel%2").arg(sideName(shownSide()), reason.isEmpty() ? "" : " (refused)");
    if ((stepDifference = refusal(pdf, asked, reason)).isEmpty() && reason.isEmpty())
        stepDifference = passAgainstCard(pdf, "printed");
}

void LiveCardWalk::previewPassStep()
{
    QPushButton* preview = passButton("preview_pass_btn");
    const QString pdf = stepPath(QStringLiteral("preview"), QStringLiteral(".pdf"));
    walk().queueHook([&](QDialog& dialog) {
        auto* window = qobject_cast<QPrintPreviewDialog*>(&dialog);
        if (!window)
            return;
        // The pages the window shows, painted into a file by the window's own painting.
        QPrinter file(QPrinter::HighResolution);
        file.setOutputFormat(QPrinter::PdfFormat);
        file.setOutputFileName(pdf);
        Q_EMIT window->paintRequested(&file);
        dialog.reject();
    });
    const qsizetype asked = answers->asked.size();
    const QString reason = passRefusal();
    preview->click();
    done += QStringLiteral(" from the %1 panel%2").arg(sideName(shownSide()), reason.isEmpty() ? "" : " (refused)");
    if ((stepDifference = refusal(pdf, asked, reason)).isEmpty() && reason.isEmpty())
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
    // Pictures are compared at twice 72 dpi, where the smallest picture field still has a middle.
    const int scale = 2;
    const QImage page = pageImage(pdf, 72 * scale);
    const QSizeF cardSize = QSizeF(page.size()) / scale;
    for (const GraphicPtr& element : card) {
        const QString id = element->control_ID.trimmed();
        if (!element->ctrl_is_visible || element->kind() != GraphicKind::Text || id.isEmpty())
            continue;
        const int column = group ? panel.chosenColumn(id) : -1;
        const QLineEdit* box = panel.textBox(id);
        QString value = shownText(*element);
        if (column >= 1 && box) {
            // Typing not saved is the card's alone: export gives the stored record.
            const QString stored = table.objectValue(Column_Key_For_Index(column), row);
            value = textWithCase(Trim_Str(stored), element->textStyle.text_transfrom_case);
        }
        const QString want = linesOnPage(*element, value, cardSize);
        if (!text.contains(withoutSpaces(want)))
            return QStringLiteral("the exported %1 does not show %2 \"%3\"%4; it shows \"%5\"")
                .arg(sideName(side), id, want, group ? QStringLiteral(" of record %1").arg(row + 1) : QString(), pdfText(pdf).simplified());
    }
    // Pictures as the user sees them on the canvas.
    const QImage cardDrawn = paintedCard(canvas(side), scale);
    for (const GraphicPtr& element : card) {
        const QString id = element->control_ID.trimmed();
        if (!element->ctrl_is_visible || element->kind() != GraphicKind::Image || id.isEmpty() || element->_file_path.isEmpty())
            continue;
        const int column = group ? panel.chosenColumn(id) : -1;
        if (column >= 1) {
            const QString stored = table.objectValue(Column_Key_For_Index(column), row);
            if (!QImage(stored).isNull() && QFileInfo(element->_file_path) != QFileInfo(stored))
                return QStringLiteral("the %1 card shows %2 \"%3\" while record %4's is \"%5\"")
                    .arg(sideName(side), id, element->_file_path)
                    .arg(row + 1)
                    .arg(stored);
        }
        const QRectF box = element->bounds();
        for (const QPoint& point : pointsAcross(QRectF(box.topLeft() * scale, box.size() * scale))) {
            if (!page.valid(point) || !cardDrawn.valid(point) || nearColourAround(page.pixelColor(point), cardDrawn, point))
                continue;
            return QStringLiteral("the exported %1's %2 is %3 at (%4, %5), the card's %6 (\"%7\")")
                .arg(sideName(side), id, page.pixelColor(point).name())
                .arg(point.x())
                .arg(point.y())
                .arg(cardDrawn.pixelColor(point).name(), element->_file_path);
        }
    }
    QStringList read;
    bool readOnce = false;
    QImage fine;
    for (const GraphicPtr& symbol : card) {
        // A symbol the card's edge cuts, or another element drawn over it, cannot be read whole.
        if (!symbol->ctrl_is_visible || symbol->kind() != GraphicKind::Barcode || !readableSymbol(*symbol)
            || !QRectF(QPointF(0, 0), cardSize).contains(symbol->bounds()) || coveredOnCard(card, symbol))
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
            const qreal fineScale = qreal(fine.width()) / cardSize.width();
            const QRectF place = symbol->bounds();
            const QRect around = QRectF(place.topLeft() * fineScale, place.size() * fineScale)
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
    // Records go into a folder; a design bound to no column is one card, saved under a name.
    const int row = controller.liveModes().selectedRow();
    bool records = false;
    walk().queueHook([&](QDialog& dialog) {
        ExportSheet& sheet = *sheetHook(dialog);
        records = sheet.rangeBlock->spreadsheetOn();
        if (records) {
            sheet.rangeBlock->Sel_print_rd->click();
            sheet.rangeBlock->To_Text->setValue(row + 1);
            sheet.rangeBlock->from_Text->setValue(row + 1);
        }
        sheet.exportOkay();
    });
    const QString file = QDir(folder).filePath(QStringLiteral("card.pdf"));
    walk().queueFolder(folder);
    walk().queueSaveFile(file);
    walk().queueHook([](QDialog&) {});
    Export_Button(controller);
    QStringList files;
    const QDir written(QDir(folder).filePath(QStringLiteral("ZOVA ID Card")));
    for (const QString& name : written.entryList(QDir::Files, QDir::Name))
        files << written.filePath(name);
    for (const QString& name : {Create_Front_Card_Path(file), Create_Back_Card_Path(file)})
        if (QFile::exists(name))
            files << name;
    done += records ? QStringLiteral(" record %1").arg(row + 1) : QString();
    for (int side : sides()) {
        const QString tag = side ? QStringLiteral("_Back") : QStringLiteral("_Front");
        const auto file = std::find_if(files.begin(), files.end(), [&tag](const QString& name) {
            return QFileInfo(name).completeBaseName().endsWith(tag, Qt::CaseInsensitive);
        });
        if (file == files.end() && answers->asked.join(u' ').contains(QLatin1String("left out"))) {
            done += QStringLiteral(" (left out)");  // refused, and said why
            return;
        }
        if (file == files.end()) {
            stepDifference = QStringLiteral("the export wrote no %1 (wrote: %2; said: %3)")
                                 .arg(sideName(side), files.join(u'|'), answers->asked.join(u' '));
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
    // Fields added in the panel: a text by what its box shows, a picture by its element's file.
    for (const QString& id : addedFieldIds(panel)) {
        if (panel.chosenColumn(id) < 1)
            continue;
        if (const QLineEdit* box = panel.textBox(id))
            values.insert(id, box->text());
        else if (const GraphicPtr picture = canvas(side).Selcect_Ctrl_With_ID(id); picture && picture->kind() == GraphicKind::Image)
            values.insert(id, picture->_file_path);
    }
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
        const QString cell = cells.value(column - 1).trimmed();
        const bool sameFile = !cell.isEmpty() && QFileInfo(cell).isFile() && QFileInfo(cell) == QFileInfo(value.value());
        if (column >= 1 && cell != value.value().trimmed() && !sameFile)
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
        if (controller.liveModes().panel(side).textBox(value.key()))
            expectField(side, value.key(), value.value());
}

}  // namespace livewalk

#include "GuidePrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <algorithm>

#include "model/SKTDocument.h"

namespace {

// The page is laid out in the text document's own unit, 1/96 inch, so that its pictures,
// margins and rules need no scaling for the PDF.
constexpr int kDocumentUnitsPerInch = 96;
constexpr double kUnitsPerCentimetre = kDocumentUnitsPerInch / 2.54;
const QPageLayout kPage(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
const QMarginsF kTextMargins(2.0 * kUnitsPerCentimetre, 1.8 * kUnitsPerCentimetre, 2.0 * kUnitsPerCentimetre,
                             2.2 * kUnitsPerCentimetre);
// The footer's baseline, up from the foot of the page.
constexpr double kFooterRise = 1.1 * kUnitsPerCentimetre;
const QString kGuideTitle = App_Name + QStringLiteral(" User Guide");
constexpr double kBodyPointSize = 10;
constexpr double kCaptionPointSize = 9;
constexpr double kFooterPointSize = 8;
const QColor kRuleColour(150, 155, 165);
const QColor kHeaderShade(232, 236, 243);

// The characters of the document that show a picture.
struct PictureSpan {
    int position;
    int length;
    QTextImageFormat format;
};

QList<PictureSpan> pictureSpans(const QTextDocument& document)
{
    QList<PictureSpan> spans;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isImageFormat())
                spans.append({fragment.position(), fragment.length(), fragment.charFormat().toImageFormat()});
        }
    }
    return spans;
}

QStringList missingPictures(const QList<PictureSpan>& spans, const QHash<QString, QImage>& pictures)
{
    QStringList missing;
    for (const PictureSpan& span : spans) {
        if (pictures.value(span.format.name()).isNull())
            missing << span.format.name();
    }
    return missing;
}

double textWidthInDocumentUnits()
{
    return kPage.fullRectPixels(kDocumentUnitsPerInch).width() - kTextMargins.left() - kTextMargins.right();
}

void addCaption(QTextCursor& cursor, const QString& caption)
{
    QTextBlockFormat block;
    block.setAlignment(Qt::AlignHCenter);
    block.setBottomMargin(8);
    QTextCharFormat text;
    text.setFontItalic(true);
    text.setFontPointSize(kCaptionPointSize);
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertBlock(block, text);
    cursor.insertText(caption, text);
}

// Each picture centred and no wider than the text (a narrower one keeps its size), with its
// description below it as the caption.
void placePictures(QTextDocument& document, const QList<PictureSpan>& spans, const QHash<QString, QImage>& pictures)
{
    const double textWidth = textWidthInDocumentUnits();
    QTextCursor cursor(&document);
    // From the end, so that the captions do not move the pictures still to come.
    for (auto span = spans.rbegin(); span != spans.rend(); ++span) {
        QTextImageFormat format = span->format;
        format.setWidth(std::min(pictures.value(format.name()).deviceIndependentSize().width(), textWidth));
        cursor.setPosition(span->position);
        cursor.setPosition(span->position + span->length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
        QTextBlockFormat block = cursor.blockFormat();
        block.setAlignment(Qt::AlignHCenter);
        cursor.setBlockFormat(block);
        const QString caption = format.stringProperty(QTextFormat::ImageAltText);
        if (!caption.isEmpty())
            addCaption(cursor, caption);
    }
}

void ruleCell(QTextTable& table, int row, int column, bool shaded)
{
    QTextTableCell cell = table.cellAt(row, column);
    QTextTableCellFormat format = cell.format().toTableCellFormat();
    format.setBottomBorder(0.75);
    format.setBottomBorderBrush(kRuleColour);
    format.setBottomBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    if (shaded)
        format.setBackground(kHeaderShade);
    cell.setFormat(format);
}

// A shaded header row, a thin rule under every row, the full text width.
void styleTables(QTextDocument& document)
{
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table)
            continue;
        QTextTableFormat format = table->format();
        format.setBorder(0);
        format.setBorderCollapse(true);
        format.setCellSpacing(0);
        format.setCellPadding(4);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        // Names on the left, what they do on the right.
        if (table->columns() == 2)
            format.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 36),
                                              QTextLength(QTextLength::PercentageLength, 64)});
        format.setHeaderRowCount(1);
        format.setTopMargin(4);
        format.setBottomMargin(8);
        table->setFormat(format);
        for (int row = 0; row < table->rows(); ++row) {
            for (int column = 0; column < table->columns(); ++column)
                ruleCell(*table, row, column, row == 0);
        }
    }
}

// Room above each heading, more above a chapter than a section.
void spaceHeadings(QTextDocument& document)
{
    QTextCursor cursor(&document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level < 2)
            continue;
        QTextBlockFormat format = block.blockFormat();
        format.setTopMargin(level == 2 ? 22 : 12);
        format.setBottomMargin(4);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
}

// Pages of the writer's size, in the writer's units, each with the text margins.
void paginate(QTextDocument& document, QPdfWriter& writer)
{
    document.documentLayout()->setPaintDevice(&writer);
    document.setPageSize(QSizeF(writer.width(), writer.height()));
    QTextFrameFormat root = document.rootFrame()->frameFormat();
    root.setLeftMargin(kTextMargins.left());
    root.setTopMargin(kTextMargins.top());
    root.setRightMargin(kTextMargins.right());
    root.setBottomMargin(kTextMargins.bottom());
    document.rootFrame()->setFrameFormat(root);
}

// Where the pages of the laid-out document end.
class PageEnds {
public:
    explicit PageEnds(QTextDocument& document)
        : m_layout(*document.documentLayout()), m_pageHeight(document.pageSize().height())
    {
    }
    // Whether a page ends between the top of `from` and the point `depth` below the top of `to`.
    bool part(const QTextBlock& from, const QTextBlock& to, double depth) const
    {
        return pageAt(top(from)) != pageAt(top(to) + depth - 1);
    }

private:
    double top(const QTextBlock& block) const { return m_layout.blockBoundingRect(block).top(); }
    int pageAt(double y) const { return int(y / m_pageHeight); }

    QAbstractTextDocumentLayout& m_layout;
    double m_pageHeight;
};

bool headingPartedFromItsText(const PageEnds& ends, const QTextBlock& heading)
{
    const QTextBlock text = heading.next();
    const QTextLine firstLine = text.layout()->lineAt(0);
    return ends.part(heading, text, firstLine.isValid() ? firstLine.rect().bottom() : 0);
}

bool splitAcrossPages(const PageEnds& ends, const QTextBlock& block)
{
    return ends.part(block, block, block.layout()->boundingRect().bottom());
}

// Starts the heading on a new page; false when it does already.
bool breakBefore(const QTextBlock& heading)
{
    QTextBlockFormat format = heading.blockFormat();
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        return false;
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(heading).setBlockFormat(format);
    return true;
}

bool breakBefore(QTextTable& table)
{
    QTextTableFormat format = table.format();
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        return false;
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    table.setFormat(format);
    return true;
}

// Puts the first heading that a page end parts from the first line of its text, or the first
// table with a row that a page end splits, on the next page; false when there is none.
bool moveFirstSplitToNextPage(QTextDocument& document)
{
    const PageEnds ends(document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0 && block.next().isValid()) {
            if (headingPartedFromItsText(ends, block) && breakBefore(block))
                return true;
        } else if (QTextTable* table = QTextCursor(block).currentTable()) {
            if (splitAcrossPages(ends, block) && breakBefore(*table))
                return true;
        }
    }
    return false;
}

// Headings stay with their text and table rows stay whole. The layout is made afresh for every
// look, since each move shifts what follows.
void keepTogetherAcrossPages(QTextDocument& document)
{
    do
        document.markContentsDirty(0, document.characterCount());
    while (moveFirstSplitToNextPage(document));
}

void drawFooter(QPainter& painter, QSizeF page, int number)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(kFooterPointSize);
    painter.setFont(font);
    painter.setPen(kRuleColour.darker(130));
    const QRectF line(kTextMargins.left(), page.height() - kFooterRise - painter.fontMetrics().ascent(),
                      page.width() - kTextMargins.left() - kTextMargins.right(), painter.fontMetrics().height());
    painter.drawText(line, Qt::AlignLeft, kGuideTitle);
    painter.drawText(line, Qt::AlignRight, QString::number(number));
}

// Each page of the paginated document in turn, with its footer.
bool printPages(QTextDocument& document, QPdfWriter& writer)
{
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const QSizeF page = document.pageSize();
    for (int index = 0; index < document.pageCount(); ++index) {
        if (index > 0 && !writer.newPage())
            return false;
        const QRectF shown(QPointF(0, index * page.height()), page);
        painter.save();
        painter.translate(0, -shown.top());
        painter.setClipRect(shown);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = shown;
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        drawFooter(painter, page, index + 1);
    }
    return painter.end();
}

QFont bodyFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(kBodyPointSize);
    return font;
}

}  // namespace

bool printGuide(const QString& markdown, const QHash<QString, QImage>& pictures, const QString& pdfPath,
                QString* error)
{
    QTextDocument document;
    document.setDefaultFont(bodyFont());
    document.setMarkdown(markdown);
    const QList<PictureSpan> spans = pictureSpans(document);
    if (const QStringList missing = missingPictures(spans, pictures); !missing.isEmpty()) {
        *error = QStringLiteral("The guide shows pictures that were not taken: %1").arg(missing.join(u' '));
        return false;
    }
    for (auto it = pictures.begin(); it != pictures.end(); ++it)
        document.addResource(QTextDocument::ImageResource, QUrl(it.key()), it.value());
    placePictures(document, spans, pictures);
    styleTables(document);
    spaceHeadings(document);

    QSaveFile file(pdfPath);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("Cannot write \"%1\": %2").arg(pdfPath, file.errorString());
        return false;
    }
    QPdfWriter writer(&file);
    writer.setResolution(kDocumentUnitsPerInch);
    writer.setPageLayout(kPage);
    writer.setTitle(kGuideTitle);
    writer.setCreator(App_Name);
    paginate(document, writer);
    keepTogetherAcrossPages(document);
    if (!printPages(document, writer) || !file.commit()) {
        *error = QStringLiteral("Cannot write \"%1\": %2").arg(pdfPath, file.errorString());
        return false;
    }
    return true;
}

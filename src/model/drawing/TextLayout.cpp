#include "model/drawing/TextLayout.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QTextOption>
#include <algorithm>
#include <cmath>

#include "model/SKTGraphic.h"
#include "model/drawing/PaintRules.h"
#include "platform/StringHelpers.h"

namespace {

// Wide enough for any card; lines break only at line ends.
constexpr double kUnlimitedWidth = 1e7;
// Texts up to this length are laid out whole at once.
constexpr qsizetype kFirstPiece = 4096;

QString capitalisedWords(const QString& text)
{
    QString result;
    result.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        if (text.at(i).isSpace()) {
            result += text.at(i++);
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && !text.at(end).isSpace())
            ++end;
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < end;
        const qsizetype first = pair ? 2 : 1;
        result += text.mid(i, first).toUpper();
        result += text.mid(i + first, end - i - first).toLower();
        i = end;
    }
    return result;
}

// QTextLayout lays out one paragraph; a line separator starts a new line within it.
QString withLineSeparators(QString text)
{
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    for (const QChar end : {QChar(u'\n'), QChar(u'\r'), QChar(QChar::ParagraphSeparator)})
        text.replace(end, QChar::LineSeparator);
    return text;
}

Qt::Alignment horizontalAlignment(int alignmentCode)
{
    switch (alignmentCode) {
    case 1: return Qt::AlignRight;
    case 2: return Qt::AlignHCenter;
    case 3: return Qt::AlignJustify;
    default: return Qt::AlignLeft;
    }
}

// The resolution Qt sizes a font for when no device is named.
int defaultFontDpi()
{
    QFont probe;
    probe.setStyleStrategy(QFont::ForceOutline);
    probe.setPointSizeF(72);
    return QFontInfo(probe).pixelSize();  // 72 points are one inch
}

}  // namespace

const QPaintDevice* textLayoutDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        const int dotsPerMeter = qRound(defaultFontDpi() / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return &device;
}

QString textWithCase(const QString& text, int caseCode)
{
    switch (caseCode) {
    case 1: return text.toUpper();
    case 2: return text.toLower();
    case 3: return capitalisedWords(text);
    default: return text;
    }
}

QString shownText(SKTGraphic& graphic)
{
    return textWithCase(Trim_Str(graphic.Text_contents()), graphic.textStyle.text_transfrom_case);
}

QFont shownTextFont(const TextStyle& style)
{
    QFont font = deviceFont(style.text_ctrl_font, textLayoutDevice());
    const double kerning = std::isfinite(style.text_kerning) ? style.text_kerning : 0.0;
    font.setLetterSpacing(QFont::AbsoluteSpacing, kerning);
    // Unhinted advances do not depend on the pixel size, so the layout is the same whatever
    // resolution the painter is scaled for.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

TextBoxLayout::TextBoxLayout(const QString& text, const QFont& font, int alignmentCode,
                             double width, double maxHeight)
    : m_layout(QString(), font, textLayoutDevice())
{
    QTextOption option(horizontalAlignment(alignmentCode));
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_layout.setTextOption(option);
    m_layout.setCacheEnabled(true);
    layOutBeginning(withLineSeparators(text), width > 0 ? width : kUnlimitedWidth, maxHeight);
    // Without a width, the lines are aligned within the widest of them.
    if (width <= 0)
        layOutLines(m_usedWidth, maxHeight, false);
}

// Qt prepares the whole text of a layout before its first line (character attributes, scripts and
// room for a glyph per character: some 40 bytes a character). A text longer than a few lines is
// laid out from a beginning of it, twice as long each time, until a line past the last one shown
// ends inside it: the lines shown are then those of the whole text.
void TextBoxLayout::layOutBeginning(const QString& text, double width, double maxHeight)
{
    for (qsizetype length = kFirstPiece; length < text.size(); length *= 2) {
        const qsizetype cut = text.at(length - 1).isHighSurrogate() ? length + 1 : length;
        m_layout.setText(text.first(std::min(cut, text.size())));
        if (layOutLines(width, maxHeight, true)) {
            layOutLines(width, maxHeight, false);
            return;
        }
    }
    m_layout.setText(text);
    layOutLines(width, maxHeight, false);
}

// Each line of a word wider than the box scans the rest of the word before it breaks inside it, so
// laying out every line of a long word takes quadratic time: lines stop at the first one that
// reaches maxHeight (at least one line is laid out). With `probe`, one line more is laid out and
// the answer is whether it ends before the text does.
bool TextBoxLayout::layOutLines(double width, double maxHeight, bool probe)
{
    double y = 0;
    double used = 0;
    m_layout.beginLayout();
    for (QTextLine line = m_layout.createLine(); line.isValid(); line = y < maxHeight ? m_layout.createLine() : QTextLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
        used = std::max(used, line.naturalTextWidth());
    }
    bool endsInside = false;
    if (probe && y >= maxHeight) {
        QTextLine next = m_layout.createLine();
        if (next.isValid()) {
            next.setLineWidth(width);
            endsInside = next.textStart() + next.textLength() < m_layout.text().size();
        }
    }
    m_layout.endLayout();
    m_height = y;
    m_usedWidth = used;
    return endsInside;
}

QRectF TextBoxLayout::inkArea(QPointF topLeft) const
{
    const double reach = m_layout.lineCount() > 0 ? m_layout.lineAt(0).height() : 0.0;
    return m_layout.boundingRect().translated(topLeft).adjusted(-reach, -reach, reach, reach);
}

void TextBoxLayout::draw(QPainter& painter, QPointF topLeft) const
{
    m_layout.draw(&painter, topLeft);
}

QList<TextBoxLayout::Line> TextBoxLayout::lines() const
{
    QList<Line> lines;
    for (int n = 0; n < m_layout.lineCount(); ++n) {
        const QTextLine line = m_layout.lineAt(n);
        lines << Line{m_layout.text().mid(line.textStart(), line.textLength()), line.naturalTextRect()};
    }
    return lines;
}

std::unique_ptr<TextBoxLayout> layOutElementText(const SKTGraphic& graphic, const QString& text, double maxHeight)
{
    const TextStyle& style = graphic.textStyle;
    return std::make_unique<TextBoxLayout>(text, shownTextFont(style), style.text_alignmnet, graphic.bounds().width(),
                                           maxHeight);
}

QPointF elementTextTopLeft(const SKTGraphic& graphic, const TextBoxLayout& layout)
{
    const QRectF box = graphic.bounds();
    double top = box.y();
    if (graphic.textStyle.text_alignmnet_Vert == 1)
        top += box.height() - layout.height();
    else if (graphic.textStyle.text_alignmnet_Vert == 2)
        top += (box.height() - layout.height()) / 2;
    return QPointF(static_cast<float>(box.x()), static_cast<float>(top));
}

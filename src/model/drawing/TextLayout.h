#pragma once
// The text a text element shows, laid out in its box. Drawing and measuring both go through
// TextBoxLayout, so a box sized to its text fits the text exactly as it is drawn.
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTextLayout>
#include <limits>
#include <memory>

class QPaintDevice;
class QPainter;
class SKTGraphic;
struct TextStyle;

// The case codes of a text element: 1 upper, 2 lower, 3 capitalised (each run of non-white-space
// starts with an upper-case letter, the rest lower case); any other code leaves the text as is.
QString textWithCase(const QString& text, int caseCode);

// The element's contents trimmed, with its case transform applied.
QString shownText(SKTGraphic& graphic);

// The device every text is laid out for: Qt's default font resolution. One painter unit is one
// point on every card device, so a font sized for this device with deviceFont draws at its size
// in points on any of them, and a layout made once is drawn as measured. (Laying out for a 72-dpi device
// instead would lose letter spacing: Qt 6.4 scales absolute spacing by the integer quotient of
// the device's and the default resolution, which is 0 there.)
const QPaintDevice* textLayoutDevice();

// The style's font for the layout device, with its kerning as extra letter spacing in points.
QFont shownTextFont(const TextStyle& style);

// Text broken into lines at a width (at word boundaries; inside a word only when the word alone
// is wider) and aligned by a horizontal alignment code (0 left, 1 right, 2 centre, 3 justified,
// 4 natural = left). A width of zero or less breaks only at line ends. Lines are laid out down to
// the first that reaches maxHeight, none below it: a long text costs what its box shows. The font
// is one sized for textLayoutDevice().
class TextBoxLayout {
public:
    TextBoxLayout(const QString& text, const QFont& font, int alignmentCode, double width,
                  double maxHeight = std::numeric_limits<double>::infinity());
    TextBoxLayout(const TextBoxLayout&) = delete;
    TextBoxLayout& operator=(const TextBoxLayout&) = delete;

    // Height of the lines laid out; an empty text has the height of one line.
    double height() const { return m_height; }
    // Width of the widest line, without the space alignment adds.
    double usedWidth() const { return m_usedWidth; }
    // Where the glyphs may reach with the top-left of the box at topLeft: the lines' area grown
    // by a line height on every side for glyphs that pass their line (italics, accents).
    QRectF inkArea(QPointF topLeft) const;
    // Draws the lines with the painter's pen, the top-left of the box at topLeft.
    void draw(QPainter& painter, QPointF topLeft) const;

    struct Line {
        QString text;
        QRectF area;  // with the top-left of the box at (0, 0)
    };
    // The lines laid out, in order: what a box shows of a text too long for it.
    QList<Line> lines() const;

private:
    void layOutBeginning(const QString& text, double width, double maxHeight);
    bool layOutLines(double width, double maxHeight, bool probe);

    QTextLayout m_layout;
    double m_height = 0;
    double m_usedWidth = 0;
};

// The element's shown text (as shownText gives it) laid out at its bounds width with its font,
// kerning and alignment, down to the first line that reaches maxHeight (the box's height when
// drawing): what drawing draws and measuring measures.
std::unique_ptr<TextBoxLayout> layOutElementText(const SKTGraphic& graphic, const QString& text, double maxHeight);

// Where the element's text laid out so is drawn, before its turn: the box's left and its top moved
// for the vertical alignment.
QPointF elementTextTopLeft(const SKTGraphic& graphic, const TextBoxLayout& layout);

#include "designfile/DesignFileForms.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QLocale>
#include <QMutex>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "model/NumberBounds.h"
#include "platform/AppContext.h"
#include "platform/NumberText.h"

namespace {

// A fraction written from an 8-bit channel (four decimals of k/255) reads back as exactly that
// channel: taken as it stands it would fill sixteen bits the four decimals never held, and
// gradients and text are drawn from all sixteen. Any other fraction keeps its own value.
quint16 channelFromFraction(float fraction)
{
    const int eightBits = qRound(fraction * 255);
    const double written = std::round(eightBits / 255.0 * 1e4) / 1e4;
    if (std::abs(fraction - written) < 1e-6)
        return quint16(eightBits * 257);
    return quint16(qRound(fraction * 65535));
}

const QString kFontSeparator = QStringLiteral("::::");

QString shortestNumber(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

float singlePrecision(double value)
{
    return std::abs(value) <= double(FLT_MAX) ? float(value) : 0.0f;
}

// The numbers of "{a, b}" or "{{a, b}, {c, d}}", white space allowed between the parts.
std::optional<QList<double>> bracedNumbers(const QString& text, const QRegularExpression& shape)
{
    const QRegularExpressionMatch match = shape.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    QList<double> values;
    for (int i = 1; i <= match.lastCapturedIndex(); ++i) {
        bool ok = false;
        const double value = QLocale::c().toDouble(match.capturedView(i), &ok);
        if (!ok || !std::isfinite(value))
            return std::nullopt;
        values.append(value);
    }
    return values;
}

#define ZOVA_NUMBER R"(\s*([-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?)\s*)"

const QRegularExpression& pairShape()
{
    static const QRegularExpression shape(QStringLiteral(R"(^\s*\{)" ZOVA_NUMBER "," ZOVA_NUMBER R"(\}\s*$)"));
    return shape;
}

const QRegularExpression& rectShape()
{
    static const QRegularExpression shape(QStringLiteral(
        R"(^\s*\{\s*\{)" ZOVA_NUMBER "," ZOVA_NUMBER R"(\}\s*,\s*\{)" ZOVA_NUMBER "," ZOVA_NUMBER R"(\}\s*\}\s*$)"));
    return shape;
}

#undef ZOVA_NUMBER

// An installed font: a family and one of its styles, empty for the regular face.
struct InstalledFace {
    QString family;
    QString style;
};

// Style names run to three words ("Condensed Bold Oblique"); the bound keeps a hostile name of
// many words from costing a font-database look-up per word.
constexpr qsizetype kMostStyleWords = 4;

// An installed family as it is; else the family before the longest trailing words that name one
// of its styles. Nothing for a name that is neither.
std::optional<InstalledFace> lookUpFace(const QString& name)
{
    if (QFontDatabase::hasFamily(name))
        return InstalledFace{name, {}};
    const QStringList words = name.split(u' ');
    for (qsizetype styleWords = std::min(kMostStyleWords, words.size() - 1); styleWords > 0; --styleWords) {
        const QString family = words.first(words.size() - styleWords).join(u' ');
        if (!QFontDatabase::hasFamily(family))
            continue;
        const QString style = words.last(styleWords).join(u' ');
        for (const QString& installed : QFontDatabase::styles(family))
            if (installed.compare(style, Qt::CaseInsensitive) == 0)
                return InstalledFace{family, installed};
    }
    return std::nullopt;
}

std::optional<InstalledFace> installedFace(const QString& name)
{
    // The font database needs the GUI application; without one the name is taken as a family.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return InstalledFace{name, {}};
    // Asking fontconfig costs a substitution pass per call, and a design names few fonts many
    // times. Fonts installed while the application runs are seen at its next start.
    static QMutex mutex;
    static QHash<QString, std::optional<InstalledFace>> answers;
    const QMutexLocker lock(&mutex);
    const auto known = answers.constFind(name);
    if (known != answers.cend())
        return *known;
    return *answers.insert(name, lookUpFace(name));
}

}  // namespace

QString flagText(bool on) { return on ? QStringLiteral("Y") : QStringLiteral("N"); }
bool flagFromText(const QString& text) { return text == QLatin1String("Y"); }

QString integerText(qint32 value) { return QString::number(value); }
qint32 integerFromText(const QString& text) { return leadingInt(text); }

QString decimalText(double value) { return numberText(value, 2); }
float decimalFromText(const QString& text) { return singlePrecision(leadingDouble(text)); }

QString Convert_Color_to_String(const QColor& color)
{
    float r = 0, g = 0, b = 0, a = 0;
    if (color.isValid())
        color.toRgb().getRgbF(&r, &g, &b, &a);
    return QStringList{numberText(r, 4), numberText(g, 4), numberText(b, 4), numberText(a, 4)}.join(u':');
}

QColor Convert_String_to_Color(const QString& text)
{
    const QStringList parts = text.split(u':');
    quint16 channels[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4 && i < parts.size(); ++i)
        channels[i] = channelFromFraction(std::clamp(singlePrecision(leadingDouble(parts[i])), 0.0f, 1.0f));
    return QColor::fromRgba64(channels[0], channels[1], channels[2], channels[3]);
}

QString Convert_Font_to_String(const CardFont& font)
{
    if (font.family.isEmpty())
        return Text_Ctrl_Font + kFontSeparator + numberText(Text_Ctrl_Font_Size, 2);
    return font.name() + kFontSeparator + numberText(font.size, 2);
}

std::optional<CardFont> Convert_String_to_Font(const QString& text)
{
    const qsizetype separator = text.indexOf(kFontSeparator);
    if (separator < 0)
        return std::nullopt;
    const QString name = text.left(separator);
    const double size = std::clamp(double(decimalFromText(text.mid(separator + kFontSeparator.size()))),
                                   NumberBounds::kFontSize.low, NumberBounds::kFontSize.high);
    const std::optional<InstalledFace> face = installedFace(name);
    return face ? CardFont{face->family, size, face->style} : CardFont{Text_Ctrl_Font, size};
}

QString pointText(QPointF point)
{
    return QStringLiteral("{%1, %2}").arg(shortestNumber(point.x()), shortestNumber(point.y()));
}

QString sizeText(QSizeF size)
{
    return QStringLiteral("{%1, %2}").arg(shortestNumber(size.width()), shortestNumber(size.height()));
}

QString rectText(const QRectF& rect)
{
    return QStringLiteral("{%1, %2}").arg(pointText(rect.topLeft()), sizeText(rect.size()));
}

std::optional<QPointF> pointFromText(const QString& text)
{
    const auto values = bracedNumbers(text, pairShape());
    return values ? std::optional<QPointF>(QPointF((*values)[0], (*values)[1])) : std::nullopt;
}

std::optional<QSizeF> sizeFromText(const QString& text)
{
    const auto values = bracedNumbers(text, pairShape());
    return values ? std::optional<QSizeF>(QSizeF((*values)[0], (*values)[1])) : std::nullopt;
}

std::optional<QRectF> rectFromText(const QString& text)
{
    const auto values = bracedNumbers(text, rectShape());
    return values ? std::optional<QRectF>(QRectF((*values)[0], (*values)[1], (*values)[2], (*values)[3]))
                  : std::nullopt;
}

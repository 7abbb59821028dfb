#include "views/inspector/CardRescale.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace {

const QString kHorizontal = QStringLiteral("Horizontal");
const QString kVertical = QStringLiteral("Vertical");
const QString kCustom = QStringLiteral("Custom");

constexpr float kTextMinimumWidth = 50.0f;
constexpr float kTextMinimumHeight = 20.0f;

float scaled(float length, float percent)
{
    return length + length * percent / 100.0f;
}

bool isPositiveFinite(float length)
{
    return std::isfinite(length) && length > 0.0f;
}

}  // namespace

void Set_Control_Location_Size_IF_Card_Size_Change(const GraphicList& front, const GraphicList& back,
                                                   float old_width, float old_height, float new_width,
                                                   float new_height, bool change_font_size)
{
    if (new_width == old_width && new_height == old_height)
        return;
    if (!isPositiveFinite(old_width) || !isPositiveFinite(old_height) || !isPositiveFinite(new_width)
        || !isPositiveFinite(new_height))
        return;
    const float pw = (new_width - old_width) * 100.0f / old_width;
    const float ph = (new_height - old_height) * 100.0f / old_height;
    // A denormal old size overflows the percentage.
    if (!std::isfinite(pw) || !std::isfinite(ph))
        return;
    Chane_control_size_location_for_both_side(front, pw, ph);
    Chane_control_size_location_for_both_side(back, pw, ph);
}

void Chane_control_size_location_for_both_side(const GraphicList& list, float percent_value_width,
                                               float percent_value_height)
{
    for (const GraphicPtr& graphic : list) {
        const QRectF bounds = graphic->bounds();
        const float x = scaled(float(bounds.x()), percent_value_width);
        const float y = scaled(float(bounds.y()), percent_value_height);
        float width = float(bounds.width());
        float height = float(bounds.height());
        if (graphic->kind() != GraphicKind::Barcode) {
            width = scaled(width, percent_value_width);
            height = scaled(height, percent_value_height);
        }
        if (graphic->kind() == GraphicKind::Text) {
            width = std::max(width, kTextMinimumWidth);
            height = std::max(height, kTextMinimumHeight);
        }
        graphic->setBounds(QRectF(x, y, width, height));
    }
}

QString templateVariantPath(const QString& templatePath, const QString& old_preset, const QString& new_preset)
{
    QString mark, variantMark;
    if (old_preset == kHorizontal && new_preset == kVertical) {
        mark = QStringLiteral("(h)");
        variantMark = QStringLiteral("(v)");
    } else if (old_preset == kVertical && new_preset == kHorizontal) {
        mark = QStringLiteral("(v)");
        variantMark = QStringLiteral("(h)");
    } else {
        return {};
    }
    const QFileInfo original(templatePath);
    const QString name = original.fileName();
    if (!name.contains(mark, Qt::CaseInsensitive))
        return {};
    const QString variantName = QString(name).replace(mark, variantMark, Qt::CaseInsensitive);
    // Linux file names keep their case: "Badge (V).zvt" is the variant of "badge (h).zvt".
    const QStringList files = original.dir().entryList(QDir::Files | QDir::Hidden, QDir::Name);
    const auto found = std::find_if(files.cbegin(), files.cend(), [&](const QString& file) {
        return file.compare(variantName, Qt::CaseInsensitive) == 0;
    });
    if (found == files.cend())
        return {};
    return templatePath.left(templatePath.size() - name.size()) + *found;
}

CardSizeChange cardSizeChangeFor(const CardSizeChoice& before, const CardSizeChoice& after, const DesignFacts& design)
{
    if (after.preset == kCustom || after == before)
        return {};
    CardSizeChange change{true, {}};
    const bool untouched = !design.editedSinceStart && design.projectFileName.isEmpty();
    if (untouched && before.preset != after.preset && design.startOption != QLatin1String("G")
        && !design.templatePath.isEmpty())
        change.templateVariant = templateVariantPath(design.templatePath, before.preset, after.preset);
    return change;
}

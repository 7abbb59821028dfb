#include "views/inspector/CardSizeLists.h"

#include "views/inspector/InspectorWindow.h"

const QStringList& cardOrientations()
{
    static const QStringList orientations{QStringLiteral("Horizontal"), QStringLiteral("Vertical"),
                                          QStringLiteral("Custom")};
    return orientations;
}

const QStringList& cardCategories()
{
    static const QStringList categories{QStringLiteral("PVC Card"), QStringLiteral("Paper Card")};
    return categories;
}

QStringList sizeNamesOfCategory(const InspectorCardSize& presets, int category)
{
    return category == 0 ? presets.pvc_card_arry() : presets.paper_card_arry();
}

QSizeF presetSize(const InspectorCardSize& presets, const QString& orientation, const QString& category, int row)
{
    const QString letter = orientation == QLatin1String("Horizontal") ? QStringLiteral("H") : QStringLiteral("V");
    return presets.Get_My_card_Size(category, letter, row);
}

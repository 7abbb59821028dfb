#include "mainwindow/CardSizePresets.h"

#include <array>

#include "platform/Units.h"

namespace {

struct Preset {
    const char* name;
    float first;   // inches
    float second;  // inches
};

constexpr std::array<Preset, 7> kPvcCards{{
    {"CR80-Credit Card Size", 3.37f, 2.13f},
    {"CR79", 3.31f, 2.06f},
    {"CR90-Over Sized", 3.62f, 2.38f},
    {"CR100-Military Size", 3.88f, 2.62f},
    {"CR50", 3.5f, 1.75f},
    {"CR60", 3.25f, 2.34f},
    {"CR70", 2.88f, 2.12f},
}};

constexpr std::array<Preset, 8> kPaperBadges{{
    {"Durable 1458 - Name Badge", 3.94f, 4.09f},
    {"Durable 1452 - Name Badge", 2.36f, 1.58f},
    {"Durable 1453 - Name Badge", 2.95f, 1.58f},
    {"Durable 1454 - Name Badge", 2.95f, 1.58f},
    {"Durable 1455 - Name Badge", 3.54f, 2.13f},
    {"Durable 1456 - Name Badge", 3.54f, 2.36f},
    {"Durable 1457 - Name Badge", 2.36f, 3.54f},
    {"Durable 1459 - Name Badge", 5.91f, 4.96f},
}};

template <std::size_t N>
QStringList namesOf(const std::array<Preset, N>& presets)
{
    QStringList names;
    for (const Preset& preset : presets)
        names << QString::fromLatin1(preset.name);
    return names;
}

bool isPvcKind(const QString& kind)
{
    return kind == QLatin1String("PVC Card");
}

}  // namespace

const QStringList& pvc_card_names()
{
    static const QStringList names = namesOf(kPvcCards);
    return names;
}

const QStringList& paper_card_names()
{
    static const QStringList names = namesOf(kPaperBadges);
    return names;
}

QSizeF Get_My_card_Size(const QString& kind, const QString& orientation, int list_index)
{
    float first = 30.0f;
    float second = 30.0f;
    const auto pick = [&](const auto& presets) {
        if (list_index >= 0 && list_index < int(presets.size())) {
            first = presets[list_index].first;
            second = presets[list_index].second;
        }
    };
    if (isPvcKind(kind))
        pick(kPvcCards);
    else
        pick(kPaperBadges);
    if (list_index != -1) {
        // Single precision, as the sizes are kept.
        first = first * float(kMillimetresPerInch);
        second = second * float(kMillimetresPerInch);
    }
    if (orientation == QLatin1String("V"))
        return QSizeF(second, first);
    return QSizeF(first, second);
}

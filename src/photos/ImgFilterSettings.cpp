#include "photos/ImgFilterSettings.h"

#include <QStringList>
#include <algorithm>
#include <functional>
#include <iterator>
#include <variant>
#include <vector>

#include "platform/NumberText.h"
#include "platform/StringHelpers.h"

bool IMG_gray_Scale = false;
bool IMG_Sepia = false;
bool IMG_invert_clr = false;
float IMG_hue_val = 0;
float IMG_sat_val = 1;
float IMG_brt_val = 0;
float IMG_con_val = 1;
float IMG_srp_val = 0;
float IMG_ev_val = 0;
float IMG_blr_val = 0;
float IMG_trnsp_val = 100;
float IMG_rotate_image = 0;
bool IMG_Flip_H = false;
bool IMG_Flip_V = false;

namespace {

// Calls visit(global, member) for each IMG_ global and its member of the settings.
template <typename Visit>
void forEachGlobal(PictureSettings& s, Visit visit)
{
    visit(IMG_Flip_H, s._isFlippedHorizontally);
    visit(IMG_Flip_V, s._isFlippedVertically);
    visit(IMG_invert_clr, s.invert_clr);
    visit(IMG_gray_Scale, s.gray_Scale);
    visit(IMG_Sepia, s.Sepia);
    visit(IMG_trnsp_val, s.img_trnsp_val);
    visit(IMG_hue_val, s.hue_val);
    visit(IMG_sat_val, s.sat_val);
    visit(IMG_brt_val, s.brt_val);
    visit(IMG_con_val, s.con_val);
    visit(IMG_srp_val, s.srp_val);
    visit(IMG_ev_val, s.ev_val);
    visit(IMG_blr_val, s.blr_val);
    visit(IMG_rotate_image, s.rotate_image);
}

// A leading Y, y, T, t or digit 1-9 is true, after white space, a sign and leading zeros.
bool textBoolValue(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    while (i < text.size() && text[i] == u'0')
        ++i;
    if (i == text.size())
        return false;
    const QChar c = text[i];
    return c == u'Y' || c == u'y' || c == u'T' || c == u't' || (c >= u'1' && c <= u'9');
}

float textFloatValue(const QString& text)
{
    return static_cast<float>(leadingDouble(text));
}

void readFieldText(bool& value, const QString& text)
{
    value = textBoolValue(text);
}

void readFieldText(float& value, const QString& text)
{
    value = textFloatValue(text);
}

// "r:g:b:a", components 0..1; missing ones count as 0.
QColor borderColourFromText(const QString& text)
{
    const QStringList parts = text.split(u':');
    float rgba[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4 && i < parts.size(); ++i)
        rgba[i] = std::clamp(textFloatValue(parts[i]), 0.0f, 1.0f);
    return QColor::fromRgbF(rgba[0], rgba[1], rgba[2], rgba[3]);
}

using SettingsField = std::variant<bool PictureSettings::*, float PictureSettings::*>;

// The stored settings fields, in their order; the invert flag has none.
const SettingsField kSettingsFields[] = {
    &PictureSettings::_isFlippedHorizontally,
    &PictureSettings::_isFlippedVertically,
    &PictureSettings::gray_Scale,
    &PictureSettings::Sepia,
    &PictureSettings::rotate_image,
    &PictureSettings::srp_val,
    &PictureSettings::ev_val,
    &PictureSettings::blr_val,
    &PictureSettings::sat_val,
    &PictureSettings::brt_val,
    &PictureSettings::con_val,
    &PictureSettings::hue_val,
    &PictureSettings::img_trnsp_val,
};
constexpr int kSettingsFieldCount = int(std::size(kSettingsFields));

using BorderReader = std::function<void(PictureBorder&, const QString&)>;

// The border fields that follow the settings, in their order.
const std::vector<BorderReader>& borderReaders()
{
    static const std::vector<BorderReader> readers{
        [](PictureBorder& b, const QString& t) { b.on = textBoolValue(t); },
        [](PictureBorder& b, const QString& t) { b.width = textFloatValue(t); },
        [](PictureBorder& b, const QString& t) { b.style = t; },
        [](PictureBorder& b, const QString& t) { b.colour = borderColourFromText(t); },
    };
    return readers;
}

}  // namespace

PictureSettings Get_IMG_Settings()
{
    PictureSettings settings;
    forEachGlobal(settings, [](auto& global, auto& member) { member = global; });
    return settings;
}

void Set_IMG_Settings(const PictureSettings& settings)
{
    PictureSettings copy = settings;
    forEachGlobal(copy, [](auto& global, auto& member) { global = member; });
}

void Set_IMG_Adjustments(const PictureSettings& settings)
{
    PictureSettings kept = settings;
    kept._isFlippedHorizontally = IMG_Flip_H;
    kept._isFlippedVertically = IMG_Flip_V;
    Set_IMG_Settings(kept);
}

PictureReference ParsePictureSettingsText(const QString& text)
{
    PictureReference reference;
    const qsizetype marker = text.indexOf(IMG_Filter_Marker);
    if (marker < 0) {
        reference.path = text;
        return reference;
    }
    reference.path = text.left(marker);
    // Paths contain "_" too, so fields are split only after the marker; the text after the last
    // "_" has no closing mark and is no field.
    QStringList fields = text.mid(marker + IMG_Filter_Marker.size()).split(u'_');
    fields.removeLast();
    const int count = static_cast<int>(
        std::min<qsizetype>(fields.size(), kSettingsFieldCount + qsizetype(borderReaders().size())));
    for (int i = 0; i < count; ++i) {
        const QString field = Trim_Str(fields[i]);
        if (i < kSettingsFieldCount)
            std::visit([&](auto member) { readFieldText(reference.settings.*member, field); }, kSettingsFields[i]);
        else
            borderReaders()[i - kSettingsFieldCount](reference.border, field);
    }
    reference.fieldsRead = count;
    return reference;
}

PictureReference Read_IMG_Filter_Settings(const QString& text)
{
    const PictureReference reference = ParsePictureSettingsText(text);
    PictureSettings shared = Get_IMG_Settings();
    for (int i = 0; i < std::min(reference.fieldsRead, kSettingsFieldCount); ++i)
        std::visit([&](auto member) { shared.*member = reference.settings.*member; }, kSettingsFields[i]);
    Set_IMG_Settings(shared);
    return reference;
}

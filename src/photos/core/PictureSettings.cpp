#include "photos/core/PictureSettings.h"

#include <QStringList>
#include <algorithm>
#include <functional>
#include <vector>

#include "canvas/helpers/StringHelpers.h"
#include "platform/NumberText.h"

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

// "r:g:b:a", components 0..1; missing ones count as 0.
QColor borderColourFromText(const QString& text)
{
    const QStringList parts = text.split(u':');
    float rgba[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4 && i < parts.size(); ++i)
        rgba[i] = std::clamp(textFloatValue(parts[i]), 0.0f, 1.0f);
    return QColor::fromRgbF(rgba[0], rgba[1], rgba[2], rgba[3]);
}

using FieldReader = std::function<void(PictureSettings&, const QString&)>;

// The stored fields, in their order.
const std::vector<FieldReader>& fieldReaders()
{
    static const std::vector<FieldReader> readers{
        [](PictureSettings& s, const QString& t) { s.flipH = textBoolValue(t); },
        [](PictureSettings& s, const QString& t) { s.flipV = textBoolValue(t); },
        [](PictureSettings& s, const QString& t) { s.grayScale = textBoolValue(t); },
        [](PictureSettings& s, const QString& t) { s.sepia = textBoolValue(t); },
        [](PictureSettings& s, const QString& t) { s.rotate = textFloatValue(t); },
        [](PictureSettings& s, const QString& t) { s.sharpness = textFloatValue(t); },
        [](PictureSettings& s, const QString& t) { s.exposure = textFloatValue(t); },
        [](PictureSettings& s, const QString& t) { s.blur = textFloatValue(t); },
        [](PictureSettings& s, const QString& t) { s.saturation = textFloatValue(t); },
        [](PictureSettings& s, const QString& t) { s.brightness = textFloatValue(t); },
        [](PictureSettings& s, const QString& t) { s.contrast = textFloatValue(t); },
        [](PictureSettings& s, const QString& t) { s.hue = textFloatValue(t); },
        [](PictureSettings& s, const QString& t) { s.transparency = textFloatValue(t); },
        [](PictureSettings& s, const QString& t) { s.borderOn = textBoolValue(t); },
        [](PictureSettings& s, const QString& t) { s.borderWidth = textFloatValue(t); },
        [](PictureSettings& s, const QString& t) { s.borderStyle = t; },
        [](PictureSettings& s, const QString& t) { s.borderColour = borderColourFromText(t); },
    };
    return readers;
}

}  // namespace

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
    const auto& readers = fieldReaders();
    const int count = static_cast<int>(std::min<qsizetype>(fields.size(), qsizetype(readers.size())));
    for (int i = 0; i < count; ++i)
        readers[i](reference.settings, Trim_Str(fields[i]));
    reference.fieldsRead = count;
    return reference;
}

PictureReference Read_IMG_Filter_Settings(const QString& text)
{
    const PictureReference reference = ParsePictureSettingsText(text);
    const PictureSettings& s = reference.settings;
    const std::function<void()> setters[] = {
        [&] { IMG_Flip_H = s.flipH; },          [&] { IMG_Flip_V = s.flipV; },
        [&] { IMG_gray_Scale = s.grayScale; },  [&] { IMG_Sepia = s.sepia; },
        [&] { IMG_rotate_image = s.rotate; },   [&] { IMG_srp_val = s.sharpness; },
        [&] { IMG_ev_val = s.exposure; },       [&] { IMG_blr_val = s.blur; },
        [&] { IMG_sat_val = s.saturation; },    [&] { IMG_brt_val = s.brightness; },
        [&] { IMG_con_val = s.contrast; },      [&] { IMG_hue_val = s.hue; },
        [&] { IMG_trnsp_val = s.transparency; },
    };
    for (int i = 0; i < reference.fieldsRead && i < int(std::size(setters)); ++i)
        setters[i]();
    return reference;
}

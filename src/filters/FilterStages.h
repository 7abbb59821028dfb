#pragma once
// The picture filter chain's stages. Each returns a new picture and leaves its source alone.
// Colour values are taken as 0..1 in the picture's own (gamma-encoded) channels; results are
// rounded and clamped to 8 bits. Pictures of any format are accepted.
#include <QImage>
#include <array>

// Luminance weights of the monochrome, saturation and sharpening stages.
inline constexpr float kLumaRed = 0.2125f;
inline constexpr float kLumaGreen = 0.7154f;
inline constexpr float kLumaBlue = 0.0721f;

// out = rgb * (r, g, b) + offset for each of the three colour rows; alpha is never touched.
// The colour stages are all of this form, so runs of them fold into one matrix.
struct ColourMatrix {
    std::array<std::array<float, 4>, 3> rows{};  // r, g, b weights, then the offset

    static ColourMatrix identity();
    // This matrix followed by `next`.
    ColourMatrix then(const ColourMatrix& next) const;
    bool isIdentity() const;
};

// Grey of the pixel's luminance (a monochrome tint of mid grey at full intensity).
ColourMatrix monochromeMatrix();
// The classic sepia tone at full intensity.
ColourMatrix sepiaMatrix();
// Hue turned by the angle in radians about the grey axis; greys stay put, 2 pi is the identity.
ColourMatrix hueMatrix(float radians);
// Saturation mixes from the luminance grey (1 unchanged), then brightness is added (0 unchanged),
// then contrast scales about mid grey 0.5 (1 unchanged).
ColourMatrix colourControlsMatrix(float saturation, float brightness, float contrast);
// Every channel times 2^ev.
ColourMatrix exposureMatrix(float ev);

// Result in QImage::Format_ARGB32 (colours unpremultiplied).
QImage applyColourMatrix(const QImage& picture, const ColourMatrix& matrix);

// Unsharp masking of luminance only: each channel gains amount * (4 L - the 4 neighbours' L), so
// chroma is kept. Edges repeat. Result in Format_ARGB32; an amount of 0 (or not finite) gives
// the source. With a reach above 1 (this picture's pixels per pixel of the smaller picture the
// amount was chosen on), L is the luminance averaged over about that many pixels and the
// neighbours lie that far away, so the picture is sharpened as the smaller one was.
QImage sharpenLuminance(const QImage& picture, float amount, double reach = 1);

// Mean over the (2R+1) x (2R+1) square around each pixel, R the radius rounded (at most the
// picture's longer side); edges repeat, colours are weighted by their alpha. Result in
// Format_ARGB32_Premultiplied; a radius under 0.5 (or not finite) gives the source.
QImage boxBlur(const QImage& picture, float radius);

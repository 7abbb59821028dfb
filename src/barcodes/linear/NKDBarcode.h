#pragma once
// A linear barcode: a value turned into a bar string of '1' (dark module) and '0' (light module),
// left to right, with the captions and text bands drawn around it. Each symbology overrides the
// encoding hooks; everything else is shared.
#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>
#include <string>

#include "barcodes/BarcodeFrame.h"

struct BarcodeContext;

using BarString = std::string;

// Digits of a caption printed under their own modules, [firstModule, endModule) of the complete
// bar string.
struct CaptionGroup {
    QString text;
    int firstModule = 0;
    int endModule = 0;
};

class NKDBarcode {
public:
    NKDBarcode() = default;
    virtual ~NKDBarcode() = default;
    NKDBarcode(const NKDBarcode&) = delete;
    NKDBarcode& operator=(const NKDBarcode&) = delete;

    // ---- Initialisation ---------------------------------------------------------------------
    virtual void initWithContent(const QString& content, bool printsCaption = true);
    // Sizes and font size are not applied here (the factory sets them); the check digit is.
    virtual void initWithContent(const QString& content, bool printsCaption, float barWidth,
                                 float height, float fontSize, int checkDigit);

    // The context the text bands are measured with and the margins read from (not owned).
    void setContext(const BarcodeContext* context) { context_ = context; }
    const BarcodeContext* context() const { return context_; }

    // ---- Fields -----------------------------------------------------------------------------
    virtual void setContent(const QString& content) { frame_.content = content; }
    const QString& content() const { return frame_.content; }
    void setHeader(const QString& header) { frame_.header = header; }
    void setFooter(const QString& footer) { frame_.footer = footer; }
    const QString& header() const { return frame_.header; }
    const QString& footer() const { return frame_.footer; }
    virtual void setHeight(float height) { frame_.height = height; }
    float height() const { return frame_.height; }
    void setWidth(float width) { frame_.width = width; }
    float width() const { return frame_.width; }
    virtual void setBarWidth(float barWidth) { barWidth_ = barWidth; }
    float barWidth() const { return barWidth_; }
    // Character code of the check character, -1 for none (Code 128: the check value).
    void setCheckDigit(int checkDigit) { checkDigit_ = checkDigit; }
    int checkDigit() const { return checkDigit_; }
    void setPrintsCaption(bool on) { frame_.printsCaption = on; }
    void setPrintsHeader(bool on) { frame_.printsHeader = on; }
    void setPrintsFooter(bool on) { frame_.printsFooter = on; }
    virtual bool printsCaption() const { return frame_.printsCaption; }
    virtual bool printsHeader() const { return frame_.printsHeader; }
    virtual bool printsFooter() const { return frame_.printsFooter; }
    void set_Barcode_Orientation(int orientation) { barcode_orientation_ = orientation; }
    int Barcode_Orientation() const { return barcode_orientation_; }

    // Text bands: heights in inches, widths in points.
    void setCaptionHeight(float v) { frame_.captionHeight = v; }
    void setHeaderHeight(float v) { frame_.headerHeight = v; }
    void setFooterHeight(float v) { frame_.footerHeight = v; }
    void setHeaderWidth(float v) { frame_.headerWidth = v; }
    void setFooterWidth(float v) { frame_.footerWidth = v; }
    float captionHeight() const { return frame_.captionHeight; }
    float headerHeight() const { return frame_.headerHeight; }
    float footerHeight() const { return frame_.footerHeight; }
    float headerWidth() const { return frame_.headerWidth; }
    float footerWidth() const { return frame_.footerWidth; }
    // Store the size and measure the band with the context's font (no context: bands unchanged).
    void setCaptionFontSize(float size);
    void setHeaderFontSize(float size);
    void setFooterFontSize(float size);
    float caption_fontSize() const { return frame_.caption_fontSize; }
    float header_fontSize() const { return frame_.header_fontSize; }
    float footer_fontSize() const { return frame_.footer_fontSize; }

    // ---- Encoding ---------------------------------------------------------------------------
    virtual bool isSizeValid() const { return true; }
    virtual void generateChecksum() {}
    virtual bool isContentValid() const;
    virtual BarString initiator() const { return {}; }
    virtual BarString terminator() const { return {}; }
    // The modules of one character; empty when the symbology cannot encode it.
    virtual BarString _encodeChar(char c) const;
    // The encoded body: the characters and the check character.
    virtual BarString barcode() const;
    BarString completeBarcode() const;
    virtual void calculateWidth();
    // Postal codes carry their information in bar heights, not widths.
    virtual bool isBarHeightCode() const { return false; }

    // ---- Captions ---------------------------------------------------------------------------
    virtual int digitsToLeft() const { return 0; }
    virtual int digitsToRight() const { return 0; }
    virtual QString leftCaption() const;
    virtual QString rightCaption() const;
    virtual QString caption() const;
    // The caption as groups of digits, each under its own modules, with the side captions beside
    // the bars; empty when the caption is one text across the picture.
    virtual QList<CaptionGroup> captionGroups() const { return {}; }

    // ---- Geometry (points, module index counted from 0 in completeBarcode) -----------------
    virtual float barTop(int index) const;
    virtual float barBottom(int index) const;
    virtual float firstBar() const { return 0; }
    virtual float lastBar() const { return frame_.width - barWidth_; }

    // Same content; symbology and settings are not compared.
    bool isEqual(const NKDBarcode& other) const { return frame_.content == other.frame_.content; }
    // "Barcode Class: ..." with the content, check digit, sizes and caption settings, for logs.
    QString description() const;
    // An object of the same class with the same content, caption flag, check digit, bar width,
    // height, caption font size and settings context, its width computed.
    std::unique_ptr<NKDBarcode> copy() const;
    // A new, uninitialised object of this object's class.
    virtual std::unique_ptr<NKDBarcode> newOfSameClass() const { return std::make_unique<NKDBarcode>(); }

protected:
    // The content as 7-bit ASCII bytes; false when it holds any other character.
    bool asciiContent(QByteArray* bytes) const;
    // A text as bytes; false (and no bytes) when it holds a character outside 7-bit ASCII.
    static bool toAscii(const QString& text, QByteArray* bytes);
    bool hasCheckDigit() const { return checkDigit_ != -1; }

private:
    const BarcodeContext* context_ = nullptr;
    int checkDigit_ = -1;
    float barWidth_ = 0;
    BarcodeFrame frame_;
    int barcode_orientation_ = 0;
};

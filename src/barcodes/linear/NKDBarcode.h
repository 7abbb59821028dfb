#pragma once
// A linear barcode: a value turned into a bar string of '1' (dark module) and '0' (light module),
// left to right, with the captions and text bands drawn around it. Each symbology overrides the
// encoding hooks; everything else is shared.
#include <QByteArray>
#include <QString>
#include <string>

struct BarcodeSettings;

using BarString = std::string;

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

    // The settings the text bands are measured with and the margins read from (not owned).
    void setSettings(const BarcodeSettings* settings) { settings_ = settings; }
    const BarcodeSettings* settings() const { return settings_; }

    // ---- Fields -----------------------------------------------------------------------------
    virtual void setContent(const QString& content) { content_ = content; }
    const QString& content() const { return content_; }
    void setHeader(const QString& header) { header_ = header; }
    void setFooter(const QString& footer) { footer_ = footer; }
    const QString& header() const { return header_; }
    const QString& footer() const { return footer_; }
    virtual void setHeight(float height) { height_ = height; }
    float height() const { return height_; }
    void setWidth(float width) { width_ = width; }
    float width() const { return width_; }
    virtual void setBarWidth(float barWidth) { barWidth_ = barWidth; }
    float barWidth() const { return barWidth_; }
    // Character code of the check character, -1 for none (Code 128: the check value).
    void setCheckDigit(int checkDigit) { checkDigit_ = checkDigit; }
    int checkDigit() const { return checkDigit_; }
    void setPrintsCaption(bool on) { printsCaption_ = on; }
    void setPrintsHeader(bool on) { printsHeader_ = on; }
    void setPrintsFooter(bool on) { printsFooter_ = on; }
    virtual bool printsCaption() const { return printsCaption_; }
    virtual bool printsHeader() const { return printsHeader_; }
    virtual bool printsFooter() const { return printsFooter_; }
    void set_Barcode_Orientation(int orientation) { barcode_orientation_ = orientation; }
    int Barcode_Orientation() const { return barcode_orientation_; }

    // Text bands: heights in inches, widths in points.
    void setCaptionHeight(float v) { captionHeight_ = v; }
    void setHeaderHeight(float v) { headerHeight_ = v; }
    void setFooterHeight(float v) { footerHeight_ = v; }
    void setHeaderWidth(float v) { headerWidth_ = v; }
    void setFooterWidth(float v) { footerWidth_ = v; }
    float captionHeight() const { return captionHeight_; }
    float headerHeight() const { return headerHeight_; }
    float footerHeight() const { return footerHeight_; }
    float headerWidth() const { return headerWidth_; }
    float footerWidth() const { return footerWidth_; }
    // Store the size and measure the band with the settings' font (no settings: bands unchanged).
    void setCaptionFontSize(float size);
    void setHeaderFontSize(float size);
    void setFooterFontSize(float size);
    float caption_fontSize() const { return caption_fontSize_; }
    float header_fontSize() const { return header_fontSize_; }
    float footer_fontSize() const { return footer_fontSize_; }

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

    // ---- Geometry (points, module index counted from 0 in completeBarcode) -----------------
    virtual float barTop(int index) const;
    virtual float barBottom(int index) const;
    virtual float firstBar() const { return 0; }
    virtual float lastBar() const { return width_ - barWidth_; }

    // Same content; symbology and settings are not compared.
    bool isEqual(const NKDBarcode& other) const { return content_ == other.content_; }

protected:
    // The content as 7-bit ASCII bytes; false when it holds any other character.
    bool asciiContent(QByteArray* bytes) const;
    // A text as bytes; false (and no bytes) when it holds a character outside 7-bit ASCII.
    static bool toAscii(const QString& text, QByteArray* bytes);
    bool hasCheckDigit() const { return checkDigit_ != -1; }

private:
    const BarcodeSettings* settings_ = nullptr;
    int checkDigit_ = -1;
    float barWidth_ = 0;
    QString content_;
    QString header_;
    QString footer_;
    float height_ = 0;
    float width_ = 0;
    bool printsCaption_ = false;
    bool printsHeader_ = false;
    bool printsFooter_ = false;
    float caption_fontSize_ = 0;
    float header_fontSize_ = 0;
    float footer_fontSize_ = 0;
    float captionHeight_ = 0;
    float headerHeight_ = 0;
    float footerHeight_ = 0;
    float headerWidth_ = 0;
    float footerWidth_ = 0;
    int barcode_orientation_ = 0;
};

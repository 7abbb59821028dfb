#pragma once
// Postal codes whose information lies in bar heights: Postnet, Planet, Royal Mail (RM4SCC) and
// Japan Post. The bar string marks bars and gaps; barTop and barBottom give each bar's extent.
#include "barcodes/linear/NKDBarcode.h"

class NKDPostnetBarcode : public NKDBarcode {
public:
    std::unique_ptr<NKDBarcode> newOfSameClass() const override { return std::make_unique<NKDPostnetBarcode>(); }
    using NKDBarcode::initWithContent;
    // Bar width 0.015 in, height 9 points, check digit added.
    void initWithContent(const QString& content, bool printsCaption = true) override;
    bool isBarHeightCode() const override { return true; }
    // 5, 9 or 11 digits.
    bool isContentValid() const override;
    BarString initiator() const override { return "100"; }
    BarString terminator() const override { return "1"; }
    // Five bars, each followed by two light modules.
    BarString _encodeChar(char c) const override;
    void generateChecksum() override;
    float barTop(int index) const override;
    // Height in inches of bar 1..5 of digit number d (the check digit after the content).
    virtual float _heightForDigit(int digitIndex, int bar) const;

protected:
    static constexpr float kTall = 0.125f;
    static constexpr float kShort = 0.05f;
    // Whether bar 1..5 of a digit character is one of its two tall bars (false for a non-digit).
    static bool isTallBar(char digit, int bar, bool* isDigit);
    char digitAt(int digitIndex) const;
};

// Postnet with tall and short data bars exchanged.
class NKDPlanetBarcode : public NKDPostnetBarcode {
public:
    std::unique_ptr<NKDBarcode> newOfSameClass() const override { return std::make_unique<NKDPlanetBarcode>(); }
    float _heightForDigit(int digitIndex, int bar) const override;
};

// Four-state bar descriptors: bit 1 ascender (reaches the top), bit 0 descender (reaches the
// bottom).
enum PostalBar : int { Tracker = 0, Descender = 1, Ascender = 2, FullBar = 3 };

class NKDRoyalMailBarcode : public NKDBarcode {
public:
    std::unique_ptr<NKDBarcode> newOfSameClass() const override { return std::make_unique<NKDRoyalMailBarcode>(); }
    using NKDBarcode::initWithContent;
    // Upper-cases the content; bar width 0.5 mm, height 5.05 mm, check character added.
    void initWithContent(const QString& content, bool printsCaption = true) override;
    // Keeps the content's bytes, which every bar's extent reads.
    void setContent(const QString& content) override;
    bool isBarHeightCode() const override { return true; }
    bool printsCaption() const override { return true; }
    bool printsHeader() const override { return true; }
    bool printsFooter() const override { return true; }
    BarString initiator() const override { return "10"; }
    BarString terminator() const override { return "1"; }
    // Four bars for 0..9 and A..Z; nothing else can be encoded.
    BarString _encodeChar(char c) const override;
    void generateChecksum() override;
    PostalBar _barDescriptor(int index) const;
    float barTop(int index) const override;
    float barBottom(int index) const override;

private:
    QByteArray bytes_;  // the content in ASCII; empty when it holds another character
};

class JapanPostBarcode : public NKDBarcode {
public:
    std::unique_ptr<NKDBarcode> newOfSameClass() const override { return std::make_unique<JapanPostBarcode>(); }
    using NKDBarcode::initWithContent;
    // Height: the given one within 8.0..11.5, else 10.
    void initWithContent(const QString& content, bool printsCaption, float barWidth, float height,
                         float fontSize, int checkDigit) override;
    // Builds the 20 drawn symbols and the readable value, then the check symbol.
    void setContent(const QString& content) override;
    // Clamped to 8.5..11.5; the bar width follows as a sixth of it.
    void setHeight(float height) override;
    // Clamped to 1.3333334..1.9166666; the height follows as six bar widths.
    void setBarWidth(float barWidth) override;
    bool isBarHeightCode() const override { return true; }
    bool printsCaption() const override { return true; }
    bool printsHeader() const override { return true; }
    bool printsFooter() const override { return true; }
    // The readable value starts with a seven-digit postal code.
    bool isContentValid() const override;
    BarString barcode() const override;
    BarString initiator() const override { return "1010"; }
    BarString terminator() const override { return "101"; }
    void generateChecksum() override;
    PostalBar _barDescriptor(int index) const;
    float barTop(int index) const override;
    float barBottom(int index) const override;
    const QByteArray& japanpostContents() const { return japanpostContents_; }

private:
    QByteArray japanpostContents_;
    bool asciiSource_ = true;  // characters outside ASCII are refused, not dropped
};

#pragma once
// Code 39, and its Full ASCII extension.
#include "barcodes/linear/NKDBarcode.h"

class NKDCode39Barcode : public NKDBarcode {
public:
    std::unique_ptr<NKDBarcode> newOfSameClass() const override { return std::make_unique<NKDCode39Barcode>(); }
    using NKDBarcode::initWithContent;
    // Upper-cases the content; no check character unless generateChecksum is called.
    void initWithContent(const QString& content, bool printsCaption = true) override;
    BarString _encodeChar(char c) const override;
    BarString initiator() const override;
    BarString terminator() const override;
    // The modulo 43 check character.
    void generateChecksum() override;

protected:
    // The 13-module pattern (with its trailing gap) of a plain Code 39 character; empty if none.
    static BarString plainPattern(char c);
};

class NKDExtendedCode39Barcode : public NKDCode39Barcode {
public:
    std::unique_ptr<NKDBarcode> newOfSameClass() const override { return std::make_unique<NKDExtendedCode39Barcode>(); }
    using NKDBarcode::initWithContent;
    // Keeps the content's case.
    void initWithContent(const QString& content, bool printsCaption = true) override;
    BarString _encodeChar(char c) const override;
    QString getRequirementDescription() const;
};

#pragma once
// Modified Plessey: four bits per character, least significant first, with a modulo 10 check
// digit; the Hex form also takes A..F.
#include "barcodes/linear/NKDBarcode.h"

class NKDModifiedPlesseyBarcode : public NKDBarcode {
public:
    std::unique_ptr<NKDBarcode> newOfSameClass() const override { return std::make_unique<NKDModifiedPlesseyBarcode>(); }
    using NKDBarcode::initWithContent;
    // Upper-cases the content and always adds the check digit.
    void initWithContent(const QString& content, bool printsCaption = true) override;
    BarString _encodeChar(char c) const override;
    BarString initiator() const override;
    BarString terminator() const override;
    void generateChecksum() override;

    // The check digit character of a content, exact for any length.
    static char checkDigitFor(const QByteArray& content);

protected:
    static BarString nibbleModules(int value);
};

class NKDModifiedPlesseyHexBarcode : public NKDModifiedPlesseyBarcode {
public:
    std::unique_ptr<NKDBarcode> newOfSameClass() const override { return std::make_unique<NKDModifiedPlesseyHexBarcode>(); }
    BarString _encodeChar(char c) const override;
};

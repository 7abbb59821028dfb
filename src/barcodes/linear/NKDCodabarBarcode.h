#pragma once
// Codabar: digits and - $ : / . + between start and stop letters A..D.
#include "barcodes/linear/NKDBarcode.h"

class NKDCodabarBarcode : public NKDBarcode {
public:
    std::unique_ptr<NKDBarcode> newOfSameClass() const override { return std::make_unique<NKDCodabarBarcode>(); }
    // A content that brings no start and stop letters is framed with A ... A; letters A..D
    // anywhere else, or at one end only, make it invalid.
    bool isContentValid() const override;
    BarString _encodeChar(char c) const override;
    BarString initiator() const override;
    BarString terminator() const override;
    // The characters with one light module between each two.
    BarString barcode() const override;

private:
    // True when the content has no start and stop letters of its own.
    bool addsStartStop() const;
};

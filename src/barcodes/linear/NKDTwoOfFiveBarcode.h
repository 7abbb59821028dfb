#pragma once
// Interleaved 2 of 5 and Industrial 2 of 5: digits only, five elements per digit, two of them wide.
#include "barcodes/linear/NKDBarcode.h"

class NKDInterleavedTwoOfFiveBarcode : public NKDBarcode {
public:
    std::unique_ptr<NKDBarcode> newOfSameClass() const override { return std::make_unique<NKDInterleavedTwoOfFiveBarcode>(); }
    bool isContentValid() const override;
    BarString initiator() const override { return "1010"; }
    BarString terminator() const override { return "11101"; }
    // Pairs of digits, the first in the bars and the second in the spaces; an odd count gets a
    // leading '0'.
    BarString barcode() const override;
    // The modulo 10 check digit (weights 3, 1 over the content padded to an even length).
    void generateChecksum() override;

    // YES for a narrow element k (0..4) of a digit; any other character is all narrow.
    static bool _getBarForDigit(char digit, int barNumber);

protected:
    // The content followed by the check digit when there is one.
    QByteArray digitsToEncode() const;
};

// The published form: the information is in the bars only (narrow 1, wide 3 modules), every bar
// followed by a one-module space; start bars wide, wide, narrow; stop bars wide, narrow, wide.
class NKDIndustrialTwoOfFiveBarcode : public NKDInterleavedTwoOfFiveBarcode {
public:
    std::unique_ptr<NKDBarcode> newOfSameClass() const override { return std::make_unique<NKDIndustrialTwoOfFiveBarcode>(); }
    BarString initiator() const override { return "1110111010"; }
    BarString terminator() const override { return "111010111"; }
    BarString barcode() const override;
};

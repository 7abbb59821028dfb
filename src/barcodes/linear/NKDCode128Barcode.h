#pragma once
// Code 128 in one code set for the whole symbol (A, B, C, or chosen from the content).
#include <vector>
#include "barcodes/linear/NKDBarcode.h"

class NKDCode128Barcode : public NKDBarcode {
public:
    enum CodeSet { SetA = 0, SetB = 1, SetC = 2, Automatic = 3 };

    explicit NKDCode128Barcode(int codeSet = Automatic) : codeSet_(codeSet) {}
    int codeSet() const { return codeSet_; }
    std::unique_ptr<NKDBarcode> newOfSameClass() const override { return std::make_unique<NKDCode128Barcode>(codeSet_); }
    // Takes effect at the next initWithContent.
    void setCodeSet(int codeSet) { codeSet_ = codeSet; }

    // An automatic code set is resolved from the first content given.
    void setContent(const QString& content) override;
    using NKDBarcode::initWithContent;
    // Computes the check value once the content has settled the code set.
    void initWithContent(const QString& content, bool printsCaption = true) override;
    // Set C takes only an even number of digits; A and B take every ASCII character.
    bool isContentValid() const override;
    BarString initiator() const override;
    BarString terminator() const override;
    // One character in the current set A or B, shifted to the other set when needed.
    BarString _encodeChar(char c) const override;
    // The body symbols followed by the check symbol.
    BarString barcode() const override;
    // Start value plus position-weighted symbol values (shifts included), modulo 103.
    void generateChecksum() override;

    // The set an automatic symbol uses for a content: C for an even number of digits only,
    // else A when control characters outnumber lower-case letters, else B.
    static int _bestCodeSetForContent(const QString& content);
    // The value of a character in set A or B, -1 when that set does not encode it (logged for a
    // character beyond ASCII, which no set encodes).
    static int _valueForChar(char c, int codeSet);
    // The 11 modules of a symbol value (13 for the stop symbol).
    static BarString symbolModules(int value);
    // The SHIFT symbol put before a character taken from set A or B; nothing (logged) for any
    // other set.
    static BarString _shiftCharacterForSet(int targetSet);

private:
    // Symbol values of the body (no start, check or stop); empty when the content is not valid.
    std::vector<int> bodyValues() const;

    int codeSet_;
};

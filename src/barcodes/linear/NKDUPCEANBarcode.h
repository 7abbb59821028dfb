#pragma once
// The retail symbologies: EAN-13, EAN-8, UPC-A and UPC-E.
#include <utility>

#include "barcodes/linear/NKDBarcode.h"

// Left-hand odd-parity patterns turned into the right-hand set (every module inverted) and into
// the left-hand even-parity set (inverted and reversed).
BarString swapHandedness(const BarString& bars);
BarString swapParity(const BarString& bars);

class NKDAbstractUPCEANBarcode : public NKDBarcode {
public:
    // The left-hand odd-parity pattern of a digit; empty for anything else.
    BarString _encodeChar(char c) const override;
    BarString initiator() const override { return "101"; }
    BarString terminator() const override { return "101"; }
    int digitsToLeft() const override { return 1; }
    int digitsToRight() const override { return 1; }
    QString rightCaption() const override;
    // The caption's tab-separated groups, each under the modules of its own digits.
    QList<CaptionGroup> captionGroups() const override;
    // A tenth of the width is left light on either side.
    void calculateWidth() override;
    float firstBar() const override { return width() * 0.1f; }
    float lastBar() const override { return width() * 0.9f - barWidth(); }
    // Guard bars reach down into the caption band.
    float barBottom(int index) const override;
    // Computes the check digit when the content holds exactly the data digits.
    void generateChecksum() override;

    // The check digit of data digits: weights 3, 1, 3 ... from the rightmost digit.
    static char checkDigitFor(const QByteArray& digits);
    static bool isAllDigits(const QByteArray& bytes);

protected:
    // How many data digits the content holds (without the check digit).
    virtual int dataLength() const = 0;
    // The modules [first, end) under which each group of the caption stands.
    virtual QList<std::pair<int, int>> captionModules() const = 0;
    virtual bool isGuardModule(int index, int length) const;
    // The content holds exactly the data digits and the check digit matches them.
    bool hasVerifiedCheckDigit(const QByteArray& dataDigits) const;
    char checkCharacter() const { return hasCheckDigit() ? char(checkDigit()) : ' '; }
};

class NKDEAN13Barcode : public NKDAbstractUPCEANBarcode {
public:
    std::unique_ptr<NKDBarcode> newOfSameClass() const override { return std::make_unique<NKDEAN13Barcode>(); }
    using NKDBarcode::initWithContent;
    // 12 digits get their check digit; a 13th digit is split off as the check digit.
    void initWithContent(const QString& content, bool printsCaption = true) override;
    bool isContentValid() const override;
    // The first digit is carried by the parity pattern of the next six.
    BarString barcode() const override;
    int digitsToRight() const override { return 0; }
    QString rightCaption() const override { return QString(); }
    QString caption() const override;
    // YES when the digit at position 1..6 after the first takes the even-parity set.
    static bool _parityForSystemDigit(char systemDigit, int index);

protected:
    int dataLength() const override { return 12; }
    QList<std::pair<int, int>> captionModules() const override { return {{3, 45}, {50, 92}}; }
};

// Seven data digits; an 8th is split off as the check digit and verified.
class NKDEAN8Barcode : public NKDEAN13Barcode {
public:
    std::unique_ptr<NKDBarcode> newOfSameClass() const override { return std::make_unique<NKDEAN8Barcode>(); }
    BarString barcode() const override;
    int digitsToLeft() const override { return 0; }
    int digitsToRight() const override { return 0; }
    QString leftCaption() const override { return QString(); }
    QString caption() const override;

protected:
    int dataLength() const override { return 7; }
    QList<std::pair<int, int>> captionModules() const override { return {{3, 31}, {36, 64}}; }
    bool isGuardModule(int index, int length) const override;
};

class NKDUPCABarcode : public NKDAbstractUPCEANBarcode {
public:
    std::unique_ptr<NKDBarcode> newOfSameClass() const override { return std::make_unique<NKDUPCABarcode>(); }
    using NKDBarcode::initWithContent;
    // 11 digits get their check digit; a 12th digit is taken as the check digit.
    void initWithContent(const QString& content, bool printsCaption = true) override;
    bool isContentValid() const override;
    BarString barcode() const override;
    QString caption() const override;

protected:
    int dataLength() const override { return 11; }
    // The first and last digits stand beside the bars.
    QList<std::pair<int, int>> captionModules() const override { return {{10, 45}, {50, 85}}; }
};

class NKDUPCEBarcode : public NKDUPCABarcode {
public:
    std::unique_ptr<NKDBarcode> newOfSameClass() const override { return std::make_unique<NKDUPCEBarcode>(); }
    using NKDBarcode::initWithContent;
    // Takes the number system and six digits, optionally with the check digit, or an 11-digit
    // UPC-A value that zero suppression can shorten. The check digit is that of the UPC-A form.
    void initWithContent(const QString& content, bool printsCaption = true) override;
    bool isContentValid() const override;
    BarString barcode() const override;
    BarString terminator() const override { return "010101"; }
    QString caption() const override;
    // YES when the digit at position 1..6 takes the even-parity set.
    bool parityForDigit(int position) const;

    // The six UPC-E digits of a UPC-A value (12 digits), or empty when it cannot be shortened
    // without losing digits.
    static QString UPCAToUPCE(const QString& upca);
    // The 11 UPC-A data digits of a number system digit and six UPC-E digits; empty if malformed.
    static QByteArray UPCEToUPCA(const QByteArray& numberSystemAndDigits);
    // The check digit of the UPC-A form.
    void generateChecksum() override;

protected:
    bool isGuardModule(int index, int length) const override;
    QList<std::pair<int, int>> captionModules() const override { return {{3, 45}}; }
};

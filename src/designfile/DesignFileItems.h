#pragma once
// Reading and writing the items of a design file in order, one form per item. Used by the file
// and element-entry codecs only.
#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QVariantList>
#include <stdexcept>
#include <utility>
#include <vector>

#include "designfile/DesignFileForms.h"
#include "model/NumberBounds.h"
#include "model/SKTGraphic.h"

// A file the reader refuses: the position of the item at fault and why. A file that is no design
// file at all (unreadable, not an array, no marker first) is told apart from one that goes wrong
// further on.
struct DesignFileError {
    int itemIndex = 0;
    QString reason;
    bool notADesignFile = false;
};

// Appends items to an array. Every text passes through xmlSafeText on the way.
class ItemWriter {
public:
    explicit ItemWriter(QVariantList& items) : m_items(items) {}
    void text(const QString& value);
    void flag(bool on) { text(flagText(on)); }
    void integer(qint32 value) { text(integerText(value)); }
    void decimal(double value) { text(decimalText(value)); }
    void colour(const QColor& value) { text(Convert_Color_to_String(value)); }
    void font(const CardFont& value) { text(Convert_Font_to_String(value)); }
    void point(QPointF value) { text(pointText(value)); }
    void size(QSizeF value) { text(sizeText(value)); }
    void rect(const QRectF& value) { text(rectText(value)); }
    void data(const QByteArray& value) { m_items.append(value); }
    void list(const QVariantList& value) { m_items.append(QVariant(value)); }
    // Characters that xmlSafeText dropped so far.
    int droppedCharacters() const { return m_dropped; }

private:
    QVariantList& m_items;
    int m_dropped = 0;
};

// Takes items in order with a running index; throws DesignFileError for an item that is missing,
// of the wrong type or of the wrong form. Errors name the item by its index plus `base`.
class ItemReader {
public:
    ItemReader(const QVariantList& items, int base = 0) : m_items(items), m_base(base) {}

    int index() const { return m_index; }
    int fileIndex() const { return m_base + m_index; }
    qsizetype remaining() const { return m_items.size() - m_index; }
    bool hasMore() const { return remaining() > 0; }

    QString text();
    bool flag() { return flagFromText(text()); }
    qint32 integer() { return integerFromText(text()); }
    // An integer that must lie in the range.
    qint32 integerIn(NumberBounds::Range range);
    float decimal() { return decimalFromText(text()); }
    QColor colour() { return Convert_String_to_Color(text()); }
    CardFont font();
    // Geometry whose every number must lie in the range.
    QPointF point(NumberBounds::Range range);
    QSizeF size(NumberBounds::Range range);
    QRectF rect(NumberBounds::Range range);
    QByteArray data();
    QVariantList list();
    QVariant raw();

    [[noreturn]] void fail(const QString& reason) const;

private:
    const QVariant& next(const char* what);

    const QVariantList& m_items;
    int m_base;
    int m_index = 0;
};

// Text that an XML property list can carry: C0 control characters other than tab, line feed and
// carriage return and the non-characters U+FFFE and U+FFFF are dropped (each drop is counted in
// *dropped); a carriage return becomes kCarriageReturnStandIn, which the file writer turns into
// the character reference "&#13;" (XML readers would otherwise fold it into a line feed).
QString xmlSafeText(const QString& text, int* dropped = nullptr);
inline constexpr char kCarriageReturnStandIn = '\x01';

// The barcode pictures stored in one file, each decoded once, PNG only and within the picture
// reader's allocation limit: a binary list may name one picture
// from thousands of entries, and a small PNG may stand for a picture of hundreds of megabytes. A
// picture that would take the file's pictures past kBudgetBytes is not decoded; its element makes
// it again from its settings. Elements ask while the file is read; the pictures are decoded side
// by side once all have asked, and each element is given its own.
class StoredPictures {
public:
    void request(const QByteArray& bytes, const GraphicPtr& element);
    void giveRequested();

    static constexpr qint64 kBudgetBytes = 64LL << 20;

private:
    struct Picture {
        QByteArray bytes;
        qint64 headerBytes = 0;  // what the header says it decodes to at four bytes a pixel
        QImage image;
    };
    qsizetype decodeWave(qsizetype first);
    void keepWithinBudget(Picture& picture);

    std::vector<Picture> m_pictures;  // in the order the file first names them
    QHash<QByteArray, qsizetype> m_index;
    std::vector<std::pair<GraphicPtr, qsizetype>> m_requests;
    qint64 m_bytes = 0;
    bool m_toldOfBudget = false;
};

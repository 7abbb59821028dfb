#pragma once
// Facade through which the barcode factory makes QR Code symbols and their pictures.
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <optional>
#include <stdexcept>

#include "barcodes/qr/DataMatrix.h"

// Raised for a pass phrase that does not fit an AES-256 key.
class InvalidPassphraseException : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
    static constexpr const char* name = "invalid passphrase exception";
};

class QREncoder {
public:
    QREncoder() = delete;

    // level 0 L, 1 M, 2 Q, 3 H; version 0 automatic or 1-40. nullopt when the text does not fit
    // or cannot be encoded.
    static std::optional<DataMatrix> encodeWithECLevel(int level, int version, const QString& string);
    static std::optional<DataMatrix> encodeCStringWithECLevel(int level, int version, const QByteArray& cstring);

    // The grid drawn edge to edge at whole pixels per module, centred in a square of
    // imageDimension pixels (never smaller than one pixel per module) with a transparent
    // margin, then raised without smoothing to dpi at the same size in points. Null for an
    // empty grid.
    static QImage renderDataMatrix(const DataMatrix& matrix, int imageDimension, int dpi = 600);

    // The text enciphered with AESEncryptString and its cipher bytes encoded.
    static std::optional<DataMatrix> encodeWithECLevel(int level, int version, const QString& string,
                                                       const QString& AESPassphrase);
    // AES-256-CBC, zero IV, PKCS#7 padding; the key is the pass phrase's UTF-8 bytes padded
    // with zeros. Throws InvalidPassphraseException above 32 bytes.
    static QByteArray AESEncryptString(const QString& string, const QString& passphrase);
    // nullopt when the data does not decipher (wrong pass phrase or damaged data).
    static std::optional<QString> AESDecryptString(const QByteArray& data, const QString& passphrase);

    // 0xAARRGGBB, each component times 255 truncated: (0.5, 0.25, 1, 0.5) gives 0x7F7F3FFF.
    static quint32 hexadecimalValueOfAnNSColor(const QColor& color);
};

#include "barcodes/qr/QREncoder.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "barcodes/qr/CQR_Encode.h"
#include "barcodes/qr/QrTables.h"
#include "platform/Log.h"

namespace {

constexpr int kAesKeyBytes = 32;
constexpr int kAesBlockBytes = 16;

const QrCapacityTable& capacityTable(int mode)
{
    switch (mode) {
    case CQR_Encode::Numeric: return QR_Numric_size_array();
    case CQR_Encode::Alphanumeric: return QR_AlphaNumric_size_array();
    default: return QR_8_BIT_size_array();
    }
}

// Text that cannot fit the requested version is turned away before encoding. For the
// automatic version the encoder's own version choice decides.
bool fitsRequestedVersion(int level, int version, const QByteArray& bytes)
{
    if (version == 0)
        return true;
    const int mode = CQR_Encode::Get_Encoding_Mode(bytes.constData(), int(bytes.size()));
    return bytes.size() <= capacityTable(mode)[size_t((version - 1) * kQrLevels + level)];
}

std::array<unsigned char, kAesKeyBytes> aesKey(const QString& passphrase)
{
    const QByteArray bytes = passphrase.toUtf8();
    if (bytes.size() > kAesKeyBytes)
        throw InvalidPassphraseException("passphrase too long: " + std::to_string(bytes.size()));
    std::array<unsigned char, kAesKeyBytes> key{};
    std::memcpy(key.data(), bytes.constData(), size_t(bytes.size()));
    return key;
}

struct CipherContextDeleter {
    void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};

// AES-256-CBC with a zero IV and PKCS#7 padding; nullopt when OpenSSL refuses (for deciphering:
// the padding does not check out).
std::optional<QByteArray> runAes(const QByteArray& input, const QString& passphrase, bool encrypt)
{
    const auto key = aesKey(passphrase);
    const unsigned char iv[kAesBlockBytes] = {};
    std::unique_ptr<EVP_CIPHER_CTX, CipherContextDeleter> context(EVP_CIPHER_CTX_new());
    if (!context
        || EVP_CipherInit_ex(context.get(), EVP_aes_256_cbc(), nullptr, key.data(), iv, encrypt ? 1 : 0) != 1)
        return std::nullopt;
    QByteArray output(input.size() + kAesBlockBytes, Qt::Uninitialized);
    auto* out = reinterpret_cast<unsigned char*>(output.data());
    int written = 0;
    int last = 0;
    if (EVP_CipherUpdate(context.get(), out, &written, reinterpret_cast<const unsigned char*>(input.constData()),
                         int(input.size())) != 1
        || EVP_CipherFinal_ex(context.get(), out + written, &last) != 1)
        return std::nullopt;
    output.truncate(written + last);
    return output;
}

}  // namespace

std::optional<DataMatrix> QREncoder::encodeWithECLevel(int level, int version, const QString& string)
{
    return encodeCStringWithECLevel(level, version, string.toUtf8());
}

std::optional<DataMatrix> QREncoder::encodeCStringWithECLevel(int level, int version, const QByteArray& cstring)
{
    if (level < 0 || level >= kQrLevels || version < 0 || version > kQrVersions)
        return std::nullopt;
    try {
        if (cstring.isEmpty() || !fitsRequestedVersion(level, version, cstring))
            return std::nullopt;
        auto encoder = std::make_unique<CQR_Encode>();
        // The explicit length keeps zero bytes (cipher data) inside the symbol.
        if (!encoder->EncodeData(level, version, true, -1, cstring.constData(), int(cstring.size())))
            return std::nullopt;
        const int n = encoder->m_nSymbleSize;
        DataMatrix matrix(n);
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x)
                matrix.set(encoder->m_byModuleData[x][y] == 1 ? 1 : 0, x, y);
        return matrix;
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromUtf8(error.what()));
        return std::nullopt;
    }
}

QImage QREncoder::renderDataMatrix(const DataMatrix& matrix, int imageDimension, int dpi)
{
    const int m = matrix.dimension();
    if (m == 0 || dpi <= 0)
        return {};
    const int module = std::max(1, imageDimension / m);
    const int side = std::max(imageDimension, module * m);
    const int offset = (side - module * m) / 2;

    QImage image(side, side, QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    image.fill(QColor(255, 255, 255, 0));
    for (int y = 0; y < m; ++y) {
        for (int x = 0; x < m; ++x) {
            const QRgb colour = matrix.valueAt(x, y) ? qRgba(0, 0, 0, 255) : qRgba(255, 255, 255, 255);
            for (int py = 0; py < module; ++py) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(offset + y * module + py));
                std::fill_n(line + offset + x * module, module, colour);
            }
        }
    }
    image.convertTo(QImage::Format_RGBA8888);  // red, green, blue, alpha bytes, not premultiplied

    const int pixels = int(std::ceil(float(dpi) * float(side) / 72.0f));
    QImage raised = image.scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    raised.setDotsPerMeterX(dotsPerMeter);
    raised.setDotsPerMeterY(dotsPerMeter);
    return raised;
}

std::optional<DataMatrix> QREncoder::encodeWithECLevel(int level, int version, const QString& string,
                                                       const QString& AESPassphrase)
{
    try {
        return encodeCStringWithECLevel(level, version, AESEncryptString(string, AESPassphrase));
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromUtf8(error.what()));
        return std::nullopt;
    }
}

QByteArray QREncoder::AESEncryptString(const QString& string, const QString& passphrase)
{
    return runAes(string.toUtf8(), passphrase, true).value_or(QByteArray());
}

std::optional<QString> QREncoder::AESDecryptString(const QByteArray& data, const QString& passphrase)
{
    const std::optional<QByteArray> plain = runAes(data, passphrase, false);
    if (!plain)
        return std::nullopt;
    return QString::fromUtf8(*plain);
}

quint32 QREncoder::hexadecimalValueOfAnNSColor(const QColor& color)
{
    // A component v of 16 bits stands for v / 65535, so v / 257 in whole numbers is that times
    // 255 truncated, with no floating-point error to push k / 255 below k.
    const QRgba64 c = color.rgba64();
    const auto byte = [](quint16 v) { return quint32(v / 257); };
    return byte(c.alpha()) << 24 | byte(c.red()) << 16 | byte(c.green()) << 8 | byte(c.blue());
}

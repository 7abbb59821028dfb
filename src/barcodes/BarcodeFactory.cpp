#include "barcodes/BarcodeFactory.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "model/SKTGraphic.h"
#include "model/drawing/PaintRules.h"

QImage Barcode_output_image;

namespace {

constexpr int kDotsPerMetreAt72Dpi = 2835;

QImage imageAt72Dpi(int width, int height, const QColor& background)
{
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(kDotsPerMetreAt72Dpi);
    image.setDotsPerMeterY(kDotsPerMetreAt72Dpi);
    image.fill(background);
    return image;
}

// A caption line above or below the bars; empty when hidden or blank.
struct Caption {
    QString text;
    QFont font;
    QColor color;
    QSizeF size;
};

// Draws the value's bytes as one-point bars, most significant bit first, between guard bars, with
// the header above and the footer below. It makes no readable symbol; it gives barcode elements
// a picture of the right kind until the real factory replaces it.
class StripedBarcodeStandIn final : public BarcodeFactory {
public:
    void Set_Barcode_Prop_To_Control(const SKTGraphic& element) override { settings_ = element.barcode; }

    QImage Get_Image_From_Val(const QString& value, const QString& Barcode_Header,
                              const QString& Barcode_Footer) override
    {
        if (value.isEmpty())
            return QImage();
        const QList<bool> modules = modulesOf(value.toUtf8());
        const QImage probe = imageAt72Dpi(1, 1, Qt::white);
        const Caption header = caption(!settings_.headerHidden(), Barcode_Header, settings_.header_font_val,
                                       settings_.barcode_hdr_clr_val, probe);
        const Caption footer = caption(!settings_.footerHidden(), Barcode_Footer, settings_.footer_font_val,
                                       settings_.barcode_ftr_clr_val, probe);

        const int width = static_cast<int>(std::ceil(std::max(
            {qreal(modules.size() + 2 * kQuietModules), header.size.width(), footer.size.width()})));
        const int headerHeight = static_cast<int>(std::ceil(header.size.height()));
        const int footerHeight = static_cast<int>(std::ceil(footer.size.height()));
        QImage image = imageAt72Dpi(width, headerHeight + kBarHeight + footerHeight,
                                    settings_.barcode_back_clr_val);

        QPainter painter(&image);
        const int barsLeft = (width - modules.size()) / 2;
        for (int i = 0; i < modules.size(); ++i) {
            if (modules[i])
                painter.fillRect(QRect(barsLeft + i, headerHeight, 1, kBarHeight), settings_.barcode_clr_val);
        }
        drawCaption(painter, header, QRectF(0, 0, width, headerHeight));
        drawCaption(painter, footer, QRectF(0, headerHeight + kBarHeight, width, footerHeight));
        return image;
    }

private:
    static constexpr int kBarHeight = 40;
    static constexpr int kQuietModules = 4;

    static QList<bool> modulesOf(const QByteArray& bytes)
    {
        const QList<bool> guard = {true, false, true};
        QList<bool> modules = guard;
        for (const char byte : bytes) {
            for (int bit = 7; bit >= 0; --bit)
                modules.append((static_cast<unsigned char>(byte) >> bit) & 1);
        }
        modules.append(guard);
        return modules;
    }

    static Caption caption(bool shown, const QString& text, const CardFont& font,
                           const QColor& color, const QImage& device)
    {
        if (!shown || text.trimmed().isEmpty())
            return {};
        const QFont deviceSized = deviceFont(font, &device);
        const QFontMetricsF metrics(deviceSized, &device);
        return {text, deviceSized, color, QSizeF(metrics.horizontalAdvance(text), metrics.height())};
    }

    static void drawCaption(QPainter& painter, const Caption& caption, const QRectF& area)
    {
        if (caption.text.isEmpty())
            return;
        painter.setFont(caption.font);
        painter.setPen(caption.color);
        painter.drawText(area, Qt::AlignCenter, caption.text);
    }

    BarcodeSettings settings_ = BarcodeSettings::defaults();
};

StripedBarcodeStandIn& standIn()
{
    static StripedBarcodeStandIn factory;
    return factory;
}

BarcodeFactory* installedFactory = nullptr;

}  // namespace

BarcodeFactory& barcodeFactory()
{
    return installedFactory ? *installedFactory : standIn();
}

void setBarcodeFactory(BarcodeFactory* factory)
{
    installedFactory = factory;
}

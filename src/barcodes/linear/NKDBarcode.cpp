#include "barcodes/linear/NKDBarcode.h"
#include "barcodes/BarcodeSettings.h"

void NKDBarcode::initWithContent(const QString& content, bool printsCaption)
{
    initWithContent(content, printsCaption, 0.936f, 36.0f, 6.0f, -1);
}

void NKDBarcode::initWithContent(const QString& content, bool printsCaption, float, float, float,
                                 int checkDigit)
{
    barcode_orientation_ = 0;
    setContent(content);
    setPrintsCaption(printsCaption);
    calculateWidth();
    checkDigit_ = checkDigit;
}

void NKDBarcode::setCaptionFontSize(float size)
{
    caption_fontSize_ = size;
    if (settings_)
        captionHeight_ = barcodeBandHeight(settings_->value_font);
}

void NKDBarcode::setHeaderFontSize(float size)
{
    header_fontSize_ = size;
    if (settings_) {
        headerHeight_ = barcodeBandHeight(settings_->header_font);
        headerWidth_ = barcodeTextWidth(settings_->header_font, header_);
    }
}

void NKDBarcode::setFooterFontSize(float size)
{
    footer_fontSize_ = size;
    if (settings_) {
        footerHeight_ = barcodeBandHeight(settings_->footer_font);
        footerWidth_ = barcodeTextWidth(settings_->footer_font, footer_);
    }
}

bool NKDBarcode::toAscii(const QString& text, QByteArray* bytes)
{
    bytes->clear();
    bytes->reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() > 127) {
            bytes->clear();
            return false;
        }
        bytes->append(char(c.unicode()));
    }
    return true;
}

bool NKDBarcode::asciiContent(QByteArray* bytes) const
{
    return toAscii(content_, bytes);
}

bool NKDBarcode::isContentValid() const
{
    QByteArray bytes;
    if (!asciiContent(&bytes))
        return false;
    for (char c : bytes) {
        if (_encodeChar(c).empty())
            return false;
    }
    return true;
}

BarString NKDBarcode::_encodeChar(char) const
{
    return "1010";
}

BarString NKDBarcode::barcode() const
{
    QByteArray bytes;
    if (!asciiContent(&bytes))
        return {};
    BarString bars;
    for (char c : bytes)
        bars += _encodeChar(c);
    if (hasCheckDigit())
        bars += _encodeChar(char(checkDigit_));
    return bars;
}

BarString NKDBarcode::completeBarcode() const
{
    return initiator() + barcode() + terminator();
}

void NKDBarcode::calculateWidth()
{
    width_ = float(completeBarcode().size()) * barWidth_;
}

QString NKDBarcode::leftCaption() const
{
    return content_.left(digitsToLeft());
}

QString NKDBarcode::rightCaption() const
{
    const int n = digitsToRight();
    return n > 0 ? content_.right(n) : QString();
}

QString NKDBarcode::caption() const
{
    const int left = digitsToLeft();
    const int right = digitsToRight();
    if (left == 0 && right == 0)
        return content_;
    return content_.mid(left, qMax(0, int(content_.size()) - left - right));
}

float NKDBarcode::barBottom(int) const
{
    float bottom = 0;
    if (printsCaption())
        bottom += captionHeight_ * 72.0f;
    if (printsHeader())
        bottom += headerHeight_ * 72.0f;
    if (printsFooter())
        bottom += footerHeight_ * 72.0f;
    return bottom;
}

float NKDBarcode::barTop(int) const
{
    const float valueMargin = settings_ ? settings_->value_margin : 0.0f;
    const float headerMargin = settings_ ? settings_->header_margin : 0.0f;
    const float footerMargin = settings_ ? settings_->footer_margin : 0.0f;
    const float tbMargin = settings_ ? settings_->TB_margin : 0.0f;
    float top = height_;
    if (printsCaption())
        top -= captionHeight_ * 72.0f + valueMargin;
    if (printsHeader())
        top -= headerHeight_ * 72.0f + headerMargin;
    if (printsFooter())
        top -= footerHeight_ * 72.0f + footerMargin;
    return top - 2.0f * tbMargin;
}

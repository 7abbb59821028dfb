#include "barcodes/linear/NKDBarcode.h"
#include "barcodes/BarcodeContext.h"

#include <cxxabi.h>
#include <cstdlib>
#include <typeinfo>

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
    frame_.setCaptionFontSize(size, context_ ? &context_->controls.value_font_val : nullptr);
}

void NKDBarcode::setHeaderFontSize(float size)
{
    frame_.setHeaderFontSize(size, context_ ? &context_->controls.header_font_val : nullptr);
}

void NKDBarcode::setFooterFontSize(float size)
{
    frame_.setFooterFontSize(size, context_ ? &context_->controls.footer_font_val : nullptr);
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
    return toAscii(frame_.content, bytes);
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
    frame_.width = float(completeBarcode().size()) * barWidth_;
}

QString NKDBarcode::leftCaption() const
{
    return frame_.content.left(digitsToLeft());
}

QString NKDBarcode::rightCaption() const
{
    const int n = digitsToRight();
    return n > 0 ? frame_.content.right(n) : QString();
}

QString NKDBarcode::caption() const
{
    const int left = digitsToLeft();
    const int right = digitsToRight();
    const QString& content = frame_.content;
    if (left == 0 && right == 0)
        return content;
    return content.mid(left, qMax(0, int(content.size()) - left - right));
}

float NKDBarcode::barBottom(int) const
{
    float bottom = 0;
    if (printsCaption())
        bottom += frame_.captionHeight * 72.0f;
    if (printsHeader())
        bottom += frame_.headerHeight * 72.0f;
    if (printsFooter())
        bottom += frame_.footerHeight * 72.0f;
    return bottom;
}

float NKDBarcode::barTop(int) const
{
    const float valueMargin = context_ ? context_->value_margin : 0.0f;
    const float headerMargin = context_ ? context_->header_margin : 0.0f;
    const float footerMargin = context_ ? context_->footer_margin : 0.0f;
    const float tbMargin = context_ ? context_->TB_margin : 0.0f;
    float top = frame_.height;
    if (printsCaption())
        top -= frame_.captionHeight * 72.0f + valueMargin;
    if (printsHeader())
        top -= frame_.headerHeight * 72.0f + headerMargin;
    if (printsFooter())
        top -= frame_.footerHeight * 72.0f + footerMargin;
    return top - 2.0f * tbMargin;
}

namespace {

// The C++ name of an object's class, as the compiler spells it in source.
QString className(const NKDBarcode& barcode)
{
    const char* mangled = typeid(barcode).name();
    int status = 0;
    char* readable = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    const QString name = QString::fromLatin1(status == 0 && readable ? readable : mangled);
    std::free(readable);
    return name;
}

}  // namespace

QString NKDBarcode::description() const
{
    const QString check = checkDigit_ >= 0 && checkDigit_ <= 0xff ? QString(QChar(checkDigit_)) : QString();
    return QStringLiteral("\n\tBarcode Class: %1\n\tContent: %2\n\tCheck Digit:%3").arg(className(*this), content(), check) +
           QString::asprintf("\n\tWidth:%f\n\tHeight:%f\n\tBar Width:%f\n\tCaption Font Size:%f\n\tCaption Height:%f",
                             double(width()), double(height()), double(barWidth()), double(caption_fontSize()),
                             double(captionHeight()));
}

std::unique_ptr<NKDBarcode> NKDBarcode::copy() const
{
    std::unique_ptr<NKDBarcode> copy = newOfSameClass();
    copy->setContext(context_);
    copy->initWithContent(content(), printsCaption(), barWidth_, height(), caption_fontSize(), checkDigit_);
    // The initialiser leaves the sizes to its caller; a copy draws as the original does.
    copy->setBarWidth(barWidth_);
    copy->setHeight(height());
    copy->setCaptionFontSize(caption_fontSize());
    copy->calculateWidth();
    return copy;
}

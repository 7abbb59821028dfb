#include "views/mail/ProductLinks.h"

#include <QDesktopServices>

#include "platform/Log.h"

namespace ProductLinks {

namespace {
Opener& opener()
{
    static Opener current = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return current;
}
}  // namespace

const QList<Product>& products()
{
    static const QList<Product> list{
        {u'B', QStringLiteral("ZOVA Barcode Maker"),
         QStringLiteral("Barcode labels for products, shelves and parcels in every common symbology, printed "
                        "on sheets or label rolls, with serial numbers and data from spreadsheets."),
         QUrl(kMakerSite + QStringLiteral("barcode-maker/"))},
        {u'L', QStringLiteral("ZOVA Label Designer"),
         QStringLiteral("Address labels, name tags and price tickets designed once and printed for every row "
                        "of a spreadsheet."),
         QUrl(kMakerSite + QStringLiteral("label-designer/"))},
        {u'V', QStringLiteral("ZOVA Visitor Desk"),
         QStringLiteral("Signs visitors in and out at the front desk, prints their passes and keeps the "
                        "visitor log."),
         QUrl(kMakerSite + QStringLiteral("visitor-desk/"))},
    };
    return list;
}

const Product& productOf(QChar code)
{
    for (const Product& product : products()) {
        if (product.code == code)
            return product;
    }
    return products().front();
}

void setOpener(Opener replacement)
{
    opener() = std::move(replacement);
}

bool open(const QUrl& address)
{
    if (opener()(address))
        return true;
    Show_NSLog_Message(QStringLiteral("The desktop could not open %1").arg(address.toString()));
    return false;
}

}  // namespace ProductLinks

#pragma once
// Our own web and mail addresses, kept here once for the Help menu's links and the promotion
// window, the products the promotion window presents, and the one seam that hands an address to
// the desktop (its browser or mail program), which tests replace.
#include <QList>
#include <QString>
#include <QUrl>
#include <functional>

namespace ProductLinks {

inline const QString kMakerSite = QStringLiteral("https://www.zova-software.example/");
inline const QString kProductSite = QStringLiteral("https://idcard.zova-software.example/");
inline const QString kSupportAddress = QStringLiteral("support@zova-software.example");
inline const QString kPartnerAddress = QStringLiteral("partners@zova-software.example");

// A product of ours the promotion window presents, by its one-letter code.
struct Product {
    QChar code;
    QString name;
    QString description;
    QUrl page;
};
const QList<Product>& products();
// The product of a code; the first product for a code we do not know.
const Product& productOf(QChar code);

// Who opens addresses; the default hands them to the desktop.
using Opener = std::function<bool(const QUrl&)>;
void setOpener(Opener opener);
// Opens the address; false (logged) when the desktop refused it.
bool open(const QUrl& address);

}  // namespace ProductLinks

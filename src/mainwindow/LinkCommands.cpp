#include "mainwindow/LinkCommands.h"

#include <QAction>
#include <QMenu>
#include <QUrlQuery>

#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "views/mail/ProductLinks.h"
#include "views/mail/Promotion_Form.h"

namespace {

using ProductLinks::kMakerSite;
using ProductLinks::kProductSite;

QUrl partnerMail()
{
    QUrl mail(QStringLiteral("mailto:") + ProductLinks::kPartnerAddress);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), QStringLiteral("Partnership with ZOVA Software"));
    query.addQueryItem(QStringLiteral("body"),
                       QStringLiteral("Please tell us about your business (name, address, web site, what you "
                                      "sell and to whom) and the kind of partnership you are looking for "
                                      "(reseller, distributor, integrator)."));
    mail.setQuery(query);
    return mail;
}

QUrl shareUrl(const QString& service, const char* key)
{
    QUrl url(service);
    QUrlQuery query;
    query.addQueryItem(QLatin1String(key), kProductSite);
    url.setQuery(query);
    return url;
}

}  // namespace

const QList<LinkCommand>& linkCommands()
{
    static const QList<LinkCommand> links{
        {"Open_Support_Mail", "Contact Support…", QUrl(QStringLiteral("mailto:") + ProductLinks::kSupportAddress)},
        {"Open_Reseller_Mail", "Become a Partner…", partnerMail()},
        {"Open_Website_1", "ZOVA Software Home Page", QUrl(kMakerSite)},
        {"Open_Website_2", "ZOVA ID Card Home Page", QUrl(kProductSite)},
        {"Open_Website_3", "ZOVA ID Card Downloads", QUrl(kProductSite + QStringLiteral("download/"))},
        {"Open_Google_Plus", "Share on Google+", shareUrl(QStringLiteral("https://plus.google.com/share"), "url")},
        {"Open_FaceBook", "Share on Facebook", shareUrl(QStringLiteral("https://www.facebook.com/sharer/sharer.php"), "u")},
        {"Open_Twitter", "Share on Twitter", shareUrl(QStringLiteral("https://twitter.com/intent/tweet"), "url")},
        {"Open_FB_Like", "Like on Facebook", shareUrl(QStringLiteral("https://www.facebook.com/plugins/like.php"), "href")},
        {"Open_Share_It_Dl", "What Users Say", QUrl(kProductSite + QStringLiteral("comments/"))},
        {"Open_Share_It_And_Get_It_Free", "Share It and Get It Free", QUrl(kProductSite + QStringLiteral("share/"))},
    };
    return links;
}

void setUrlOpener(UrlOpener opener)
{
    ProductLinks::setOpener(std::move(opener));
}

bool Open_Link(const QString& name)
{
    for (const LinkCommand& link : linkCommands()) {
        if (name != QLatin1String(link.name))
            continue;
        return ProductLinks::open(link.address);
    }
    return false;
}

void Connect_Link_Commands(SKTWindowController& controller)
{
    QMenu* help = controller.windowLayout().menu("help_menu");
    help->addSeparator();
    for (const LinkCommand& link : linkCommands()) {
        QAction* item = help->addAction(QString::fromUtf8(link.title));
        item->setObjectName(QLatin1String(link.name));
        QObject::connect(item, &QAction::triggered, &controller, [name = QLatin1String(link.name)] { Open_Link(name); });
    }
    help->addSeparator();
    for (const ProductLinks::Product& product : ProductLinks::products()) {
        QAction* item = help->addAction(product.name + QStringLiteral("…"));
        item->setObjectName(QStringLiteral("Promotion_%1").arg(product.code));
        QObject::connect(item, &QAction::triggered, &controller, [code = product.code] { Open_Promotion(code); });
    }
}

void Open_Promotion(QChar softwareType)
{
    Promotion_Form& form = Promotion_Form::defaultInstance();
    form.software_type = softwareType;
    form.Open_Promotion_Window();
}

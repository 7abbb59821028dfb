#include "mainwindow/LinkCommands.h"

#include <QAction>
#include <QDesktopServices>
#include <QMenu>
#include <QUrlQuery>

#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/SKTWindowController.h"
#include "platform/Log.h"

namespace {

const QString kMakerSite = QStringLiteral("https://www.zova-software.example/");
const QString kProductSite = QStringLiteral("https://idcard.zova-software.example/");

QUrl partnerMail()
{
    QUrl mail(QStringLiteral("mailto:partners@zova-software.example"));
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

UrlOpener& urlOpener()
{
    static UrlOpener opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return opener;
}

}  // namespace

const QList<LinkCommand>& linkCommands()
{
    static const QList<LinkCommand> links{
        {"Open_Support_Mail", "Contact Support…", QUrl(QStringLiteral("mailto:support@zova-software.example"))},
        {"Open_Reseller_Mail", "Become a Partner…", partnerMail()},
        {"Open_Website_1", "ZOVA Software Home Page", QUrl(kMakerSite)},
        {"Open_Website_2", "ZOVA ID Card Home Page", QUrl(kProductSite)},
        {"Open_Website_3", "ZOVA ID Card Downloads", QUrl(kProductSite + QStringLiteral("download/"))},
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
    urlOpener() = std::move(opener);
}

bool Open_Link(const QString& name)
{
    for (const LinkCommand& link : linkCommands()) {
        if (name != QLatin1String(link.name))
            continue;
        if (urlOpener()(link.address))
            return true;
        Show_NSLog_Message(QStringLiteral("The desktop could not open %1").arg(link.address.toString()));
        return false;
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
}

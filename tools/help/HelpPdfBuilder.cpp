// help-pdf-builder GUIDE.md OUT.pdf: the user guide with pictures of the real window, printed at
// build time. Runs on the offscreen platform with the build's resource folder and a private
// user folder (the build step sets ZOVA_RESOURCES and XDG_DATA_HOME).
#include <QApplication>
#include <QFile>

#include "GuidePrinter.h"
#include "GuideScreenshots.h"
#include "model/SKTDocument.h"
#include "probes/ProbeSupport.h"

namespace {

constexpr int kUsageError = 64;
constexpr int kFailed = 1;

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(App_Name);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3)
        return complain(kUsageError, QStringLiteral("usage: help-pdf-builder GUIDE.md OUT.pdf"));

    QFile guide(arguments[1]);
    if (!guide.open(QIODevice::ReadOnly | QIODevice::Text))
        return complain(kFailed, QStringLiteral("Cannot read \"%1\": %2").arg(arguments[1], guide.errorString()));
    const QString markdown = QString::fromUtf8(guide.readAll());

    QString error;
    const QHash<QString, QImage> pictures = takeGuideScreenshots(&error);
    if (pictures.isEmpty())
        return complain(kFailed, error);
    if (!printGuide(markdown, pictures, arguments[2], &error))
        return complain(kFailed, error);
    return 0;
}

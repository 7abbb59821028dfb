// help-pdf-builder GUIDE.md OUT.pdf [PICTURES]: the user guide with pictures of the real window,
// printed at build time; each picture also goes into the folder PICTURES, where the guide's test
// finds what this build took, with shown-paths.txt listing the paths the pictures show. Runs on
// the offscreen platform with the build's resource folder and a private user folder (the build
// step sets ZOVA_RESOURCES and XDG_DATA_HOME).
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "GuidePrinter.h"
#include "GuideScreenshots.h"
#include "model/SKTDocument.h"
#include "probes/ProbeSupport.h"

namespace {

constexpr int kUsageError = 64;
constexpr int kFailed = 1;

// The folder holds this run's pictures alone, and the paths they show (shown-paths.txt, a line
// each).
bool keepPictures(const QHash<QString, QImage>& pictures, const QStringList& shownPaths, const QString& folder,
                  QString* error)
{
    QDir dir(folder);
    if (dir.exists() && !dir.removeRecursively()) {
        *error = QStringLiteral("Cannot empty \"%1\".").arg(folder);
        return false;
    }
    if (!dir.mkpath(QStringLiteral("."))) {
        *error = QStringLiteral("Cannot make \"%1\".").arg(folder);
        return false;
    }
    for (auto it = pictures.begin(); it != pictures.end(); ++it) {
        if (!it.value().save(dir.filePath(it.key()))) {
            *error = QStringLiteral("Cannot write \"%1\".").arg(dir.filePath(it.key()));
            return false;
        }
    }
    QSaveFile paths(dir.filePath(QStringLiteral("shown-paths.txt")));
    if (!paths.open(QIODevice::WriteOnly | QIODevice::Text) || paths.write((shownPaths.join(u'\n') + u'\n').toUtf8()) < 0
        || !paths.commit()) {
        *error = QStringLiteral("Cannot write \"%1\".").arg(paths.fileName());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(App_Name);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3 && arguments.size() != 4)
        return complain(kUsageError, QStringLiteral("usage: help-pdf-builder GUIDE.md OUT.pdf [PICTURES]"));

    QFile guide(arguments[1]);
    if (!guide.open(QIODevice::ReadOnly | QIODevice::Text))
        return complain(kFailed, QStringLiteral("Cannot read \"%1\": %2").arg(arguments[1], guide.errorString()));
    const QString markdown = QString::fromUtf8(guide.readAll());

    QString error;
    QStringList shownPaths;
    const QHash<QString, QImage> pictures = takeGuideScreenshots(&error, &shownPaths);
    if (pictures.isEmpty())
        return complain(kFailed, error);
    if (arguments.size() == 4 && !keepPictures(pictures, shownPaths, arguments[3], &error))
        return complain(kFailed, error);
    if (!printGuide(markdown, pictures, arguments[2], &error))
        return complain(kFailed, error);
    return 0;
}

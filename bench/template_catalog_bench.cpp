// The template window's list of the user's templates over a folder of 4,000 files (2,000
// designs, each with its picture): at most 250 ms, against one plain listing of the same folder.
//   bench_template_catalog [rounds]
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "designfile/TemplateCatalog.h"
#include "BenchSupport.h"

namespace {

constexpr int kDesigns = 2000;
constexpr double kListTargetMs = 250.0;

void touch(const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("x");
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir root;
    const QString user = root.filePath(QStringLiteral("User"));
    QDir().mkpath(user);
    for (int n = 0; n < kDesigns; ++n) {
        touch(QDir(user).filePath(QStringLiteral("badge %1.did").arg(n)));
        touch(QDir(user).filePath(QStringLiteral("badge %1.png").arg(n)));
    }
    const TemplateCatalog catalog(root.filePath(QStringLiteral("Templates")), user);
    qsizetype listed = 0;
    Rounds rounds;
    rounds.count = countArgument(argc, argv, 7);
    const PairedTimings timings = runPairedRounds(
        rounds, {[&] { listed = catalog.templates(QStringLiteral("User")).size(); }},
        {[&] { listed = QDir(user).entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase).size() / 2; }});
    printRatio("template_catalog_user_folder", timings, "one listing of the folder (QDir::entryInfoList)");
    printBudget("template_catalog_user_folder", "ms to list 2,000 designs", timings.ours.median() * 1000, kListTargetMs,
                " ms");
    return listed == kDesigns ? 0 : 1;
}

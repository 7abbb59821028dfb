// A signature or fingerprint showing its kind's sample is saved as "Default", never as a path of
// the program's (plistlib reads the file). "Default", and the sample in any installation's
// resources as older designs kept it, read back as our sample; the user's own pictures stay as
// they are.
#include <QScopedValueRollback>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "designfile/DesignFile.h"
#include "model/SKTSignature.h"
#include "platform/AppContext.h"
#include "support/TestEnvironment.h"

TEST(SignatureSamplePath, ASampleIsSavedAsDefaultAndAnyInstallationsSampleReadsAsOurs)
{
    QTemporaryDir dir;
    // Our resource folder counts whatever its name.
    const QScopedValueRollback resources(Resource_Path, dir.filePath(QStringLiteral("zova-res")));
    const QString sign = SKTSignature::samplePicturePath(QStringLiteral("S"));
    const QString prints = SKTSignature::samplePicturePath(QStringLiteral("F"));
    const QString own = QStringLiteral("/home/ada/sign_sample.png"), ownInResources = QStringLiteral("/home/ada/resources/mine.png");
    const struct {
        const char* kind;
        QString held;    // the element's path
        QString stored;  // what the design keeps
        QString older;   // what an older design kept
        QString read;    // the path the older design's element opens with
    } cases[] = {
        {"S", sign, "Default", "/opt/zova-old/build/resources/sign_sample.png", sign},
        {"F", prints, "Default", "/Applications/Old Badge.app/Contents/Resources/fingerprints.png", prints},
        {"S", "", "Default", "Default", sign},
        {"F", "", "Default", prints, prints},
        {"S", own, own, own, own},
        {"S", ownInResources, ownInResources, ownInResources, ownInResources},
    };
    DesignState design;
    QStringList stored, older;
    for (const auto& c : cases) {
        GraphicPtr signature = SKTGraphic::create(GraphicKind::Signature);
        signature->sign_or_fingureprint = QLatin1String(c.kind);
        signature->_file_path = c.held;
        design.frontElements << signature;
        stored << c.stored;
        older << c.older;
    }
    const QString file = dir.filePath(QStringLiteral("signatures.did"));
    ASSERT_TRUE(writeDesignFile(file, design));
    // Each element's entry is a list whose item 20 is the kind and item 21 the path.
    const auto kept = TestEnvironment::runPython(
        "import plistlib, sys\n"
        "items = plistlib.load(open(sys.argv[1], 'rb'))\n"
        "entries = [item for item in items if isinstance(item, list) and len(item) == 22 and item[20] in ('S', 'F')]\n"
        "sys.stdout.write('|'.join(entry[21] for entry in entries))\n"
        "for entry, path in zip(entries, sys.argv[2:]): entry[21] = path\n"
        "plistlib.dump(items, open(sys.argv[1], 'wb'))\n",
        QStringList{file} + older);
    ASSERT_EQ(kept.exitCode, 0) << kept.err.constData();
    EXPECT_EQ(QString::fromUtf8(kept.out), stored.join(u'|'));

    DesignFileError error;
    const std::optional<DesignState> read = readDesignFile(file, &error);
    ASSERT_TRUE(read) << qPrintable(error.reason);
    ASSERT_EQ(read->frontElements.size(), std::size(cases));
    for (size_t n = 0; n < std::size(cases); ++n)
        EXPECT_EQ(read->frontElements[n]->_file_path, cases[n].read) << "older " << qPrintable(cases[n].older);
}

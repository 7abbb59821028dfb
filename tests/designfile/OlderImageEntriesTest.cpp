// Picture entries of the older, shorter forms: 40 items (no value, no shadow flag) and 41 items
// (no shadow flag), made from a written file with Python's plistlib.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "designfile/DesignFile.h"
#include "designfile/DesignFileSamples.h"
#include "support/TestEnvironment.h"

namespace {

TEST(OlderImageEntries, FortyItemsTakeTheFilePathAsValueAndFortyOneTheirOwnBothWithAShadow)
{
    QTemporaryDir dir;
    const QString picture = DesignSamples::samplePicture(dir.path()), file = dir.filePath("older.did");
    DesignState design;
    design.frontElements = {DesignSamples::image(picture)};  // value "photo value", no shadow
    ASSERT_TRUE(writeDesignFile(file, design));
    const auto made = TestEnvironment::runPython(
        "import plistlib, sys\n"
        "items = plistlib.load(open(sys.argv[1], 'rb'))\n"
        "entry = items[87]\n"
        "assert items[86] == '1' and len(entry) == 42\n"
        "older = [entry[:40], entry[:40] + ['older value'], entry[:40] + ['Text here']]\n"
        "items[86:88] = [str(len(older))] + older\n"
        "plistlib.dump(items, open(sys.argv[1], 'wb'))\n",
        {file});
    ASSERT_EQ(made.exitCode, 0) << made.err.constData();

    DesignFileError error;
    const auto read = readDesignFile(file, &error);
    ASSERT_TRUE(read) << error.itemIndex << " " << qPrintable(error.reason);
    ASSERT_EQ(read->frontElements.size(), 3);
    // "Text here", the starting value of every element, also gives way to the file path.
    const QStringList values{picture, "older value", picture};
    for (int i = 0; i < 3; ++i) {
        const GraphicPtr& element = read->frontElements[i];
        EXPECT_EQ(std::tuple(element->_file_path, element->Text_Value, element->textStyle.Drawing_Shadow),
                  std::tuple(picture, values[i], true)) << "entry of " << 40 + (i > 0) << " items";
    }
}

}  // namespace

#pragma once
// Designs whose barcodes store pictures of any size, made from the sample design by Python's
// plistlib, for the tests of the stored pictures' budget.
#include <QDir>
#include <gtest/gtest.h>

#include "designfile/DesignFile.h"
#include "designfile/DesignFileSamples.h"
#include "support/PngSamples.h"
#include "support/TestEnvironment.h"

// Python run on a design's root array `d`: png(side, shade) gives a PNG of side x side pixels of
// one shade, and barcodes(pictures) makes the front one barcode for each picture, storing it.
inline QString storedBarcodesPython()
{
    return pngSamplesPython()
           + QStringLiteral("png = lambda side, shade: png_file(side, side, 6, 8, False, bytes([shade]) * 4)\n"
                            "barcode = [e for e in d if isinstance(e, list) and e and e[0] == 'B'][0]\n"
                            "def barcodes(pictures):\n"
                            "    entries = [barcode[:25] + [picture] + barcode[26:] for picture in pictures]\n"
                            "    d[86:] = [str(len(entries))] + entries + ['0']\n");
}

// The sample design, its front's barcodes made by `statements` (see storedBarcodesPython), as a
// binary design file in the folder.
inline QString designWithStoredPictures(const QString& folder, const QString& statements)
{
    const QString sample = QDir(folder).filePath(QStringLiteral("sample.did"));
    const QString target = QDir(folder).filePath(QStringLiteral("stored-pictures.did"));
    EXPECT_TRUE(writeDesignFile(sample, DesignSamples::fullDesign(DesignSamples::samplePicture(folder))));
    const auto result = TestEnvironment::runPython(
        QStringLiteral("import plistlib, sys\nd = plistlib.load(open(sys.argv[1], 'rb'))\n") + storedBarcodesPython() + statements
            + QStringLiteral("\nopen(sys.argv[2], 'wb').write(plistlib.dumps(d, fmt=plistlib.FMT_BINARY))\n"),
        {sample, target});
    EXPECT_EQ(result.exitCode, 0) << result.err.constData();
    return target;
}

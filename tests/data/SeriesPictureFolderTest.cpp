// A picture folder's paths in the order the series gets them, which the guide tells users to name
// their photos by.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "data/SeriesPictureFolder.h"

TEST(SeriesPictureFolder, PicturesComeInNameOrderSoOnlyLeadingZerosKeepNumberOrder)
{
    const auto order = [](const QStringList& names) {
        QTemporaryDir dir;
        for (const QString& name : names) {
            QFile file(dir.filePath(name));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        }
        QStringList listed;
        for (const QString& path : scanPictureFolder(dir.path()))
            listed << QFileInfo(path).fileName();
        return listed;
    };
    QStringList plain, padded;
    for (int n = 1; n <= 12; ++n) {
        plain << QStringLiteral("photo%1.jpg").arg(n);
        padded << QStringLiteral("photo%1.jpg").arg(n, 2, 10, QLatin1Char('0'));
    }
    EXPECT_EQ(order({"img2.png", "img10.png", "img1.png"}), QStringList({"img1.png", "img10.png", "img2.png"}));
    EXPECT_EQ(order({"B.png", "a.PNG", "c.png"}), QStringList({"a.PNG", "B.png", "c.png"})) << "case ignored";
    EXPECT_EQ(order(padded), padded);
    EXPECT_EQ(order(plain).mid(0, 5),
              QStringList({"photo1.jpg", "photo10.jpg", "photo11.jpg", "photo12.jpg", "photo2.jpg"}));
}

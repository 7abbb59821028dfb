// The template library's listing: shipped categories, the visitor category for visitor runs only,
// and the user's exported templates.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "designfile/DesignFile.h"
#include "designfile/TemplateCatalog.h"

namespace {

class TemplateCatalogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"employee/classic blue (h)", "employee/classic blue (v)", "employee/Bold red (h)",
                                 "visitor/day pass (v)", "student/campus (h)", "User/My badge"})
            addTemplate(QString::fromLatin1(name), true);
        addTemplate(QStringLiteral("event/no picture (h)"), false);
        QDir(root.path()).mkpath(QStringLiteral("Templates/membership"));  // no template: not shown
        writeFile(QStringLiteral("Templates/employee/notes.txt"));
        writeFile(QStringLiteral("Templates/employee/stray.png"));
    }
    void addTemplate(const QString& name, bool withPreview)
    {
        const QString base = (name.startsWith(QLatin1String("User/")) ? root.filePath(QStringLiteral("user/"))
                                                                       : root.filePath(QStringLiteral("Templates/")))
            + name;
        QDir().mkpath(QFileInfo(base).path());
        ASSERT_TRUE(writeDesignFile(base + QStringLiteral(".did"), DesignState()));
        if (withPreview) {
            QImage preview(20, 12, QImage::Format_RGB32);
            preview.fill(Qt::blue);
            ASSERT_TRUE(preview.save(base + QStringLiteral(".png")));
        }
    }
    void writeFile(const QString& relative)
    {
        QFile file(root.filePath(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QString shipped(const QString& relative) const { return root.filePath(QStringLiteral("Templates/") + relative); }

    QTemporaryDir root;
    TemplateCatalog catalog{root.filePath(QStringLiteral("Templates")), root.filePath(QStringLiteral("user/User"))};
};

}  // namespace

TEST_F(TemplateCatalogTest, CategoriesAreCapitalisedInNameOrderWithVisitorOnlyForVisitorRuns)
{
    EXPECT_EQ(catalog.categories(false), (QStringList{"Employee", "Event", "Student", "User"}));
    EXPECT_EQ(catalog.categories(true), (QStringList{"Employee", "Event", "Student", "Visitor", "User"}));
    // The user's category is there before anything was exported.
    const TemplateCatalog empty(root.filePath(QStringLiteral("none")), root.filePath(QStringLiteral("none")));
    EXPECT_EQ(empty.categories(true), QStringList{"User"});
    EXPECT_TRUE(empty.templates(QStringLiteral("User")).isEmpty());
}

TEST_F(TemplateCatalogTest, TemplatesNameTheirDesignAndPreviewInNameOrder)
{
    const QList<TemplateEntry> employee = catalog.templates(QStringLiteral("Employee"));
    ASSERT_EQ(employee.size(), 3);
    EXPECT_EQ(employee.at(0), (TemplateEntry{"Bold red (h)", shipped("employee/Bold red (h).did"),
                                             shipped("employee/Bold red (h).png")}));
    EXPECT_EQ(employee.at(1).name, "classic blue (h)");
    EXPECT_EQ(employee.at(2).didPath, shipped("employee/classic blue (v).did"));
    EXPECT_EQ(employee.at(2).previewPath, shipped("employee/classic blue (v).png"));

    // A design without its picture is still offered.
    EXPECT_EQ(catalog.templates(QStringLiteral("Event")),
              (QList<TemplateEntry>{{"no picture (h)", shipped("event/no picture (h).did"), QString()}}));
    EXPECT_EQ(catalog.templates(QStringLiteral("User")),
              (QList<TemplateEntry>{{"My badge", root.filePath(QStringLiteral("user/User/My badge.did")),
                                     root.filePath(QStringLiteral("user/User/My badge.png"))}}));
    EXPECT_EQ(catalog.templates(QStringLiteral("Visitor")).size(), 1);
    // Names that would leave the template folder list nothing.
    EXPECT_TRUE(catalog.templates(QStringLiteral("../Templates/employee")).isEmpty());
    EXPECT_TRUE(catalog.templates(QString()).isEmpty());
}

#pragma once
// The card templates a new design can start from: those shipped in the resource folder, one
// folder per category (Templates/employee/classic blue (h).did beside its preview
// classic blue (h).png), and those the user exported (Templates/User in the user's folder).
#include <QList>
#include <QString>
#include <QStringList>

struct TemplateEntry {
    QString name;         // the file's base name, "classic blue (h)"
    QString didPath;      // the design file
    QString previewPath;  // the front side's picture beside it; empty when there is none
    bool operator==(const TemplateEntry&) const = default;
};

class TemplateCatalog {
public:
    // The category of the user's exported templates, as the window shows it.
    static inline const QString kUserCategory = QStringLiteral("User");
    // Offered only to visitor-pass runs.
    static inline const QString kVisitorCategory = QStringLiteral("Visitor");

    // shippedFolder holds a folder per category; userFolder the user's templates.
    TemplateCatalog(QString shippedFolder, QString userFolder);
    // The folders of this run: Resource_Path/Templates and Created_Resource_Path/Templates/User.
    static TemplateCatalog installed();

    // The shipped categories that hold a template, capitalised ("Employee") and in name order,
    // the visitor category only for a visitor run; then always the user's category.
    QStringList categories(bool visitorMode) const;
    // The templates of a category shown by categories(), in name order (case ignored).
    QList<TemplateEntry> templates(const QString& category) const;

private:
    QString folderOf(const QString& category) const;

    QString m_shippedFolder;
    QString m_userFolder;
};

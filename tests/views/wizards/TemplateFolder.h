#pragma once
// A template library in a temporary folder, laid out as the shipped one and the user's.
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "designfile/DesignFile.h"
#include "designfile/TemplateCatalog.h"

class TemplateFolder {
public:
    // Writes Templates/<category>/<name>.did with the card's orientation, category and size row,
    // and its preview in the given colour when there is one.
    QString add(const QString& category, const QString& name, const QString& preset, const QString& sizeCategory,
                int row, QColor preview = Qt::darkCyan)
    {
        const QString folder = category == TemplateCatalog::kUserCategory ? userFolder()
                                                                          : root.filePath(QStringLiteral("Templates/") + category);
        QDir().mkpath(folder);
        DesignState design;
        design.startMode = QStringLiteral("T");
        const bool vertical = preset == QLatin1String("Vertical");
        for (Card_Property* side : {&design.front, &design.back}) {
            side->setCard_Preset(preset);
            side->setCard_Category(sizeCategory);
            side->setCard_Cat_index(row);
            side->setCard_Size(vertical ? QSizeF(153, 243) : QSizeF(243, 153));
        }
        const QString base = QDir(folder).filePath(name);
        writeDesignFile(base + QStringLiteral(".did"), design);
        if (preview.isValid()) {
            QImage picture(vertical ? 54 : 86, vertical ? 86 : 54, QImage::Format_RGB32);
            picture.fill(preview);
            picture.save(base + QStringLiteral(".png"));
        }
        return base + QStringLiteral(".did");
    }
    QString userFolder() const { return root.filePath(QStringLiteral("user/Templates/User")); }
    TemplateCatalog catalog() const { return TemplateCatalog(root.filePath(QStringLiteral("Templates")), userFolder()); }

    QTemporaryDir root;
};

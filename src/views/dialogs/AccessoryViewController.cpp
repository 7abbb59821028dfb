#include "views/dialogs/AccessoryViewController.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

AccessoryViewController::AccessoryViewController(QWidget* parent)
    : QWidget(parent)
{
    ext_btn = new QComboBox(this);
    ext_btn->addItems({QStringLiteral("JPEG"), QStringLiteral("BMP"), QStringLiteral("PNG"),
                       QStringLiteral("TIFF")});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Format:"), this));
    layout->addWidget(ext_btn);
    layout->addStretch();
    // activated, not currentIndexChanged: only the user's choice renames the file.
    connect(ext_btn, &QComboBox::activated, this, &AccessoryViewController::selectFormat);
}

QString AccessoryViewController::extensionForFormat(int index)
{
    switch (index) {
    case 0: return QStringLiteral("jpg");
    case 1: return QStringLiteral("bmp");
    case 2: return QStringLiteral("png");
    default: return QStringLiteral("tiff");
    }
}

QString AccessoryViewController::nameWithExtension(const QString& name, const QString& extension)
{
    return QStringLiteral("%1.%2").arg(QFileInfo(name).completeBaseName(), extension);
}

void AccessoryViewController::attachTo(QFileDialog& panel)
{
    panel.setOption(QFileDialog::DontUseNativeDialog);
    if (auto* grid = qobject_cast<QGridLayout*>(panel.layout()))
        grid->addWidget(this, grid->rowCount(), 0, 1, grid->columnCount());
    setSavePanel(&panel);
}

void AccessoryViewController::selectFormat(int index)
{
    if (!_savePanel)
        return;
    const QString extension = extensionForFormat(index);
    const QStringList typed = _savePanel->selectedFiles();
    const QString present = typed.isEmpty() ? QString() : QFileInfo(typed.first()).fileName();
    _savePanel->setNameFilter(QStringLiteral("*.%1").arg(extension));
    _savePanel->setDefaultSuffix(extension);
    _savePanel->selectFile(nameWithExtension(present, extension));
}

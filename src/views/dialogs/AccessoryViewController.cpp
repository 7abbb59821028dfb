#include "views/dialogs/AccessoryViewController.h"

#include <QComboBox>
#include <QDir>
#include <algorithm>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace {

const QList<SaveFormat>& pictureFormats()
{
    static const QList<SaveFormat> formats{{QStringLiteral("JPEG"), QStringLiteral("jpg")},
                                           {QStringLiteral("BMP"), QStringLiteral("bmp")},
                                           {QStringLiteral("PNG"), QStringLiteral("png")},
                                           {QStringLiteral("TIFF"), QStringLiteral("tiff")}};
    return formats;
}

}  // namespace

AccessoryViewController::AccessoryViewController(QWidget* parent) : AccessoryViewController(pictureFormats(), parent) {}

AccessoryViewController::AccessoryViewController(const QList<SaveFormat>& formats, QWidget* parent)
    : QWidget(parent), _formats(formats)
{
    ext_btn = new QComboBox(this);
    for (const SaveFormat& format : formats)
        ext_btn->addItem(format.title);
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
    return pictureFormats().value(index, pictureFormats().last()).extension;
}

QString AccessoryViewController::extensionAt(int index) const
{
    return _formats.isEmpty() ? QString() : _formats.value(index, _formats.last()).extension;
}

QString AccessoryViewController::nameWithExtension(const QString& name, const QString& extension)
{
    return QStringLiteral("%1.%2").arg(QFileInfo(name).completeBaseName(), extension);
}

void AccessoryViewController::showFormat(int index)
{
    ext_btn->setCurrentIndex(index);
    selectFormat(index);
}

QString AccessoryViewController::pathInShownFormat(const QString& chosen) const
{
    const QFileInfo typed(chosen);
    const bool offered = std::any_of(_formats.begin(), _formats.end(), [&typed](const SaveFormat& format) {
        return typed.suffix().compare(format.extension, Qt::CaseInsensitive) == 0;
    });
    const QString base = offered ? typed.completeBaseName() : typed.fileName();
    return typed.dir().filePath(QStringLiteral("%1.%2").arg(base, extensionAt(_shownFormat)));
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
    _shownFormat = index;
    if (!_savePanel)
        return;
    const QString extension = extensionAt(index);
    const QStringList typed = _savePanel->selectedFiles();
    const QString present = typed.isEmpty() ? QString() : QFileInfo(typed.first()).fileName();
    _savePanel->setNameFilter(QStringLiteral("*.%1").arg(extension));
    _savePanel->setDefaultSuffix(extension);
    _savePanel->selectFile(nameWithExtension(present, extension));
}

#include "ShownPaths.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QWidget>

void ShownPaths::add(const QString& folder, const QString& shown)
{
    if (folder.isEmpty())
        return;
    // The longest folder first, so a folder inside another is moved as a whole.
    const QString clean = QDir::cleanPath(folder);
    auto at = m_folders.begin();
    while (at != m_folders.end() && at->first.size() >= clean.size())
        ++at;
    m_folders.insert(at, {clean, shown});
}

QString ShownPaths::shownText(const QString& text) const
{
    QString shown = text;
    for (const auto& [folder, replacement] : m_folders)
        shown.replace(folder, replacement);
    return shown;
}

QStringList ShownPaths::shownPathTexts() const
{
    return m_shown;
}

void ShownPaths::dress(const QString& text, const std::function<bool(const QString&)>& show,
                       const std::function<void()>& putBack)
{
    const QString shown = shownText(text);
    const bool moved = shown != text && show(shown);
    if (moved)
        m_restore << putBack;
    const QString seen = moved ? shown : text;
    if (seen.contains(u'/') && !m_shown.contains(seen))
        m_shown << seen;
}

QImage ShownPaths::grab(QWidget& widget, const QRect& area)
{
    for (QLineEdit* field : widget.findChildren<QLineEdit*>()) {
        const QString text = field->text();
        const bool modified = field->isModified();
        dress(
            text,
            [field](const QString& shown) {
                const QSignalBlocker quiet(field);
                field->setText(shown);
                return true;
            },
            [field, text, modified] {
                const QSignalBlocker quiet(field);
                field->setText(text);
                field->setModified(modified);
            });
    }
    // A path field of several lines (the Picture and Signature pages' paths).
    for (QPlainTextEdit* field : widget.findChildren<QPlainTextEdit*>()) {
        const QString text = field->toPlainText();
        dress(
            text,
            [field](const QString& shown) {
                const QSignalBlocker quiet(field);
                field->setPlainText(shown);
                return true;
            },
            [field, text] {
                const QSignalBlocker quiet(field);
                field->setPlainText(text);
            });
    }
    for (QLabel* label : widget.findChildren<QLabel*>()) {
        const QString text = label->text();
        dress(
            text,
            [label](const QString& shown) {
                label->setText(shown);
                return true;
            },
            [label, text] { label->setText(text); });
    }
    for (QAbstractItemView* view : widget.findChildren<QAbstractItemView*>()) {
        QAbstractItemModel* model = view->model();
        for (int row = 0; model && row < model->rowCount(); ++row) {
            for (int column = 0; column < model->columnCount(); ++column) {
                const QPersistentModelIndex cell(model->index(row, column));
                const QString text = cell.data(Qt::DisplayRole).toString();
                dress(
                    text,
                    [model, cell](const QString& shown) {
                        const QSignalBlocker quiet(model);
                        return model->setData(cell, shown, Qt::DisplayRole);
                    },
                    [model, cell, text] {
                        const QSignalBlocker quiet(model);
                        model->setData(cell, text, Qt::DisplayRole);
                    });
            }
        }
    }
    const QImage picture = widget.grab(area).toImage();
    for (const std::function<void()>& putBack : m_restore)
        putBack();
    m_restore.clear();
    return picture;
}

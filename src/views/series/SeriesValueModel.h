#pragma once
// One column of texts (series names or values) for a table view. Rows are added one at a time as
// values arrive, so a view over a long list is told of each row alone, never reset per value.
#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

class SeriesValueModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // `key` is the column identifier ("Extension", "Header"), `title` its header.
    SeriesValueModel(QString key, QString title, QObject* parent = nullptr);

    const QString& key() const { return m_key; }
    const QStringList& texts() const { return m_texts; }
    int count() const { return int(m_texts.size()); }
    // The text of a row; "" outside the list.
    QString text(int row) const { return m_texts.value(row); }

    void append(const QString& text);
    void replace(int row, const QString& text);
    // Removes the rows (any order, repeats ignored).
    void removeRowsAt(QList<int> rows);
    void clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString m_key;
    QString m_title;
    QStringList m_texts;
};

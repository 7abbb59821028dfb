#pragma once
// The inspector's two one-column tables as item models: the card-size list ColList shows
// ListData, the group list GroupList shows GroupListData. The column carries the key under which
// each row keeps its text ("Extension", "BatchList"); the views and their selection stay with
// the main window.
#include <QAbstractListModel>
#include <QStringList>

class InspectorListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // The column identifier, also its header text.
    const QString& key() const { return m_key; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // An edited cell keeps the new text; an index outside the list is logged and nothing stored.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The row's text; "" for a row that does not exist.
    QString Get_Item_Text(int row) const;
    void clear();

protected:
    explicit InspectorListModel(QString key, QObject* parent);
    void appendRow(const QString& text);

private:
    bool holdsRow(const QModelIndex& index) const;

    QString m_key;
    QStringList m_rows;
};

// The sizes of the chosen category.
class ListData : public InspectorListModel {
    Q_OBJECT
public:
    explicit ListData(QObject* parent = nullptr);
    // Appends the trimmed name; a name of blanks adds no row.
    void Create_List(const QString& name);
};

// The records of a group.
class GroupListData : public InspectorListModel {
    Q_OBJECT
public:
    explicit GroupListData(QObject* parent = nullptr);
    // Appends the trimmed name, an empty one too, so that rows stay in step with the records.
    void Create_Group_List(const QString& name);
};

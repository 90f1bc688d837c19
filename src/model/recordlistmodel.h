#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QHash>
#include <QVariantList>

namespace corvane {

// A list of gadgets (Track, QueueItem, HistoryEntry…) for the long lists of the screens. Each
// property of the gadget is a role of the same name; "modelData" is the whole record.
class RecordListModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    explicit RecordListModel(const QMetaObject *record, QObject *parent = nullptr);

    template<typename T>
    static RecordListModel *of(QObject *parent)
    {
        return new RecordListModel(&T::staticMetaObject, parent);
    }

    int count() const { return int(m_items.size()); }
    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    Q_INVOKABLE QVariant get(int row) const;

    // Replaces the rows; nothing is signalled when the list is the same.
    template<typename T>
    void assign(const QList<T> &records);
    void setItems(QVariantList items);

Q_SIGNALS:
    void countChanged();

private:
    const QMetaObject *m_record;
    QVariantList m_items;
};

template<typename T>
QVariantList variantsOf(const QList<T> &records)
{
    QVariantList list;
    list.reserve(records.size());
    for (const T &record : records)
        list.append(QVariant::fromValue(record));
    return list;
}

// The records of one type in a list the screens handed back; anything else is skipped.
template<typename T>
QList<T> recordsOf(const QVariantList &values)
{
    QList<T> records;
    for (const QVariant &value : values) {
        if (value.canConvert<T>())
            records.append(value.value<T>());
    }
    return records;
}

template<typename T>
void RecordListModel::assign(const QList<T> &records)
{
    setItems(variantsOf(records));
}

} // namespace corvane

#include "recordlistmodel.h"

#include <QMetaProperty>

namespace corvane {

namespace {
constexpr int wholeRecordRole = Qt::UserRole;
}

RecordListModel::RecordListModel(const QMetaObject *record, QObject *parent)
    : QAbstractListModel(parent), m_record(record)
{
}

int RecordListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant RecordListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_items.size())
        return {};
    const QVariant &item = m_items.at(index.row());
    if (role == wholeRecordRole || role == Qt::DisplayRole)
        return item;
    const int property = role - wholeRecordRole - 1;
    if (property < 0 || property >= m_record->propertyCount())
        return {};
    return m_record->property(property).readOnGadget(item.constData());
}

QHash<int, QByteArray> RecordListModel::roleNames() const
{
    QHash<int, QByteArray> names{{wholeRecordRole, "modelData"}};
    for (int i = 0; i < m_record->propertyCount(); ++i)
        names.insert(wholeRecordRole + 1 + i, m_record->property(i).name());
    return names;
}

QVariant RecordListModel::get(int row) const
{
    return row >= 0 && row < m_items.size() ? m_items.at(row) : QVariant();
}

void RecordListModel::setItems(QVariantList items)
{
    if (items == m_items)
        return;
    const bool countChanges = items.size() != m_items.size();
    beginResetModel();
    m_items = std::move(items);
    endResetModel();
    if (countChanges)
        Q_EMIT countChanged();
}

} // namespace corvane

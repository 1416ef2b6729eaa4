#include "transmission/SendingListModel.h"

#include <QSize>

#include <algorithm>

namespace tramora {

SendingListModel::SendingListModel(QObject *parent)
    : QAbstractTableModel(parent)
{ }

int SendingListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int SendingListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : StatusColumn + 1;
}

QVariant SendingListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Row &r = m_rows[static_cast<size_t>(index.row())];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case CaptionColumn:
            return r.caption;
        case ProgressColumn:
            return QString();
        case TamanhoColumn:
            return r.tamanho;
        case TaxaColumn:
            return r.taxa;
        case StatusColumn:
            return r.status;
        }
        return {};
    }
    if (role == Qt::TextAlignmentRole && index.column() == StatusColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (index.column() == ProgressColumn) {
        switch (role) {
        case ProgressMinimumRole:
            return r.minimum;
        case ProgressMaximumRole:
            return r.maximum;
        case ProgressValueRole:
            return r.position;
        }
    }
    return {};
}

QVariant SendingListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section > StatusColumn)
        return {};
    if (role == Qt::DisplayRole) {
        switch (section) {
        case CaptionColumn:
            return QStringLiteral("Arquivo(s) sendo Enviado(s)");
        case ProgressColumn:
            return QStringLiteral("Progresso...");
        case TamanhoColumn:
            return QStringLiteral("Tamanho");
        case TaxaColumn:
            return QStringLiteral("Taxa de Transfência");
        case StatusColumn:
            return QStringLiteral(" Status");
        }
    }
    if (role == Qt::SizeHintRole) {
        static constexpr int widths[] = {250, 200, 110, 150, 260};
        return QSize(widths[section], 0);
    }
    if (role == Qt::TextAlignmentRole && section == StatusColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags SendingListModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

int SendingListModel::addRow(Row row)
{
    const auto at = std::upper_bound(
        m_rows.begin(), m_rows.end(), row.caption,
        [](const QString &caption, const Row &existing) { return caption < existing.caption; });
    const int index = static_cast<int>(at - m_rows.begin());
    beginInsertRows({}, index, index);
    m_rows.insert(at, std::move(row));
    endInsertRows();
    return index;
}

int SendingListModel::findRow(const QString &caption) const
{
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].caption == caption)
            return static_cast<int>(i);
    }
    return -1;
}

void SendingListModel::updateRow(int index, const Row &values)
{
    if (index < 0 || index >= rowCount())
        return;
    Row &r = m_rows[static_cast<size_t>(index)];
    const QString caption = r.caption;
    r = values;
    r.caption = caption;
    emit dataChanged(this->index(index, 0), this->index(index, StatusColumn));
}

bool SendingListModel::removeRowAt(int index)
{
    if (index < 0 || index >= rowCount())
        return false;
    beginRemoveRows({}, index, index);
    m_rows.erase(m_rows.begin() + index);
    endRemoveRows();
    return true;
}

} // namespace tramora

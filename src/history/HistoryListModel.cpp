#include "history/HistoryListModel.h"

#include "store/DataLayerError.h"
#include "store/History.h"

#include <QDateTime>
#include <QLoggingCategory>

#include <span>
#include <unordered_map>

namespace tramora {

namespace {

Q_LOGGING_CATEGORY(lcHistoryList, "tramora.history.list")

constexpr size_t blockSize = 256;
constexpr size_t maximumBlocks = 64;

} // namespace

HistoryListModel::HistoryListModel(History &history, QObject *parent)
    : QAbstractTableModel(parent)
    , m_history(history)
{ }

QString HistoryListModel::dataEnvioText(const QDateTime &moment)
{
    return moment.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

void HistoryListModel::reload(const std::optional<HistoryPeriod> &period)
{
    beginResetModel();
    m_blocks.clear();
    try {
        m_ids = m_history.idsIn(period);
    } catch (...) {
        m_ids.clear();
        endResetModel();
        throw;
    }
    endResetModel();
}

void HistoryListModel::close()
{
    beginResetModel();
    m_blocks.clear();
    m_ids.clear();
    endResetModel();
}

qint64 HistoryListModel::idAt(int row) const
{
    return row >= 0 && size_t(row) < m_ids.size() ? m_ids[size_t(row)] : 0;
}

QString HistoryListModel::erroAt(int row) const
{
    if (row < 0 || size_t(row) >= m_ids.size())
        return {};
    try {
        return m_history.erroOf(m_ids[size_t(row)]).value_or(QString());
    } catch (const DataLayerError &error) {
        qCWarning(lcHistoryList) << "history text:" << error.text();
        return {};
    }
}

const HistoryListModel::Row &HistoryListModel::rowAt(int row) const
{
    const size_t block = size_t(row) / blockSize;
    auto found = m_blocks.find(block);
    if (found == m_blocks.end()) {
        if (m_blocks.size() >= maximumBlocks)
            m_blocks.clear();
        const size_t first = block * blockSize;
        const std::span<const qint64> ids
            = std::span(m_ids).subspan(first, std::min(blockSize, m_ids.size() - first));
        std::unordered_map<qint64, Row> read;
        try {
            for (const HistoryRecord &record : m_history.summariesOf(ids))
                read.emplace(record.Id,
                             Row{record.NomeArquivo,
                                 record.DataEnvio ? dataEnvioText(*record.DataEnvio) : QString()});
        } catch (const DataLayerError &error) {
            // Views ask for rows while painting, where nothing may be thrown; the rows stay
            // empty until the next reload.
            qCWarning(lcHistoryList) << "history rows:" << error.text();
        }
        // A record deleted since the list was read stays as an empty row until the next reload.
        std::vector<Row> rows(ids.size());
        for (size_t i = 0; i < ids.size(); ++i) {
            auto it = read.find(ids[i]);
            if (it != read.end())
                rows[i] = std::move(it->second);
        }
        found = m_blocks.emplace(block, std::move(rows)).first;
    }
    return found->second[size_t(row) % blockSize];
}

int HistoryListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_ids.size());
}

int HistoryListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant HistoryListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    const Row &row = rowAt(index.row());
    return index.column() == NomeArquivo ? row.nomeArquivo : row.dataEnvio;
}

QVariant HistoryListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == NomeArquivo ? QStringLiteral("NomeArquivo") : QStringLiteral("DataEnvio");
}

} // namespace tramora

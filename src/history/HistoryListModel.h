#pragma once

#include "store/History.h"

#include <QAbstractTableModel>

#include <map>
#include <optional>
#include <vector>

namespace tramora {

// The visible history records as a two-column list, NomeArquivo and DataEnvio. It holds only
// the row numbers and reads the rows a view asks for in small blocks, so a period with a
// million records opens as fast as their row numbers can be read.
class HistoryListModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HistoryListModel)

public:
    enum Column { NomeArquivo = 0, DataEnvio = 1 };

    explicit HistoryListModel(History &history, QObject *parent = nullptr);

    // Reads the records of the period again (all records when there is none): after a
    // search, a clearing, a report.
    void reload(const std::optional<HistoryPeriod> &period);
    // Shows nothing until the next reload.
    void close();

    // The message text of a row's record, read when it is asked for.
    QString erroAt(int row) const;
    qint64 idAt(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    static QString dataEnvioText(const QDateTime &moment);

private:
    struct Row
    {
        QString nomeArquivo;
        QString dataEnvio;
    };
    const Row &rowAt(int row) const;

    History &m_history;
    std::vector<qint64> m_ids;
    // Blocks of rows read so far, by block number; dropped wholesale when too many pile up.
    mutable std::map<size_t, std::vector<Row>> m_blocks;
};

} // namespace tramora

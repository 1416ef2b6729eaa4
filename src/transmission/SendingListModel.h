#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <vector>

namespace tramora {

// The sending list: one row per running upload, sorted by caption. The window draws the bar
// of the "Progresso..." column from the progress roles; the cell itself has no text.
class SendingListModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SendingListModel)

public:
    enum Column { CaptionColumn, ProgressColumn, TamanhoColumn, TaxaColumn, StatusColumn };
    enum Role {
        ProgressMinimumRole = Qt::UserRole + 1,
        ProgressMaximumRole,
        ProgressValueRole,
    };

    struct Row
    {
        QString caption;
        qint64 minimum = 0;
        qint64 maximum = 0;
        qint64 position = 0;
        QString tamanho;
        QString taxa;
        QString status;
    };

    explicit SendingListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Inserts the row in caption order and returns its index.
    int addRow(Row row);
    // The row with exactly this caption, -1 when there is none.
    int findRow(const QString &caption) const;
    const Row &row(int index) const { return m_rows.at(static_cast<size_t>(index)); }
    // Replaces the row's values; the caption stays.
    void updateRow(int index, const Row &values);
    // Removing a row stops nothing: its worker's later notices find no row.
    bool removeRowAt(int index);

private:
    std::vector<Row> m_rows;
};

} // namespace tramora

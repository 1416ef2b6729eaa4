#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace tramora {

class Clock;
class SqlConnection;
class SqlStatement;

// A period of the history, both days included, compared with the record's date and time.
struct HistoryPeriod
{
    QDate inicio;
    QDate fim;
};

struct HistoryRecord
{
    qint64 Id = 0;
    std::optional<QDateTime> DataEnvio;
    QString NomeArquivo;
    std::optional<QString> StatusEnvio;
    std::optional<QString> Erro;
};

// The history of refused and criticised files, one record per file name, with the period
// filter of the history tab. While a filter is set, only records dated inside it are visible,
// to the lookups of InserirLog too.
class History final
{
public:
    History(SqlConnection &connection, const Clock &clock);

    void setPeriodFilter(const std::optional<HistoryPeriod> &period);
    const std::optional<HistoryPeriod> &periodFilter() const { return m_period; }

    // Files the message under the section Modulo of the record named after the last path
    // component of Arquivo. False when the message was skipped. Failures of the data layer
    // raise DataLayerError to the caller.
    bool InserirLog(const QString &Modulo, const QString &Erro, const QString &Arquivo);

    // A file that comes back starts with an empty history: drops the period filter, as
    // reopening the whole history does, and empties the file's record if it has one.
    void resetRecord(const QString &NomeArquivo);

    // The visible records in the order they were made.
    std::vector<HistoryRecord> visibleRecords() const;

    // The first visible record with exactly this name.
    std::optional<HistoryRecord> findVisible(const QString &NomeArquivo) const;

    // The row numbers of the records dated inside the period (all records when there is
    // none), in order: what a list of the history needs to hold, whatever its size. The
    // history tab passes the period of its last search, which a validation run dropping the
    // filter does not change.
    std::vector<qint64> idsIn(const std::optional<HistoryPeriod> &period) const;

    // The records with these row numbers, without their message text, in row order; rows
    // deleted in the meantime are left out.
    std::vector<HistoryRecord> summariesOf(std::span<const qint64> ids) const;

    // The message text of one record, looked up by its row number.
    std::optional<QString> erroOf(qint64 Id) const;

    // Hands each record dated inside the period (every record when there is none) to visit,
    // in order, one at a time, so that a report of a large history never holds it whole.
    void forEachIn(const std::optional<HistoryPeriod> &period,
                   const std::function<void(const HistoryRecord &)> &visit) const;

    // Deletes every record dated inside the period (both days whole) and every record without
    // a date. Returns how many were deleted.
    qint64 clearPeriod(const HistoryPeriod &period);

    // Makes the period filter and the clearing index lookups instead of scans of the history;
    // cheap once the index exists.
    void ensurePeriodIndex();

    // How DataEnvio is kept in the file: text that sorts as it compares.
    static QString storedDateTime(const QDateTime &moment);
    static std::optional<QDateTime> parseStoredDateTime(const QString &text);

private:
    QString visibleCondition() const;
    static HistoryRecord readRecord(const SqlStatement &row);
    void bindPeriod(SqlStatement &statement, int firstPosition) const;

    SqlConnection &m_connection;
    const Clock &m_clock;
    std::optional<HistoryPeriod> m_period;
};

// The record's new text when Modulo's message is filed into the text it holds now.
QString appendToErro(const QString &current, const QString &Modulo, const QString &message);

} // namespace tramora

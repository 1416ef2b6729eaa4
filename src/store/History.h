#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>
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

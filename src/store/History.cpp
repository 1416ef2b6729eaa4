#include "store/History.h"

#include "common/Clock.h"
#include "store/SqlConnection.h"

#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>

namespace tramora {

namespace {

constexpr QLatin1StringView storedFormat{"yyyy-MM-dd HH:mm:ss"};
constexpr QLatin1StringView crlf{"\r\n"};

QString lastPathComponent(const QString &path)
{
    return QFileInfo(path).fileName();
}

int digitsAt(const QString &text, qsizetype from, qsizetype count)
{
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// The same condition and values as the period filter, for a period given by the caller.
QString periodCondition(const std::optional<HistoryPeriod> &period)
{
    return period ? QStringLiteral(" AND DataEnvio BETWEEN ? AND ?") : QString();
}

void bindPeriodOf(SqlStatement &statement, int firstPosition,
                  const std::optional<HistoryPeriod> &period)
{
    if (!period)
        return;
    statement.bind(firstPosition,
                   History::storedDateTime(QDateTime(period->inicio, QTime(0, 0, 0))));
    statement.bind(firstPosition + 1,
                   History::storedDateTime(QDateTime(period->fim, QTime(23, 59, 59))));
}

// The stored form read field by field. The general date parser takes some 45 µs a value,
// which alone made a report of a million records last most of a minute.
std::optional<QDateTime> readStoredDateTime(const QString &text)
{
    if (text.size() >= 19 && text[4] == u'-' && text[7] == u'-' && text[10] == u' '
        && text[13] == u':' && text[16] == u':') {
        const int year = digitsAt(text, 0, 4), month = digitsAt(text, 5, 2);
        const int day = digitsAt(text, 8, 2), hour = digitsAt(text, 11, 2);
        const int minute = digitsAt(text, 14, 2), second = digitsAt(text, 17, 2);
        const QDate date(year, month, day);
        const QTime time(hour, minute, second);
        if (year >= 0 && month >= 0 && day >= 0 && hour >= 0 && minute >= 0 && second >= 0
            && date.isValid() && time.isValid())
            return QDateTime(date, time);
    }
    return History::parseStoredDateTime(text);
}

} // namespace

QString appendToErro(const QString &current, const QString &Modulo, const QString &message)
{
    // The test looks at the whole text, messages included, as the office's older records do.
    if (current.contains(Modulo, Qt::CaseInsensitive))
        return current + crlf + QLatin1String("   --> ") + message;
    const QString header = Modulo + QLatin1String(" -------------------------------------- ")
        + Modulo + QLatin1String(" --------------------------------------");
    return header + crlf + QLatin1String("   -->  ") + message + crlf + current;
}

History::History(SqlConnection &connection, const Clock &clock)
    : m_connection(connection)
    , m_clock(clock)
{ }

void History::setPeriodFilter(const std::optional<HistoryPeriod> &period)
{
    m_period = period;
}

QString History::storedDateTime(const QDateTime &moment)
{
    return moment.toString(storedFormat);
}

std::optional<QDateTime> History::parseStoredDateTime(const QString &text)
{
    QDateTime moment = QDateTime::fromString(text.left(storedFormat.size()), storedFormat);
    if (!moment.isValid())
        return std::nullopt;
    return moment;
}

QString History::visibleCondition() const
{
    return m_period ? QStringLiteral(" AND DataEnvio BETWEEN ? AND ?") : QString();
}

void History::bindPeriod(SqlStatement &statement, int firstPosition) const
{
    if (!m_period)
        return;
    statement.bind(firstPosition, storedDateTime(QDateTime(m_period->inicio, QTime(0, 0, 0))));
    statement.bind(firstPosition + 1, storedDateTime(QDateTime(m_period->fim, QTime(23, 59, 59))));
}

std::optional<HistoryRecord> History::findVisible(const QString &NomeArquivo) const
{
    // The name index keeps this a lookup whatever the size of the history.
    SqlStatement query(m_connection,
                       QStringLiteral("SELECT Id, DataEnvio, NomeArquivo, StatusEnvio, Erro "
                                      "FROM Arquivos WHERE NomeArquivo = ?")
                           + visibleCondition() + QStringLiteral(" ORDER BY Id LIMIT 1"));
    query.bind(1, NomeArquivo);
    bindPeriod(query, 2);
    if (!query.step())
        return std::nullopt;
    return readRecord(query);
}

void History::resetRecord(const QString &NomeArquivo)
{
    m_period.reset();
    const std::optional<HistoryRecord> existing = findVisible(NomeArquivo);
    if (!existing)
        return;
    SqlStatement update(m_connection,
                        QStringLiteral("UPDATE Arquivos SET Erro = NULL, DataEnvio = NULL, "
                                       "StatusEnvio = NULL WHERE Id = ?"));
    update.bind(1, existing->Id);
    update.step();
}

std::vector<HistoryRecord> History::visibleRecords() const
{
    SqlStatement query(m_connection,
                       QStringLiteral("SELECT Id, DataEnvio, NomeArquivo, StatusEnvio, Erro "
                                      "FROM Arquivos WHERE 1 = 1")
                           + visibleCondition() + QStringLiteral(" ORDER BY Id"));
    bindPeriod(query, 1);
    std::vector<HistoryRecord> records;
    while (query.step())
        records.push_back(readRecord(query));
    return records;
}

HistoryRecord History::readRecord(const SqlStatement &row)
{
    HistoryRecord record;
    record.Id = row.integer(0);
    if (!row.isNull(1))
        record.DataEnvio = parseStoredDateTime(row.text(1));
    record.NomeArquivo = row.text(2);
    record.StatusEnvio = row.optionalText(3);
    record.Erro = row.optionalText(4);
    return record;
}

bool History::InserirLog(const QString &Modulo, const QString &Erro, const QString &Arquivo)
{
    // Messages carrying a parser position of line 0 describe no place in the file.
    if (Erro.contains(QLatin1String("Line: 0 ")))
        return false;

    const QString name = lastPathComponent(Arquivo);
    const std::optional<HistoryRecord> existing = findVisible(name);
    const QString text
        = appendToErro(existing ? existing->Erro.value_or(QString()) : QString(), Modulo, Erro);
    const QString now = storedDateTime(m_clock.now());

    if (existing) {
        SqlStatement update(m_connection,
                            QStringLiteral("UPDATE Arquivos SET DataEnvio = ?, NomeArquivo = ?, "
                                           "StatusEnvio = 'S', Erro = ? WHERE Id = ?"));
        update.bind(1, now).bind(2, name).bind(3, text).bind(4, existing->Id);
        update.step();
    } else {
        SqlStatement insert(m_connection,
                            QStringLiteral("INSERT INTO Arquivos (DataEnvio, NomeArquivo, "
                                           "StatusEnvio, Erro) VALUES (?, ?, 'S', ?)"));
        insert.bind(1, now).bind(2, name).bind(3, text);
        insert.step();
    }
    return true;
}

std::vector<qint64> History::idsIn(const std::optional<HistoryPeriod> &period) const
{
    SqlStatement query(m_connection,
                       QStringLiteral("SELECT Id FROM Arquivos WHERE 1 = 1")
                           + periodCondition(period) + QStringLiteral(" ORDER BY Id"));
    bindPeriodOf(query, 1, period);
    std::vector<qint64> ids;
    while (query.step())
        ids.push_back(query.integer(0));
    return ids;
}

std::vector<HistoryRecord> History::summariesOf(std::span<const qint64> ids) const
{
    std::vector<HistoryRecord> records;
    // Older SQLite builds bind at most 999 values a statement; a list shows fewer at a time.
    constexpr size_t chunk = 500;
    for (size_t first = 0; first < ids.size(); first += chunk) {
        const std::span<const qint64> part
            = ids.subspan(first, std::min(chunk, ids.size() - first));
        QString placeholders = QStringLiteral("?");
        for (size_t i = 1; i < part.size(); ++i)
            placeholders += QLatin1String(", ?");
        SqlStatement query(m_connection,
                           QStringLiteral("SELECT Id, DataEnvio, NomeArquivo, StatusEnvio "
                                          "FROM Arquivos WHERE Id IN (")
                               + placeholders + QStringLiteral(") ORDER BY Id"));
        for (size_t i = 0; i < part.size(); ++i)
            query.bind(int(i) + 1, part[i]);
        while (query.step()) {
            HistoryRecord record;
            record.Id = query.integer(0);
            if (!query.isNull(1))
                record.DataEnvio = readStoredDateTime(query.text(1));
            record.NomeArquivo = query.text(2);
            record.StatusEnvio = query.optionalText(3);
            records.push_back(std::move(record));
        }
    }
    return records;
}

std::optional<QString> History::erroOf(qint64 Id) const
{
    SqlStatement query(m_connection, QStringLiteral("SELECT Erro FROM Arquivos WHERE Id = ?"));
    query.bind(1, Id);
    if (!query.step())
        return std::nullopt;
    return query.optionalText(0);
}

void History::forEachIn(const std::optional<HistoryPeriod> &period,
                        const std::function<void(const HistoryRecord &)> &visit) const
{
    SqlStatement query(m_connection,
                       QStringLiteral("SELECT Id, DataEnvio, NomeArquivo, StatusEnvio, Erro "
                                      "FROM Arquivos WHERE 1 = 1")
                           + periodCondition(period) + QStringLiteral(" ORDER BY Id"));
    bindPeriodOf(query, 1, period);
    HistoryRecord record;
    while (query.step()) {
        record.Id = query.integer(0);
        record.DataEnvio.reset();
        if (!query.isNull(1))
            record.DataEnvio = readStoredDateTime(query.text(1));
        record.NomeArquivo = query.text(2);
        record.StatusEnvio = query.optionalText(3);
        record.Erro = query.optionalText(4);
        visit(record);
    }
}

qint64 History::clearPeriod(const HistoryPeriod &period)
{
    // The last day counts whole, as it does for the period filter: clearing the period the
    // list shows leaves none of the records it showed.
    SqlStatement remove(m_connection,
                        QStringLiteral("DELETE FROM Arquivos WHERE DataEnvio BETWEEN ? AND ? "
                                       "OR DataEnvio IS NULL"));
    remove.bind(1, storedDateTime(QDateTime(period.inicio, QTime(0, 0, 0))));
    remove.bind(2, storedDateTime(QDateTime(period.fim, QTime(23, 59, 59))));
    remove.step();
    return sqlite3_changes(m_connection.handle());
}

void History::ensurePeriodIndex()
{
    m_connection.executeBatch(
        QStringLiteral("CREATE INDEX IF NOT EXISTS ArquivosDataEnvio ON Arquivos (DataEnvio);"));
}

} // namespace tramora

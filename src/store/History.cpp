#include "store/History.h"

#include "common/Clock.h"
#include "store/SqlConnection.h"

#include <QFileInfo>

namespace tramora {

namespace {

constexpr QLatin1StringView storedFormat{"yyyy-MM-dd HH:mm:ss"};
constexpr QLatin1StringView crlf{"\r\n"};

QString lastPathComponent(const QString &path)
{
    return QFileInfo(path).fileName();
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

} // namespace tramora

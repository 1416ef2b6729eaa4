#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace tramora {

class SqlConnection;

// One prepared statement. Values are always bound, never spliced into the SQL text.
class SqlStatement final
{
public:
    SqlStatement(SqlConnection &connection, const QString &sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement &) = delete;
    SqlStatement &operator=(const SqlStatement &) = delete;

    // Positions start at 1. A null QString or an empty optional binds SQL NULL.
    SqlStatement &bind(int position, const QString &value);
    SqlStatement &bind(int position, const std::optional<QString> &value);
    SqlStatement &bind(int position, qint64 value);
    SqlStatement &bindNull(int position);

    // True while a row is available; false once the statement is done.
    bool step();
    void reset();

    bool isNull(int column) const;
    QString text(int column) const;
    std::optional<QString> optionalText(int column) const;
    qint64 integer(int column) const;

private:
    void check(int rc) const;

    SqlConnection &m_connection;
    sqlite3_stmt *m_statement = nullptr;
};

// The thin layer over the encrypted SQLite library: open with or without a key, run a
// batch, prepare statements. Failures raise DataLayerError with the library's text.
class SqlConnection final
{
public:
    SqlConnection() = default;
    ~SqlConnection();
    SqlConnection(const SqlConnection &) = delete;
    SqlConnection &operator=(const SqlConnection &) = delete;

    // Opens (creating when missing) the file; with a key the file is encrypted under it.
    // The first read happens here, so a wrong key or a foreign file fails at once.
    void open(const QString &path, const std::optional<QByteArray> &key);
    void close();
    bool isOpen() const { return m_db != nullptr; }

    // Runs every statement of the text in order, stopping at the first failure.
    void executeBatch(const QString &sql);

    // Rolls back a transaction left open by a failed batch; nothing when none is open.
    void rollbackOpenTransaction();

    qint64 lastInsertRowId() const;
    sqlite3 *handle() const { return m_db; }
    QString lastErrorText() const;

private:
    sqlite3 *m_db = nullptr;
};

} // namespace tramora

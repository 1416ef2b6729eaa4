#pragma once

#include <QString>

#include <optional>

namespace tramora {

class SqlConnection;

// The single parameters record. Nullable columns are optionals, so that a NULL written by
// the office (no proxy, no CNS yet) stays NULL when the record is posted again.
struct Parametros
{
    qint64 Id = 0;
    std::optional<QString> CaminhoPdf;
    std::optional<QString> CaminhoXml;
    std::optional<QString> Cns;
    std::optional<QString> Homolog;
    bool Processo = false;
    std::optional<qint64> QuantUpLoad;
    std::optional<QString> Host;
    std::optional<QString> Porta;
    std::optional<QString> Usuario;
    std::optional<QString> Senha;
    std::optional<QString> Tipo;

    // The row inserted when the table is empty.
    static Parametros defaults();

    friend bool operator==(const Parametros &, const Parametros &) = default;
};

// Reads and stores the parameters record. Every post is written at once; there is no
// separate save step.
class ParametrosTable final
{
public:
    explicit ParametrosTable(SqlConnection &connection);

    // The first row, if any.
    std::optional<Parametros> load() const;
    // Inserts the default row when the table holds none and returns the record.
    Parametros ensure();
    // Writes every column of the record to its row.
    void post(const Parametros &record);

private:
    SqlConnection &m_connection;
};

} // namespace tramora

#include "store/Parametros.h"

#include "store/SqlConnection.h"

namespace tramora {

namespace {

std::optional<qint64> optionalInteger(const SqlStatement &row, int column)
{
    if (row.isNull(column))
        return std::nullopt;
    return row.integer(column);
}

// BOOLEAN has numeric affinity; older writers may have left "True"/"False" text.
bool booleanValue(const SqlStatement &row, int column)
{
    if (row.isNull(column))
        return false;
    const QString text = row.text(column).trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    return row.integer(column) != 0;
}

} // namespace

Parametros Parametros::defaults()
{
    Parametros record;
    record.CaminhoPdf = QStringLiteral("C:\\QuarelVR\\eOLU\\pdf");
    record.CaminhoXml = QStringLiteral("C:\\QuarelVR\\eOLU\\xml");
    record.QuantUpLoad = 3;
    record.Homolog = QStringLiteral("N");
    record.Processo = false;
    return record;
}

ParametrosTable::ParametrosTable(SqlConnection &connection)
    : m_connection(connection)
{ }

std::optional<Parametros> ParametrosTable::load() const
{
    SqlStatement query(m_connection,
                       QStringLiteral("SELECT Id, CaminhoPdf, CaminhoXml, Cns, Homolog, Processo, "
                                      "QuantUpLoad, Host, Porta, Usuario, Senha, Tipo "
                                      "FROM Parametros ORDER BY Id LIMIT 1"));
    if (!query.step())
        return std::nullopt;
    Parametros record;
    record.Id = query.integer(0);
    record.CaminhoPdf = query.optionalText(1);
    record.CaminhoXml = query.optionalText(2);
    record.Cns = query.optionalText(3);
    record.Homolog = query.optionalText(4);
    record.Processo = booleanValue(query, 5);
    record.QuantUpLoad = optionalInteger(query, 6);
    record.Host = query.optionalText(7);
    record.Porta = query.optionalText(8);
    record.Usuario = query.optionalText(9);
    record.Senha = query.optionalText(10);
    record.Tipo = query.optionalText(11);
    return record;
}

Parametros ParametrosTable::ensure()
{
    if (auto existing = load())
        return *existing;
    const Parametros record = Parametros::defaults();
    SqlStatement insert(m_connection,
                        QStringLiteral("INSERT INTO Parametros (CaminhoPdf, CaminhoXml, "
                                       "QuantUpLoad, Homolog, Processo) VALUES (?, ?, ?, ?, ?)"));
    insert.bind(1, record.CaminhoPdf)
        .bind(2, record.CaminhoXml)
        .bind(3, *record.QuantUpLoad)
        .bind(4, record.Homolog)
        .bind(5, qint64(record.Processo));
    insert.step();
    return *load();
}

void ParametrosTable::post(const Parametros &record)
{
    SqlStatement update(m_connection,
                        QStringLiteral("UPDATE Parametros SET CaminhoPdf = ?, CaminhoXml = ?, "
                                       "Cns = ?, Homolog = ?, Processo = ?, QuantUpLoad = ?, "
                                       "Host = ?, Porta = ?, Usuario = ?, Senha = ?, Tipo = ? "
                                       "WHERE Id = ?"));
    update.bind(1, record.CaminhoPdf)
        .bind(2, record.CaminhoXml)
        .bind(3, record.Cns)
        .bind(4, record.Homolog)
        .bind(5, qint64(record.Processo));
    if (record.QuantUpLoad)
        update.bind(6, *record.QuantUpLoad);
    else
        update.bindNull(6);
    update.bind(7, record.Host)
        .bind(8, record.Porta)
        .bind(9, record.Usuario)
        .bind(10, record.Senha)
        .bind(11, record.Tipo)
        .bind(12, record.Id);
    update.step();
}

} // namespace tramora

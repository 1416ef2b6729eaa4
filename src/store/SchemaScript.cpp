#include "store/SchemaScript.h"

#include "store/SqlConnection.h"

#include <QString>

namespace tramora {

namespace {

constexpr const char *createTables = R"sql(
-- Cria Tabela Parametros
CREATE TABLE IF NOT EXISTS Parametros (
    Id          INTEGER PRIMARY KEY AUTOINCREMENT NOT NULL,
    CaminhoPdf  VARCHAR(253),
    CaminhoXml  VARCHAR(253),
    Cns         VARCHAR(20),
    Homolog     NCHAR(1),
    Processo    BOOLEAN,
    QuantUpLoad INTEGER,
    Host        VARCHAR(50),
    Porta       VARCHAR(50),
    Usuario     VARCHAR(50),
    Senha       VARCHAR(50),
    Tipo        VARCHAR(50)
);

-- Cria a Tabela Arquivos
CREATE TABLE IF NOT EXISTS Arquivos (
    Id          INTEGER PRIMARY KEY AUTOINCREMENT NOT NULL,
    DataEnvio   DATETIME,
    NomeArquivo VARCHAR(253),
    StatusEnvio VARCHAR(1),
    Erro        VARCHAR(2000)
);

-- Cria a Tabela LgpdTipoInforcacao
CREATE TABLE IF NOT EXISTS LgpdTipoInforcacao (
    Id             INTEGER PRIMARY KEY AUTOINCREMENT NOT NULL,
    TipoInforcacao VARCHAR(200)
);
)sql";

// The copy runs inside one transaction: killed half-way, the old table is still whole on the
// next start instead of sitting in the temporary table under a new, empty history.
constexpr const char *rebuildHistory = R"sql(
-- ---------------------- destrois e cria Tableas ----------------------
PRAGMA foreign_keys = 0;
BEGIN;
CREATE TABLE sqlitestudio_temp_table AS SELECT * FROM Arquivos;
DROP TABLE Arquivos;
CREATE TABLE Arquivos (
    Id          INTEGER PRIMARY KEY AUTOINCREMENT NOT NULL,
    DataEnvio   DATETIME,
    NomeArquivo VARCHAR (253),
    StatusEnvio VARCHAR (1),
    Erro        TEXT
);
INSERT INTO Arquivos (Id, DataEnvio, NomeArquivo, StatusEnvio, Erro)
    SELECT Id, DataEnvio, NomeArquivo, StatusEnvio, Erro FROM sqlitestudio_temp_table;
DROP TABLE sqlitestudio_temp_table;
COMMIT;
)sql";

// The history is found by file name on every message and by date in the history tab; the
// rebuild drops these indexes.
constexpr const char *indexHistory = R"sql(
CREATE INDEX IF NOT EXISTS ArquivosNomeArquivo ON Arquivos (NomeArquivo);
CREATE INDEX IF NOT EXISTS ArquivosDataEnvio ON Arquivos (DataEnvio);
)sql";

// True when Arquivos is missing (a new file, which the script creates with the old column)
// or its message column is not TEXT yet.
bool historyNeedsRebuild(SqlConnection &connection)
{
    SqlStatement columns(connection, QStringLiteral("PRAGMA table_info(Arquivos)"));
    while (columns.step()) {
        if (columns.text(1).compare(QLatin1String("Erro"), Qt::CaseInsensitive) == 0)
            return columns.text(2).trimmed().compare(QLatin1String("TEXT"), Qt::CaseInsensitive)
                != 0;
    }
    return true;
}

} // namespace

void runSchemaScript(SqlConnection &connection)
{
    QString script = QString::fromUtf8(createTables);
    if (historyNeedsRebuild(connection))
        script += QString::fromUtf8(rebuildHistory);
    script += QString::fromUtf8(indexHistory);
    try {
        connection.executeBatch(script);
    } catch (...) {
        connection.rollbackOpenTransaction();
        throw;
    }
}

} // namespace tramora

#include "HistoryFixture.h"

#include "store/SqlConnection.h"

namespace tramora::test {

HistoryFixture::HistoryFixture()
    : store(DataModule::Options{folder.path(), QStringLiteral("CARTORIO-01")}, messages, clock)
{
    store.DataModuleCreate();
}

void HistoryFixture::insert(const QString &NomeArquivo, const QString &when, const QString &Erro)
{
    std::optional<QString> stored;
    if (!when.isEmpty())
        stored = History::storedDateTime(
            QDateTime::fromString(when, QStringLiteral("dd/MM/yyyy HH:mm:ss")));
    SqlStatement insert(store.connection(),
                        QStringLiteral("INSERT INTO Arquivos (DataEnvio, NomeArquivo, "
                                       "StatusEnvio, Erro) VALUES (?, ?, ?, ?)"));
    insert.bind(1, stored)
        .bind(2, NomeArquivo)
        .bind(3, stored ? std::optional<QString>(QStringLiteral("S")) : std::nullopt)
        .bind(4, Erro);
    insert.step();
}

QStringList HistoryFixture::allNames()
{
    SqlStatement query(store.connection(),
                       QStringLiteral("SELECT NomeArquivo FROM Arquivos ORDER BY Id"));
    QStringList names;
    while (query.step())
        names << query.text(0);
    return names;
}

QStringList HistoryFixture::namesOf(const std::vector<HistoryRecord> &records)
{
    QStringList names;
    for (const HistoryRecord &record : records)
        names << record.NomeArquivo;
    return names;
}

} // namespace tramora::test

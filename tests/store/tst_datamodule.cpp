#include "TestSupport.h"

#include "store/DataLayerError.h"
#include "store/DataModule.h"
#include "store/DatabasePassword.h"
#include "store/SqlConnection.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tramora;

namespace {

const QByteArray officeKey("zRua+");
const QString officeComputer = QStringLiteral("CARTORIO-01");

QByteArray firstBytes(const QString &path, int count)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(count);
}

QStringList tableNames(SqlConnection &db)
{
    SqlStatement query(db,
                       QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                      "AND name NOT LIKE 'sqlite_%' ORDER BY name"));
    QStringList names;
    while (query.step())
        names << query.text(0);
    return names;
}

QString columnType(SqlConnection &db, const QString &table, const QString &column)
{
    SqlStatement query(db, QStringLiteral("PRAGMA table_info(") + table + QLatin1Char(')'));
    while (query.step()) {
        if (query.text(1) == column)
            return query.text(2);
    }
    return {};
}

qint64 scalar(SqlConnection &db, const QString &sql)
{
    SqlStatement query(db, sql);
    return query.step() ? query.integer(0) : -1;
}

struct Row
{
    qint64 id;
    std::optional<QString> date, name, status, erro;
    friend bool operator==(const Row &, const Row &) = default;
};

std::vector<Row> historyRows(SqlConnection &db)
{
    SqlStatement query(db,
                       QStringLiteral("SELECT Id, DataEnvio, NomeArquivo, StatusEnvio, Erro "
                                      "FROM Arquivos ORDER BY Id"));
    std::vector<Row> rows;
    while (query.step())
        rows.push_back({query.integer(0), query.optionalText(1), query.optionalText(2),
                        query.optionalText(3), query.optionalText(4)});
    return rows;
}

// A store as older versions left it in Data/fileName: the message column still VARCHAR(2000),
// row numbers with gaps. Returns its history rows.
std::vector<Row> writeLegacyStore(const QString &folder, const QString &fileName,
                                  const QString &extraSql = QString())
{
    QDir().mkpath(folder + QStringLiteral("/Data"));
    SqlConnection db;
    db.open(folder + QStringLiteral("/Data/") + fileName, officeKey);
    db.executeBatch(
        QStringLiteral(
            "CREATE TABLE Arquivos (Id INTEGER PRIMARY KEY AUTOINCREMENT NOT NULL, DataEnvio "
            "DATETIME, NomeArquivo VARCHAR(253), StatusEnvio VARCHAR(1), Erro VARCHAR(2000));"
            "INSERT INTO Arquivos VALUES (1, '2021-12-01 10:00:00', 'a.xml', 'S', 'OLU one');"
            "INSERT INTO Arquivos VALUES (2, NULL, 'b.xml', NULL, NULL);"
            "INSERT INTO Arquivos VALUES (7, '2021-12-13 23:59:59', 'c.xml', 'S', 'PDF seven');")
        + extraSql);
    return historyRows(db);
}

} // namespace

class TestDataModule final : public QObject
{
    Q_OBJECT

private slots:
    void firstStartCreatesAnEncryptedStoreWithDefaults();
    void passwordRule_data();
    void passwordRule();
    void developerComputerKeepsAPlainFile();
    void legacyFileIsRenamed();
    void legacyFileStaysWhenBothExist();
    void olderHistoryIsRebuiltWithRowsIntact();
    void upToDateStoreIsLeftAsItIs();
    void failedRebuildLeavesTheHistoryWhole();
    void unreadableFileIsReportedAndKept();
    void parametersAreStoredWhenPosted();
};

void TestDataModule::firstStartCreatesAnEncryptedStoreWithDefaults()
{
    QTemporaryDir folder;
    test::RecordingMessageBoxes messages;
    test::FixedClock clock;
    DataModule module({folder.path(), officeComputer}, messages, clock);
    module.DataModuleCreate();

    QVERIFY(messages.shown().empty());
    const QString path = folder.path() + QStringLiteral("/Data/Tramora.s3db");
    QCOMPARE(module.databasePath(), path);
    QVERIFY(QFile::exists(path));

    // Nothing in the raw file gives it away as a database.
    QVERIFY(firstBytes(path, 16) != QByteArray("SQLite format 3\0", 16));
    SqlConnection withoutKey;
    QVERIFY_THROWS_EXCEPTION(DataLayerError, withoutKey.open(path, std::nullopt));
    SqlConnection wrongKey;
    QVERIFY_THROWS_EXCEPTION(DataLayerError, wrongKey.open(path, QByteArray("zRua-")));

    SqlConnection db;
    db.open(path, officeKey);
    QCOMPARE(tableNames(db),
             (QStringList{QStringLiteral("Arquivos"), QStringLiteral("LgpdTipoInforcacao"),
                          QStringLiteral("Parametros")}));
    QCOMPARE(columnType(db, QStringLiteral("Arquivos"), QStringLiteral("Erro")),
             QStringLiteral("TEXT"));
    QCOMPARE(scalar(db, QStringLiteral("SELECT count(*) FROM Parametros")), 1);

    ParametrosTable table(db);
    const Parametros stored = *table.load();
    QCOMPARE(stored.CaminhoPdf, QStringLiteral("C:\\QuarelVR\\eOLU\\pdf"));
    QCOMPARE(stored.CaminhoXml, QStringLiteral("C:\\QuarelVR\\eOLU\\xml"));
    QCOMPARE(stored.QuantUpLoad, 3);
    QCOMPARE(stored.Homolog, QStringLiteral("N"));
    QCOMPARE(stored.Processo, false);
    QVERIFY(!stored.Cns && !stored.Host && !stored.Porta && !stored.Usuario && !stored.Senha
            && !stored.Tipo);
    QCOMPARE(module.parametros(), stored);
}

void TestDataModule::passwordRule_data()
{
    QTest::addColumn<QString>("computer");
    QTest::addColumn<bool>("encrypted");

    QTest::newRow("office workstation") << QStringLiteral("CARTORIO-01") << true;
    QTest::newRow("empty name") << QString() << true;
    QTest::newRow("developer") << QStringLiteral("TRAMORA-DEV01") << false;
    QTest::newRow("developer, lower case") << QStringLiteral("tramora-dev02") << false;
    QTest::newRow("part of a developer name") << QStringLiteral("DEV01") << false;
    QTest::newRow("across the bar") << QStringLiteral("DEV01|TRAMORA") << false;
    QTest::newRow("developer name with a suffix") << QStringLiteral("TRAMORA-DEV011") << true;
}

void TestDataModule::passwordRule()
{
    QFETCH(QString, computer);
    QFETCH(bool, encrypted);
    const std::optional<QByteArray> key = databaseKeyFor(computer);
    QCOMPARE(key.has_value(), encrypted);
    if (key)
        QCOMPARE(*key, officeKey);
}

void TestDataModule::developerComputerKeepsAPlainFile()
{
    QTemporaryDir folder;
    test::RecordingMessageBoxes messages;
    test::FixedClock clock;
    DataModule module({folder.path(), QStringLiteral("TRAMORA-DEV01")}, messages, clock);
    module.DataModuleCreate();

    QVERIFY(messages.shown().empty());
    QCOMPARE(firstBytes(module.databasePath(), 16), QByteArray("SQLite format 3\0", 16));
}

void TestDataModule::legacyFileIsRenamed()
{
    QTemporaryDir folder;
    writeLegacyStore(folder.path(), QStringLiteral("eOlu.s3db"));

    test::RecordingMessageBoxes messages;
    test::FixedClock clock;
    DataModule module({folder.path(), officeComputer}, messages, clock);
    module.DataModuleCreate();

    QVERIFY(messages.shown().empty());
    QCOMPARE(QDir(folder.path() + QStringLiteral("/Data"))
                 .entryList({QStringLiteral("*.s3db")}, QDir::Files),
             QStringList{QStringLiteral("Tramora.s3db")});
    QCOMPARE(historyRows(module.connection()).size(), std::size_t(3));
}

void TestDataModule::legacyFileStaysWhenBothExist()
{
    QTemporaryDir folder;
    test::RecordingMessageBoxes messages;
    test::FixedClock clock;
    {
        DataModule module({folder.path(), officeComputer}, messages, clock);
        module.DataModuleCreate();
        module.history().InserirLog(QStringLiteral("OLU"), QStringLiteral("m"),
                                    QStringLiteral("current.xml"));
    }
    const QString legacy = folder.path() + QStringLiteral("/Data/eOlu.s3db");
    writeLegacyStore(folder.path(), QStringLiteral("eOlu.s3db"));
    const QByteArray legacyBytes = firstBytes(legacy, 1 << 20);

    DataModule module({folder.path(), officeComputer}, messages, clock);
    module.DataModuleCreate();

    QVERIFY(messages.shown().empty());
    QCOMPARE(firstBytes(legacy, 1 << 20), legacyBytes);
    const std::vector<Row> rows = historyRows(module.connection());
    QCOMPARE(rows.size(), std::size_t(1));
    QCOMPARE(rows[0].name, QStringLiteral("current.xml"));
}

void TestDataModule::olderHistoryIsRebuiltWithRowsIntact()
{
    QTemporaryDir folder;
    const std::vector<Row> before = writeLegacyStore(folder.path(), QStringLiteral("Tramora.s3db"));

    test::RecordingMessageBoxes messages;
    test::FixedClock clock;
    DataModule module({folder.path(), officeComputer}, messages, clock);
    module.DataModuleCreate();

    QVERIFY(messages.shown().empty());
    SqlConnection &db = module.connection();
    QCOMPARE(columnType(db, QStringLiteral("Arquivos"), QStringLiteral("Erro")),
             QStringLiteral("TEXT"));
    QVERIFY(historyRows(db) == before);
    QCOMPARE(tableNames(db).contains(QStringLiteral("sqlitestudio_temp_table")), false);
    QCOMPARE(scalar(db,
                    QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index' "
                                   "AND tbl_name = 'Arquivos' AND sql LIKE '%NomeArquivo%'")),
             1);
    // New records go on after the highest row number that was kept.
    QVERIFY(module.history().InserirLog(QStringLiteral("OLU"), QStringLiteral("m"),
                                        QStringLiteral("d.xml")));
    QCOMPARE(scalar(db, QStringLiteral("SELECT Id FROM Arquivos WHERE NomeArquivo = 'd.xml'")), 8);
}

void TestDataModule::upToDateStoreIsLeftAsItIs()
{
    QTemporaryDir folder;
    test::RecordingMessageBoxes messages;
    test::FixedClock clock;
    qint64 schemaVersion = 0;
    {
        DataModule module({folder.path(), officeComputer}, messages, clock);
        module.DataModuleCreate();
        module.history().InserirLog(QStringLiteral("OLU"), QStringLiteral("m"),
                                    QStringLiteral("a.xml"));
        schemaVersion = scalar(module.connection(), QStringLiteral("PRAGMA schema_version"));
    }
    DataModule module({folder.path(), officeComputer}, messages, clock);
    module.DataModuleCreate();

    QVERIFY(messages.shown().empty());
    QCOMPARE(scalar(module.connection(), QStringLiteral("PRAGMA schema_version")), schemaVersion);
    QCOMPARE(scalar(module.connection(), QStringLiteral("SELECT count(*) FROM Parametros")), 1);
    QCOMPARE(historyRows(module.connection()).size(), std::size_t(1));
}

void TestDataModule::failedRebuildLeavesTheHistoryWhole()
{
    QTemporaryDir folder;
    // A leftover of an earlier, interrupted copy makes the rebuild fail half-way.
    const std::vector<Row> before
        = writeLegacyStore(folder.path(), QStringLiteral("Tramora.s3db"),
                           QStringLiteral("CREATE TABLE sqlitestudio_temp_table (x);"));

    test::RecordingMessageBoxes messages;
    test::FixedClock clock;
    DataModule module({folder.path(), officeComputer}, messages, clock);
    module.DataModuleCreate();

    QCOMPARE(messages.shown().size(), std::size_t(1));
    QCOMPARE(messages.shown()[0].kind, test::RecordingMessageBoxes::Shown::Information);
    QVERIFY2(
        messages.shown()[0].text.startsWith(QStringLiteral("Erro Criacao da Base de Dados !\r\n")),
        qPrintable(messages.shown()[0].text));
    QVERIFY(messages.shown()[0].text.contains(QLatin1String("sqlitestudio_temp_table")));
    QVERIFY(historyRows(module.connection()) == before);
    // The parameters record is ensured all the same.
    QCOMPARE(module.parametros().QuantUpLoad, 3);
}

void TestDataModule::unreadableFileIsReportedAndKept()
{
    QTemporaryDir folder;
    QDir().mkpath(folder.path() + QStringLiteral("/Data"));
    const QString path = folder.path() + QStringLiteral("/Data/Tramora.s3db");
    QByteArray foreign(8192, '\x5a');
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(foreign);
    }

    test::RecordingMessageBoxes messages;
    test::FixedClock clock;
    DataModule module({folder.path(), officeComputer}, messages, clock);
    module.DataModuleCreate();

    QVERIFY(!module.isOpen());
    const QStringList texts = messages.texts();
    QCOMPARE(texts.size(), 2);
    QVERIFY2(texts[0].startsWith(QStringLiteral("Erro ao atualizar as definições !\r\n")),
             qPrintable(texts[0]));
    QVERIFY(texts[0].size() > QStringLiteral("Erro ao atualizar as definições !\r\n").size());
    QVERIFY(texts[1].startsWith(QStringLiteral("Erro Criacao da Base de Dados !\r\n")));
    // The office's file is never overwritten by a failed start.
    QCOMPARE(firstBytes(path, 1 << 20), foreign);
    QVERIFY_THROWS_EXCEPTION(DataLayerError,
                             module.history().InserirLog(QStringLiteral("OLU"), QStringLiteral("m"),
                                                         QStringLiteral("a.xml")));
}

void TestDataModule::parametersAreStoredWhenPosted()
{
    QTemporaryDir folder;
    test::RecordingMessageBoxes messages;
    test::FixedClock clock;
    Parametros edited;
    {
        DataModule module({folder.path(), officeComputer}, messages, clock);
        module.DataModuleCreate();
        edited = module.parametros();
        edited.Cns = QStringLiteral("123456");
        edited.Homolog = QStringLiteral("S");
        edited.Processo = true;
        edited.QuantUpLoad = 10;
        edited.Host = QStringLiteral("proxy.local");
        edited.Porta = QStringLiteral("3128");
        edited.Senha = QStringLiteral("p'; DROP TABLE Parametros; --");
        edited.Tipo = QStringLiteral("9");
        module.postParametros(edited);
    }
    DataModule module({folder.path(), officeComputer}, messages, clock);
    module.DataModuleCreate();
    QVERIFY(messages.shown().empty());
    QCOMPARE(module.parametros(), edited);

    edited.Host.reset();
    module.postParametros(edited);
    QCOMPARE(module.reloadParametros().Host, std::nullopt);
}

QTEST_GUILESS_MAIN(TestDataModule)
#include "tst_datamodule.moc"

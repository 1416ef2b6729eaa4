#include "store/DataModule.h"

#include "common/MessageBoxes.h"
#include "store/DataLayerError.h"
#include "store/DatabasePassword.h"
#include "store/SchemaScript.h"

#include <QDir>
#include <QFile>

namespace tramora {

namespace {

const QString crlf = QStringLiteral("\r\n");

} // namespace

DataModule::DataModule(Options options, MessageBoxes &messages, const Clock &clock)
    : m_options(std::move(options))
    , m_messages(messages)
    , m_parametrosTable(m_connection)
    , m_history(m_connection, clock)
{ }

QString DataModule::dataFolder() const
{
    return m_options.applicationFolder + QLatin1Char('/') + dataFolderName();
}

QString DataModule::databasePath() const
{
    return dataFolder() + QLatin1Char('/') + databaseFileName();
}

void DataModule::DataModuleCreate()
{
    QDir().mkpath(dataFolder());

    // Fails silently when the new name exists already: both files stay, the new one is used.
    QFile::rename(dataFolder() + QLatin1Char('/') + legacyDatabaseFileName(), databasePath());

    try {
        openConnection();
    } catch (const DataLayerError &failure) {
        m_messages.information(QStringLiteral("Erro ao atualizar as definições !") + crlf
                               + failure.text());
    }

    try {
        runSchemaScript(m_connection);
    } catch (const DataLayerError &failure) {
        m_messages.information(QStringLiteral("Erro Criacao da Base de Dados !") + crlf
                               + failure.text());
    }

    ensureParametros();
}

void DataModule::openConnection()
{
    m_connection.close();
    m_connection.open(databasePath(), databaseKeyFor(m_options.computerName));
}

void DataModule::ensureParametros()
{
    // Without a store there is no record to ensure; the defaults stand in so that the
    // windows show something, and every later use of the store reports its own failure.
    if (!m_connection.isOpen()) {
        m_parametros = Parametros::defaults();
        return;
    }
    try {
        m_parametros = m_parametrosTable.ensure();
    } catch (const DataLayerError &failure) {
        m_parametros = Parametros::defaults();
        m_messages.information(QStringLiteral("Erro Criacao da Base de Dados !") + crlf
                               + failure.text());
    }
}

const Parametros &DataModule::reloadParametros()
{
    if (auto record = m_parametrosTable.load())
        m_parametros = *record;
    return m_parametros;
}

void DataModule::postParametros(const Parametros &record)
{
    m_parametrosTable.post(record);
    m_parametros = record;
}

} // namespace tramora

#pragma once

#include "store/History.h"
#include "store/Parametros.h"
#include "store/SqlConnection.h"

#include <QString>

namespace tramora {

class Clock;
class MessageBoxes;

// Owns the connection to the local store for the life of the application, with the
// parameters record and the history on top of it.
class DataModule final
{
public:
    struct Options
    {
        QString applicationFolder; // the folder of the executable
        QString computerName; // decides whether the file is encrypted
    };

    DataModule(Options options, MessageBoxes &messages, const Clock &clock);
    DataModule(const DataModule &) = delete;
    DataModule &operator=(const DataModule &) = delete;

    // Creates Data when missing, renames a legacy file, opens the store, runs the schema
    // script and ensures the parameters record. Failures are shown and creation goes on.
    void DataModuleCreate();

    bool isOpen() const { return m_connection.isOpen(); }
    QString databasePath() const;

    // The parameters record as last read or posted.
    const Parametros &parametros() const { return m_parametros; }
    // Reads the record again from the file.
    const Parametros &reloadParametros();
    // Stores the record at once.
    void postParametros(const Parametros &record);

    History &history() { return m_history; }
    SqlConnection &connection() { return m_connection; }

    static QString dataFolderName() { return QStringLiteral("Data"); }
    static QString databaseFileName() { return QStringLiteral("Tramora.s3db"); }
    static QString legacyDatabaseFileName() { return QStringLiteral("eOlu.s3db"); }

private:
    QString dataFolder() const;
    void openConnection();
    void ensureParametros();

    Options m_options;
    MessageBoxes &m_messages;
    SqlConnection m_connection;
    ParametrosTable m_parametrosTable;
    Parametros m_parametros;
    History m_history;
};

} // namespace tramora

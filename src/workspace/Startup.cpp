#include "workspace/Startup.h"

#include "common/MessageBoxes.h"
#include "store/DataLayerError.h"
#include "validation/LgpdInformationTypes.h"
#include "workspace/AppVersion.h"
#include "workspace/EmbeddedFiles.h"
#include "workspace/StandardVersions.h"
#include "workspace/Workspace.h"

#include <QDir>

namespace tramora {

StartupSequence::StartupSequence(StartupEnvironment environment, MessageBoxes &messages,
                                 const Clock &clock)
    : m_environment(std::move(environment))
    , m_messages(messages)
    , m_clock(clock)
{
    // Without a trailing separator, as every path is built by appending "/" and a name.
    m_environment.applicationFolder = QDir::cleanPath(m_environment.applicationFolder);
}

DataModule &StartupSequence::createDataModule()
{
    m_dataModule = std::make_unique<DataModule>(
        DataModule::Options{m_environment.applicationFolder, m_environment.computerName},
        m_messages, m_clock);
    m_dataModule->DataModuleCreate();
    return *m_dataModule;
}

StartupSequence::Outcome StartupSequence::prepareWorkspace()
{
    m_values.vLgpdTipoInforcacao = lgpdInformationTypeLines();
    m_values.vCaminhoDoExecutavel = m_environment.applicationFolder;

    if (m_environment.networkPathCheck
        && m_environment.networkPathCheck(m_values.vCaminhoDoExecutavel)) {
        m_messages.error(networkPathRefusalMessage());
        return Outcome::Quit;
    }

    if (m_dataModule && m_dataModule->isOpen()) {
        try {
            m_dataModule->reloadParametros();
        } catch (const DataLayerError &failure) {
            m_messages.error(failure.text());
        }
    }

    createWorkspaceFolders(m_values.vCaminhoDoExecutavel, m_values);
    m_values.vLimiteMaximoPaginaPDF = 0;
    m_values.appVersion = applicationVersion();
    setStandardVersionDates(m_values);

    EmbeddedFileWriter(m_values.vCaminhoDoExecutavel, m_messages).writeAll();
    return Outcome::Proceed;
}

} // namespace tramora

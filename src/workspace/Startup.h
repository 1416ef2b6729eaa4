#pragma once

#include "store/DataModule.h"
#include "workspace/NetworkPath.h"
#include "workspace/ProcessValues.h"

#include <QString>

#include <memory>

namespace tramora {

class Clock;
class MessageBoxes;

// What start-up needs from outside: where the application lives, who it runs on, and the
// services that vary between an office workstation and a test.
struct StartupEnvironment
{
    QString applicationFolder;
    QString computerName;
    NetworkPathCheck networkPathCheck = isNetworkPath;
};

// The start-up steps that need no window, in the order the windows call them: the data
// module first, then the workspace when the main window is created.
class StartupSequence final
{
public:
    enum class Outcome { Proceed, Quit };

    StartupSequence(StartupEnvironment environment, MessageBoxes &messages, const Clock &clock);
    StartupSequence(const StartupSequence &) = delete;
    StartupSequence &operator=(const StartupSequence &) = delete;

    // Creates the data module: Data folder, legacy rename, store, schema script, parameters.
    DataModule &createDataModule();

    // The main window's creation, without the window: the LGPD list, the application folder,
    // the refusal of a network share (Quit), the parameters read again, the workspace
    // folders, the page limit, the version and the embedded files.
    Outcome prepareWorkspace();

    DataModule &dataModule() { return *m_dataModule; }
    ProcessValues &values() { return m_values; }
    const StartupEnvironment &environment() const { return m_environment; }

private:
    StartupEnvironment m_environment;
    MessageBoxes &m_messages;
    const Clock &m_clock;
    std::unique_ptr<DataModule> m_dataModule;
    ProcessValues m_values;
};

} // namespace tramora

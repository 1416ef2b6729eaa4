#pragma once

#include <QPointer>

class QWidget;

namespace tramora {

class DataModule;
class MessageBoxes;
class ProxyWindow;

// The two proxy buttons of the office tab: opening the proxy window, created the first time
// and kept afterwards, and clearing the proxy fields.
class ProxyActions final
{
public:
    ProxyActions(DataModule &data, MessageBoxes &messages, QWidget *mainWindow);
    ProxyActions(const ProxyActions &) = delete;
    ProxyActions &operator=(const ProxyActions &) = delete;

    // Shows the window modally, centred on the main window.
    void actConfigProxyExecute();
    // Asks, then sets the five proxy fields to NULL and stores the record.
    void actResetProxyExecute();

    // The window, created when missing; it belongs to the main window.
    ProxyWindow *window();
    bool hasWindow() const { return !m_window.isNull(); }

private:
    DataModule &m_data;
    MessageBoxes &m_messages;
    QWidget *m_mainWindow;
    QPointer<ProxyWindow> m_window;
};

} // namespace tramora

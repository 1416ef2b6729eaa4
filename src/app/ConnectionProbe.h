#pragma once

#include "transmission/InternetConnection.h"

#include <QString>

#include <functional>

namespace tramora {

// Answers whether the workstation is online. The window asks it at start and the send
// timer on every tick, so the answer must come at once: nothing here waits on the network.
class ConnectionProbe : public InternetConnection
{
public:
    virtual bool isOnline() = 0;
    // The send timer's question is the same one.
    bool CONECTADO() final { return isOnline(); }
};

// The operating system's view: its network-information backend where one is available,
// otherwise whether any interface other than loopback is up and running. A central on
// loopback (the demo) counts as reachable whatever the network does.
class SystemConnectionProbe final : public ConnectionProbe
{
public:
    explicit SystemConnectionProbe(QString centralHost = QString());
    bool isOnline() override;

    static bool isLoopbackHost(const QString &host);
    static bool anyInterfaceUp();

private:
    QString m_centralHost;
    bool m_backendLoaded = false;
};

class FixedConnectionProbe final : public ConnectionProbe
{
public:
    explicit FixedConnectionProbe(bool online)
        : m_online(online)
    { }
    bool isOnline() override { return m_online; }
    void set(bool online) { m_online = online; }

private:
    bool m_online;
};

} // namespace tramora

#pragma once

namespace tramora {

// Whether the workstation is online, as the send timer asks on every tick. The window gives
// the real answer (and paints its indicator); tests and the demo give a fixed one.
class InternetConnection
{
public:
    virtual ~InternetConnection() = default;
    virtual bool CONECTADO() = 0;
};

class FixedInternetConnection final : public InternetConnection
{
public:
    explicit FixedInternetConnection(bool connected = true)
        : m_connected(connected)
    { }
    bool CONECTADO() override { return m_connected; }
    void set(bool connected) { m_connected = connected; }

private:
    bool m_connected;
};

} // namespace tramora

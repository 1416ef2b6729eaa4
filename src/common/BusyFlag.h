#pragma once

namespace tramora {

// Holds a busy flag set for as long as it lives, so that however a pass ends (a failure
// included) the flag is cleared and later passes are not kept from running.
class BusyFlag final
{
public:
    explicit BusyFlag(bool &flag)
        : m_flag(flag)
    {
        m_flag = true;
    }
    ~BusyFlag() { m_flag = false; }
    BusyFlag(const BusyFlag &) = delete;
    BusyFlag &operator=(const BusyFlag &) = delete;

private:
    bool &m_flag;
};

} // namespace tramora

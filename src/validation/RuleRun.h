#pragma once

#include "validation/ValidationContext.h"

namespace tramora {

// A rule procedure's result: true until the first reported fault. Each fault is reported
// under "OLU" as it is found; the procedure goes on to its next rule.
class RuleRun
{
public:
    explicit RuleRun(ValidationContext &context, bool result = true)
        : m_context(context)
        , m_result(result)
    { }
    void fail(const QString &message)
    {
        m_context.reportOlu(message);
        m_result = false;
    }
    bool result() const { return m_result; }

private:
    ValidationContext &m_context;
    bool m_result;
};

} // namespace tramora

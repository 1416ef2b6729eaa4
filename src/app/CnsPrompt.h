#pragma once

#include <QString>

#include <optional>

namespace tramora {

// Asks the office for its CNS when the store holds none. nullopt when the person gave up.
class CnsPrompt
{
public:
    virtual ~CnsPrompt() = default;
    virtual std::optional<QString> askCns() = 0;
};

} // namespace tramora

#pragma once

#include <QString>

namespace tramora {

// The message boxes the core may raise. The windows show them with the caption "Tramora";
// tests answer them.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;

    // Error icon, one OK button.
    virtual void error(const QString &text) = 0;
    // Information icon, one OK button.
    virtual void information(const QString &text) = 0;
    // Confirmation icon, Yes and No; true only for Yes.
    virtual bool confirmation(const QString &text) = 0;
};

} // namespace tramora

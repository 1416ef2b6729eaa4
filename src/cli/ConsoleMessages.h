#pragma once

#include "common/MessageBoxes.h"

#include <QByteArray>
#include <QString>

#include <cstdio>

namespace tramora {

// A command-line tool waits for nobody: what the store would show goes to the error stream,
// after the tool's name, and every question is answered no.
class ConsoleMessages final : public MessageBoxes
{
public:
    explicit ConsoleMessages(const char *tool)
        : m_tool(tool)
    { }
    void error(const QString &text) override { print(text); }
    void information(const QString &text) override { print(text); }
    bool confirmation(const QString &text) override
    {
        print(text);
        return false;
    }

private:
    void print(const QString &text) const
    {
        std::fprintf(stderr, "%s: %s\n", m_tool, qPrintable(text));
    }

    const char *m_tool;
};

} // namespace tramora

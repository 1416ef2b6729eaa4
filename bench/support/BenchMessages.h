#pragma once

#include "common/MessageBoxes.h"

#include <cstdio>

namespace tramora::bench {

// A benchmark waits for nobody: what the store would show goes to the error stream.
class BenchMessages final : public MessageBoxes
{
public:
    void error(const QString &text) override { report(text); }
    void information(const QString &text) override { report(text); }
    bool confirmation(const QString &) override { return false; }

private:
    static void report(const QString &text) { std::fprintf(stderr, "%s\n", qPrintable(text)); }
};

} // namespace tramora::bench

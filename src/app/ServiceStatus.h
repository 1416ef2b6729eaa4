#pragma once

#include <QString>

#include <optional>

namespace tramora {

// The three questions put to the central when the application starts online: the version
// it publishes (#000, which may update and end the application), whether it holds refused
// files of the office (#001) and whether the service is in maintenance (#002).
class ServiceStatus
{
public:
    virtual ~ServiceStatus() = default;
    // The central's published version; nullopt when the question failed.
    virtual std::optional<QString> publishedVersion(const QString &running) = 0;
    // Downloads and swaps in the published version; the application ends afterwards.
    virtual void update() = 0;
    // True when the check found something; its answer is in the message window, which is
    // shown modally before the application ends. Failures count as nothing found.
    virtual bool refusedFilesFound() = 0;
    virtual bool inMaintenance() = 0;
};

// Answers "nothing found" to everything: the central publishes the running version.
class NoServiceStatus final : public ServiceStatus
{
public:
    std::optional<QString> publishedVersion(const QString &running) override { return running; }
    void update() override { }
    bool refusedFilesFound() override { return false; }
    bool inMaintenance() override { return false; }
};

} // namespace tramora

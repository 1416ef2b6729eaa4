#pragma once

#include <QString>

#include <optional>

namespace tramora {

// The folder dialog the settings open. The windows show a file dialog; tests answer it.
class FolderDialog
{
public:
    virtual ~FolderDialog() = default;

    // Opens on startFolder. The folder the user confirmed, which may be a new one typed in
    // and not created yet, or nothing when the dialog was cancelled.
    virtual std::optional<QString> chooseFolder(const QString &startFolder) = 0;
};

} // namespace tramora

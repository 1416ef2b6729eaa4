#pragma once

#include <QString>

#include <optional>

namespace tramora {

// The save dialog the core may open. The windows show a file dialog; tests answer it.
class SaveFileDialog
{
public:
    virtual ~SaveFileDialog() = default;

    // Opens in folder, proposing fileName and listing the files that match pattern ("*.xml").
    // The path the user confirmed, or nothing when the dialog was cancelled.
    virtual std::optional<QString> getSaveFileName(const QString &folder, const QString &fileName,
                                                   const QString &pattern)
        = 0;
};

} // namespace tramora

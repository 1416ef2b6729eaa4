#pragma once

#include <QString>

#include <vector>

namespace tramora {

class MessageBoxes;

// A file the executable carries and writes into the workspace at every start.
struct EmbeddedFile
{
    QString resourceType;
    QString resourceName;
    QString fileName;
};

// What this build carries, in the order it is written. No libraries travel on Linux; the
// four civil-registry schemas do.
std::vector<EmbeddedFile> embeddedFiles();

// Writes embedded files into the workspace under the application folder.
class EmbeddedFileWriter final
{
public:
    EmbeddedFileWriter(QString applicationFolder, MessageBoxes &messages);

    // Replaces the file at the target chosen by the extension of filename with the bytes of
    // the resource; a failure is shown and the caller goes on with the next file.
    void SaveResourceAsFile(const QString &ResurceName, const QString &ResType,
                            const QString &filename);

    void writeAll();

    // Where filename goes, by its extension; empty when the extension is not one of ours.
    QString targetPath(const QString &filename) const;

    static QString extractionFailureMessage();

private:
    bool write(const QString &resourcePath, const QString &target);

    QString m_applicationFolder;
    MessageBoxes &m_messages;
};

} // namespace tramora

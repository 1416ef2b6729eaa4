#pragma once

#include <QFileIconProvider>
#include <QListWidget>
#include <QStringList>

namespace tramora {

// The entries of one folder that match its masks, with their icons, sorted by name.
class FileListBox final : public QListWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FileListBox)

public:
    FileListBox(QStringList masks, QAbstractItemView::SelectionMode selection,
                QWidget *parent = nullptr);

    // Points the list at folder and reads it; false when the folder cannot be opened, and
    // the list is then empty.
    bool setDirectory(const QString &folder);
    bool refresh();
    const QString &directory() const { return m_directory; }
    const QStringList &masks() const { return m_masks; }

    QStringList fileNames() const;
    // The current entry's full path; empty when there is none.
    QString currentFilePath() const;
    // Makes row the only selected and the current entry, -1 clearing the selection, without
    // reporting it as the person's choice.
    void selectOnly(int row);

signals:
    // The person picked another entry.
    void fileChosen(const QString &path);

private:
    QString m_directory;
    QStringList m_masks;
    QFileIconProvider m_icons;
};

} // namespace tramora

#include "FileListBox.h"

#include <QDir>
#include <QSignalBlocker>

namespace tramora {

FileListBox::FileListBox(QStringList masks, QAbstractItemView::SelectionMode selection,
                         QWidget *parent)
    : QListWidget(parent)
    , m_masks(std::move(masks))
{
    setSelectionMode(selection);
    connect(this, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *current) {
        if (current)
            emit fileChosen(currentFilePath());
    });
    // Clicking the entry that is already current chooses it again: the other list may have
    // moved on since.
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem *clicked) {
        if (clicked == currentItem())
            emit fileChosen(currentFilePath());
    });
}

bool FileListBox::setDirectory(const QString &folder)
{
    m_directory = folder;
    return refresh();
}

bool FileListBox::refresh()
{
    const QSignalBlocker blocker(this);
    clear();
    const QDir folder(m_directory);
    if (m_directory.isEmpty() || !folder.exists() || !folder.isReadable())
        return false;
    // Without QDir::CaseSensitive the masks match as the office's file systems do; hidden
    // and system entries stay out, as only normal and read-only files are listed.
    const QFileInfoList entries
        = folder.entryInfoList(m_masks, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &entry : entries)
        addItem(new QListWidgetItem(m_icons.icon(entry), entry.fileName()));
    return true;
}

QStringList FileListBox::fileNames() const
{
    QStringList names;
    names.reserve(count());
    for (int i = 0; i < count(); ++i)
        names << item(i)->text();
    return names;
}

QString FileListBox::currentFilePath() const
{
    const QListWidgetItem *current = currentItem();
    return current ? QDir(m_directory).filePath(current->text()) : QString();
}

void FileListBox::selectOnly(int row)
{
    const QSignalBlocker blocker(this);
    clearSelection();
    if (row < 0 || row >= count()) {
        setCurrentRow(-1, QItemSelectionModel::Clear);
        return;
    }
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(row));
}

} // namespace tramora

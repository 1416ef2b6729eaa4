#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>

namespace tramora::test {

QStringList RecordingMessageBoxes::texts() const
{
    QStringList texts;
    for (const Shown &entry : m_shown)
        texts << entry.text;
    return texts;
}

QStringList treeOf(const QString &root)
{
    QStringList entries;
    const QDir base(root);
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        QString relative = base.relativeFilePath(it.filePath());
        if (it.fileInfo().isDir())
            relative += QLatin1Char('/');
        entries << relative;
    }
    entries.sort();
    return entries;
}

} // namespace tramora::test

#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>

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

ProgramRun runProgram(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    ProgramRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

} // namespace tramora::test

#include "WidgetSaveFileDialog.h"

#include <QDir>
#include <QFileDialog>

namespace tramora {

std::optional<QString> WidgetSaveFileDialog::getSaveFileName(const QString &folder,
                                                             const QString &fileName,
                                                             const QString &pattern)
{
    QFileDialog dialog(m_parent, QString(), folder, pattern);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(QDir(folder).filePath(fileName));
    // The report is always written as its fixed name; replacing it needs no question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace tramora

#include "QtFolderDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace tramora {

namespace {

// Qt's own folder dialog refuses a typed folder that does not exist; this one lets it
// through, and the settings ask whether to create it.
class TypedFolderDialog final : public QFileDialog
{
public:
    using QFileDialog::QFileDialog;

    QString chosen() const { return m_chosen; }

    void accept() override
    {
        const QStringList files = selectedFiles();
        if (!files.isEmpty() && !QFileInfo::exists(files.first())) {
            m_chosen = files.first();
            QDialog::done(QDialog::Accepted);
            return;
        }
        QFileDialog::accept();
        if (!files.isEmpty())
            m_chosen = files.first();
    }

private:
    QString m_chosen;
};

} // namespace

std::optional<QString> QtFolderDialog::chooseFolder(const QString &startFolder)
{
    TypedFolderDialog dialog(m_parent, QString(), startFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    // The non-native dialog is the one whose accept() can let a new name through.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Selecionar"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Cancelar"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QString chosen
        = dialog.chosen().isEmpty() ? dialog.selectedFiles().value(0) : dialog.chosen();
    if (chosen.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(QDir::cleanPath(chosen));
}

} // namespace tramora

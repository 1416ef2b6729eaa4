#pragma once

#include "common/FolderDialog.h"

class QWidget;

namespace tramora {

// The folder dialog as a Qt file dialog. A folder name typed in that does not exist yet is
// handed back as chosen, so that the settings can ask before creating it.
class QtFolderDialog final : public FolderDialog
{
public:
    void setParent(QWidget *parent) { m_parent = parent; }

    std::optional<QString> chooseFolder(const QString &startFolder) override;

private:
    QWidget *m_parent = nullptr;
};

} // namespace tramora

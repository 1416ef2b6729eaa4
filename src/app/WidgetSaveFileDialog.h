#pragma once

#include "common/SaveFileDialog.h"

class QWidget;

namespace tramora {

// The core's save dialog as a Qt file dialog.
class WidgetSaveFileDialog final : public SaveFileDialog
{
public:
    void setParent(QWidget *parent) { m_parent = parent; }

    std::optional<QString> getSaveFileName(const QString &folder, const QString &fileName,
                                           const QString &pattern) override;

private:
    QWidget *m_parent = nullptr;
};

} // namespace tramora

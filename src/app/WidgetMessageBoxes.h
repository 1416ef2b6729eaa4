#pragma once

#include "common/MessageBoxes.h"

class QWidget;

namespace tramora {

// The core's message boxes as Qt dialogs with the caption "Tramora" and Portuguese buttons.
class WidgetMessageBoxes final : public MessageBoxes
{
public:
    void setParent(QWidget *parent) { m_parent = parent; }

    void error(const QString &text) override;
    void information(const QString &text) override;
    bool confirmation(const QString &text) override;

private:
    QWidget *m_parent = nullptr;
};

} // namespace tramora

#pragma once

#include <QDialog>

namespace tramora {

// The window in which the central's service codes are shown at start, with the local and
// the central's version. Created hidden at start; its content comes with the service checks.
class MessageWindow final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MessageWindow)

public:
    explicit MessageWindow(QWidget *parent = nullptr);
};

} // namespace tramora

#include "MessageWindow.h"

namespace tramora {

MessageWindow::MessageWindow(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmMensagem"));
    setWindowTitle(QStringLiteral("Tramora"));
    setModal(true);
    hide();
}

} // namespace tramora

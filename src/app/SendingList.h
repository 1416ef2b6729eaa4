#pragma once

#include <QStyledItemDelegate>

class QTableView;

namespace tramora {

class SendQueue;

// Draws each row's progress bar in the "Progresso..." cell from the model's progress roles.
class SendingProgressDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};

// Shows the send queue's list in the view, with the bars and Ctrl+Delete removing the
// selected row (its worker runs on; a later pass sends the package again).
void showSendingList(QTableView &view, SendQueue &queue);

} // namespace tramora

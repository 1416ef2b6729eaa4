#include "SendingList.h"

#include "transmission/SendQueue.h"
#include "transmission/SendingListModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionProgressBar>
#include <QTableView>

#include <limits>

namespace tramora {

namespace {

// The bar takes int; large packages count in bytes, so the range is scaled down to fit.
int scaled(qint64 value, qint64 maximum)
{
    constexpr qint64 limit = std::numeric_limits<int>::max();
    if (maximum <= limit)
        return static_cast<int>(value);
    return static_cast<int>(value / (maximum / limit + 1));
}

class DeleteKeyFilter final : public QObject
{
public:
    DeleteKeyFilter(QTableView &view, SendQueue &queue)
        : QObject(&view)
        , m_view(view)
        , m_queue(queue)
    { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            const QModelIndex current = m_view.currentIndex();
            if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::ControlModifier
                && current.isValid() && m_view.selectionModel()->isRowSelected(current.row())) {
                m_queue.ListView_EnvioDelete(current.row());
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QTableView &m_view;
    SendQueue &m_queue;
};

} // namespace

void SendingProgressDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    if (index.column() != SendingListModel::ProgressColumn) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const qint64 minimum = index.data(SendingListModel::ProgressMinimumRole).toLongLong();
    const qint64 maximum = index.data(SendingListModel::ProgressMaximumRole).toLongLong();
    const qint64 value = index.data(SendingListModel::ProgressValueRole).toLongLong();

    QStyleOptionProgressBar bar;
    bar.rect = option.rect.adjusted(1, 1, -1, -1);
    bar.state = option.state | QStyle::State_Horizontal;
    bar.minimum = scaled(minimum, maximum);
    bar.maximum = scaled(maximum, maximum);
    bar.progress = scaled(std::clamp(value, minimum, std::max(minimum, maximum)), maximum);
    bar.textVisible = false;
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ProgressBar, &bar, painter, widget);
}

void showSendingList(QTableView &view, SendQueue &queue)
{
    view.setModel(&queue.model());
    view.setItemDelegate(new SendingProgressDelegate(&view));
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.installEventFilter(new DeleteKeyFilter(view, queue));
}

} // namespace tramora

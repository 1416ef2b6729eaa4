#include "ConnectionIndicator.h"

#include <QPainter>

namespace tramora {

ConnectionIndicator::ConnectionIndicator(QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(30, 30);
}

void ConnectionIndicator::setOnline(bool online)
{
    m_online = online;
    update();
}

QColor ConnectionIndicator::color() const
{
    return m_online ? QColor(0, 255, 0) : QColor(255, 0, 0);
}

void ConnectionIndicator::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color());
    painter.drawEllipse(rect().adjusted(1, 1, -1, -1));
}

} // namespace tramora

#include "HoverLink.h"

#include <QMouseEvent>

namespace tramora {

HoverLink::HoverLink(const QString &address, Opener opener, QWidget *parent)
    : QLabel(address, parent)
    , m_opener(std::move(opener))
{
    setMouseTracking(true);
    setHighlighted(false);
}

void HoverLink::setHighlighted(bool highlighted)
{
    m_highlighted = highlighted;
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, highlighted ? QColor(Qt::blue) : QColor(Qt::black));
    setPalette(colours);
    QFont shown = font();
    shown.setUnderline(highlighted);
    setFont(shown);
    if (highlighted)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void HoverLink::enterEvent(QEnterEvent *event)
{
    setHighlighted(true);
    QLabel::enterEvent(event);
}

void HoverLink::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_highlighted)
        setHighlighted(true);
    QLabel::mouseMoveEvent(event);
}

void HoverLink::leaveEvent(QEvent *event)
{
    setHighlighted(false);
    QLabel::leaveEvent(event);
}

void HoverLink::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_opener)
        m_opener(text());
    QLabel::mouseReleaseEvent(event);
}

} // namespace tramora

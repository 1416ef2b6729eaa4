#include "SvgPicture.h"

#include <QPainter>
#include <QSvgRenderer>

namespace tramora {

SvgPicture::SvgPicture(const QString &resource, QWidget *parent)
    : QWidget(parent)
    , m_renderer(new QSvgRenderer(resource, this))
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

bool SvgPicture::isValid() const
{
    return m_renderer->isValid();
}

QSize SvgPicture::sizeHint() const
{
    return m_renderer->isValid() ? m_renderer->defaultSize() : QSize(1, 1);
}

void SvgPicture::paintEvent(QPaintEvent *)
{
    if (!m_renderer->isValid())
        return;
    QSizeF picture = m_renderer->defaultSize();
    picture.scale(size(), Qt::KeepAspectRatio);
    const QRectF target(QPointF((width() - picture.width()) / 2, (height() - picture.height()) / 2),
                        picture);
    QPainter painter(this);
    m_renderer->render(&painter, target);
}

} // namespace tramora

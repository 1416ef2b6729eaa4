#pragma once

#include <QWidget>

class QSvgRenderer;

namespace tramora {

// One of the window's pictures, drawn from its SVG resource at the size the layout gives,
// keeping its proportions.
class SvgPicture final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SvgPicture)

public:
    explicit SvgPicture(const QString &resource, QWidget *parent = nullptr);

    bool isValid() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QSvgRenderer *m_renderer = nullptr;
};

} // namespace tramora

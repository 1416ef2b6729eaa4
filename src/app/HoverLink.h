#pragma once

#include <QLabel>

#include <functional>

namespace tramora {

// An address that opens on click, blue and underlined with a hand pointer while the mouse
// is over it, black with the arrow otherwise.
class HoverLink final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HoverLink)

public:
    using Opener = std::function<void(const QString &address)>;

    HoverLink(const QString &address, Opener opener, QWidget *parent = nullptr);

    bool isHighlighted() const { return m_highlighted; }

protected:
    void enterEvent(QEnterEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void setHighlighted(bool highlighted);

    Opener m_opener;
    bool m_highlighted = false;
};

} // namespace tramora

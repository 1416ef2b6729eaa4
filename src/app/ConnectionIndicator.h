#pragma once

#include <QWidget>

namespace tramora {

// A filled circle: green while the workstation is online, red otherwise.
class ConnectionIndicator final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConnectionIndicator)

public:
    explicit ConnectionIndicator(QWidget *parent = nullptr);

    void setOnline(bool online);
    bool isOnline() const { return m_online; }
    QColor color() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_online = false;
};

} // namespace tramora

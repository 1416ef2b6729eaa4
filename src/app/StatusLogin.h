#pragma once

#include <QStatusBar>

#include <array>

class QLabel;

namespace tramora {

// The status bar's six panels: maker, date, version, the central's version, user, countdown.
class StatusLogin final : public QStatusBar
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatusLogin)

public:
    enum Panel { Maker, Date, Version, WebVersion, User, Countdown, PanelCount };

    explicit StatusLogin(QWidget *parent = nullptr);

    QLabel *panel(Panel which) const { return m_panels.at(which); }
    QString text(Panel which) const;
    void setText(Panel which, const QString &text);

private:
    std::array<QLabel *, PanelCount> m_panels{};
};

} // namespace tramora

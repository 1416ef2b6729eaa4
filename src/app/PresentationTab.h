#pragma once

#include "HoverLink.h"

#include <QWidget>

namespace tramora {

// Tab 0: the welcome, what the application is for, and where the office finds support.
class PresentationTab final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PresentationTab)

public:
    PresentationTab(HoverLink::Opener opener, QWidget *parent = nullptr);

    HoverLink *manualLink() const { return m_manualLink; }

    static QString manualAddress();

private:
    HoverLink *m_manualLink = nullptr;
};

} // namespace tramora

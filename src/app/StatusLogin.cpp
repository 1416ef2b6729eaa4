#include "StatusLogin.h"

#include "StatusTexts.h"

#include <QLabel>

namespace tramora {

StatusLogin::StatusLogin(QWidget *parent)
    : QStatusBar(parent)
{
    setObjectName(QStringLiteral("StatusLogin"));
    setSizeGripEnabled(false);
    const std::array<int, PanelCount> widths{80, 120, 120, 130, 150, 100};
    const std::array<QString, PanelCount> designs{
        StatusTexts::makerLabel(),       StatusTexts::dateDesign(), StatusTexts::versionDesign(),
        StatusTexts::webVersionDesign(), StatusTexts::userDesign(), StatusTexts::countdownDesign()};
    for (int i = 0; i < PanelCount; ++i) {
        auto *label = new QLabel(designs.at(i), this);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(widths.at(i));
        m_panels.at(i) = label;
        // The countdown is the last panel and takes what is left, its text to the right.
        if (i == Countdown) {
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            addWidget(label, 1);
        } else {
            addWidget(label);
        }
    }
}

QString StatusLogin::text(Panel which) const
{
    return m_panels.at(which)->text();
}

void StatusLogin::setText(Panel which, const QString &text)
{
    m_panels.at(which)->setText(text);
}

} // namespace tramora

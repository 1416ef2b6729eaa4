#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace tramora {

// Tab 1: the office's CNS, shown read-only, and the proxy buttons whose actions belong to
// the settings.
class OfficeTab final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OfficeTab)

public:
    explicit OfficeTab(QWidget *parent = nullptr);

    void showCns(const QString &cns);
    QLineEdit *cnsField() const { return m_cns; }
    QPushButton *configureProxyButton() const { return m_configureProxy; }
    QPushButton *clearProxyButton() const { return m_clearProxy; }

private:
    QLineEdit *m_cns = nullptr;
    QPushButton *m_configureProxy = nullptr;
    QPushButton *m_clearProxy = nullptr;
};

} // namespace tramora

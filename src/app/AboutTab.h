#pragma once

#include <QWidget>

class QLabel;
class QTabWidget;

namespace tramora {

// Tab 6: what the application is, the approved integrations, the two flow diagrams (for the
// maker's own installations) and the effective dates of the standard's versions.
class AboutTab final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AboutTab)

public:
    explicit AboutTab(QWidget *parent = nullptr);

    QTabWidget *innerTabs() const { return m_inner; }
    QLabel *applicationText() const { return m_application; }
    QLabel *versionTable() const { return m_versions; }

    // Done once at start: the central's version after the application's name, and the dates.
    void fillAtStart(const QString &webVersionPanelText);
    // The diagrams show while the marker file is in Data beside the executable.
    void updateDiagramTabs(const QString &applicationFolder);
    bool diagramTabsVisible() const;

    static QString versionTableText();
    static QString markerFileName() { return QStringLiteral("Data/Quarel.ini"); }

private:
    QTabWidget *m_inner = nullptr;
    QLabel *m_application = nullptr;
    QLabel *m_versions = nullptr;
};

} // namespace tramora

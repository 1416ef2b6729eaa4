#pragma once

#include <QMainWindow>

class QTabWidget;

namespace tramora {

// The main window: for now the frame with the caption and the seven tabs the office works
// through; each tab's contents live in a class of its own.
class MainWindow final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    explicit MainWindow(QWidget *parent = nullptr);

    QTabWidget *pgcControle() const { return m_pgcControle; }

    static QString caption();
    static QStringList tabCaptions();

private:
    QTabWidget *m_pgcControle = nullptr;
};

} // namespace tramora

#include "MainWindow.h"

#include <QTabWidget>

namespace tramora {

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_pgcControle(new QTabWidget(this))
{
    setWindowTitle(caption());
    m_pgcControle->setObjectName(QStringLiteral("pgcControle"));
    for (const QString &tabCaption : tabCaptions())
        m_pgcControle->addTab(new QWidget(m_pgcControle), tabCaption);
    setCentralWidget(m_pgcControle);
    resize(1014, 671);
}

QString MainWindow::caption()
{
    return QStringLiteral("Tramora - Aplicativo de envio  de Documentos das Serventias para a "
                          "Central de Informações da QuarelVR");
}

QStringList MainWindow::tabCaptions()
{
    return {QStringLiteral("Apresentação"),
            QStringLiteral("01 - Serventia"),
            QStringLiteral("02 - Configuração"),
            QStringLiteral("03 - Arquivos"),
            QStringLiteral("04 - Validação"),
            QStringLiteral("05 - Inconsistência(s)"),
            QStringLiteral("Sobre")};
}

} // namespace tramora

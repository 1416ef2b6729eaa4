#include "MainWindow.h"

#include <QTabWidget>
#include <QTest>

using tramora::MainWindow;

class TestMainWindow final : public QObject
{
    Q_OBJECT

private slots:
    void showsTheCaptionAndTheSevenTabs();
};

void TestMainWindow::showsTheCaptionAndTheSevenTabs()
{
    MainWindow window;
    QCOMPARE(window.windowTitle(),
             QStringLiteral("Tramora - Aplicativo de envio  de Documentos das Serventias para "
                            "a Central de Informações da QuarelVR"));
    QTabWidget *tabs = window.pgcControle();
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i)
        captions << tabs->tabText(i);
    QCOMPARE(captions,
             (QStringList{QStringLiteral("Apresentação"), QStringLiteral("01 - Serventia"),
                          QStringLiteral("02 - Configuração"), QStringLiteral("03 - Arquivos"),
                          QStringLiteral("04 - Validação"),
                          QStringLiteral("05 - Inconsistência(s)"), QStringLiteral("Sobre")}));
    QCOMPARE(tabs->currentIndex(), 0);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

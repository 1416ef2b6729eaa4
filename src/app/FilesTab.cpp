#include "FilesTab.h"

#include "FileListBox.h"
#include "FileNameAlignment.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tramora {

namespace {

QStringList split(const QString &masks)
{
    return masks.split(QLatin1Char(';'));
}

} // namespace

FilesTab::FilesTab(QWidget *parent)
    : QWidget(parent)
    , m_xml(new FileListBox(split(indexMasks()), QAbstractItemView::ExtendedSelection, this))
    , m_pdf(new FileListBox(split(documentMasks()), QAbstractItemView::SingleSelection, this))
    , m_refresh(new QPushButton(QStringLiteral("Atualizar lista de arquivos"), this))
{
    m_xml->setObjectName(QStringLiteral("FileListBox_XML"));
    m_pdf->setObjectName(QStringLiteral("FileListBox_PDF"));

    auto *step = new QGroupBox(QStringLiteral("06 - Passo"), this);
    auto *stepLayout = new QVBoxLayout(step);
    auto *naming = new QLabel(
        QStringLiteral("Para unificação, os arquivos devem respeitar a nomenclatura conforme "
                       "manual de integração OLU, XML deve ter o mesmo nome do arquivo PDF "
                       "assinado."),
        step);
    naming->setWordWrap(true);
    stepLayout->addWidget(naming);
    stepLayout->addWidget(m_refresh, 0, Qt::AlignLeft);

    auto *lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("Arquivos XMLda OLU"), this), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("Arquivos PDF "), this), 0, 1);
    lists->addWidget(m_xml, 1, 0);
    lists->addWidget(m_pdf, 1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(step);
    layout->addLayout(lists, 1);

    connect(m_xml, &FileListBox::fileChosen, this, &FilesTab::FileListBox_XMLChange);
    connect(m_pdf, &FileListBox::fileChosen, this, &FilesTab::FileListBox_PDFChange);
}

void FilesTab::FileListBox_XMLChange()
{
    const QString chosen = m_xml->currentFilePath();
    if (chosen.isEmpty())
        return;
    m_pdf->selectOnly(findPartner(m_pdf->fileNames(), indexBaseName(chosen)));
}

void FilesTab::FileListBox_PDFChange()
{
    const QString chosen = m_pdf->currentFilePath();
    if (chosen.isEmpty())
        return;
    m_xml->selectOnly(findPartner(m_xml->fileNames(), documentBaseName(chosen)));
}

} // namespace tramora

#pragma once

#include <QWidget>

class QPushButton;

namespace tramora {

class FileListBox;

// Tab 3: the dropped index files and documents, each list following the other's choice.
class FilesTab final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FilesTab)

public:
    explicit FilesTab(QWidget *parent = nullptr);

    FileListBox *FileListBox_XML() const { return m_xml; }
    FileListBox *FileListBox_PDF() const { return m_pdf; }
    QPushButton *refreshButton() const { return m_refresh; }

    // An index was chosen: its document becomes the document list's choice.
    void FileListBox_XMLChange();
    // A document was chosen: its index becomes the index list's choice.
    void FileListBox_PDFChange();

    static QString indexMasks() { return QStringLiteral("*.xml;*.json;*.txt"); }
    static QString documentMasks() { return QStringLiteral("*.pdf;*.p7s"); }

private:
    FileListBox *m_xml = nullptr;
    FileListBox *m_pdf = nullptr;
    QPushButton *m_refresh = nullptr;
};

} // namespace tramora

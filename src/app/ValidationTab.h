#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTableView;

namespace tramora {

class ConnectionIndicator;
class FileListBox;

// Tab 4: the connection indicator, the homologation notice, the button that starts and
// stops processing, the prepared packages and the transmission list.
class ValidationTab final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ValidationTab)

public:
    explicit ValidationTab(QWidget *parent = nullptr);

    void setHomologation(bool homologation);

    ConnectionIndicator *indicator() const { return m_indicator; }
    QLabel *homologationNotice() const { return m_homologation; }
    QPushButton *sendButton() const { return m_send; }
    FileListBox *FileListBox_Preparados() const { return m_prepared; }
    // The sending list; its model and the delegate drawing the progress come from the send
    // queue.
    QTableView *ListView_Envio() const { return m_sending; }

private:
    ConnectionIndicator *m_indicator = nullptr;
    QLabel *m_homologation = nullptr;
    QPushButton *m_send = nullptr;
    FileListBox *m_prepared = nullptr;
    QTableView *m_sending = nullptr;
};

} // namespace tramora

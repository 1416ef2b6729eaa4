#pragma once

#include "store/Parametros.h"

#include <QDialog>

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tramora {

class DataModule;
class MessageBoxes;

// The FTP proxy fields of the parameters record, edited through a navigator of three
// buttons: edit, save and cancel. Typing into a field starts the edit as well.
class ProxyWindow final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProxyWindow)

public:
    ProxyWindow(DataModule &data, MessageBoxes &messages, QWidget *parent = nullptr);

    // The entries of "Tipo do proxy", in the order of the positions stored in Tipo.
    static QStringList proxyMethods();

    bool isEditing() const { return m_editing; }
    void edit();
    // Stores the proxy fields as shown; false when the store refused them.
    bool post();
    void cancel();
    // Shows the stored record again, the list on the entry at the position held in Tipo.
    void qryParametrosAfterScroll();
    // Leaving "Tipo do proxy": the chosen position goes into Tipo while editing.
    void DBComboBox1Exit();

    QLineEdit *hostField() const { return m_host; }
    QLineEdit *portaField() const { return m_porta; }
    QLineEdit *usuarioField() const { return m_usuario; }
    QLineEdit *senhaField() const { return m_senha; }
    QComboBox *tipoList() const { return m_tipo; }
    // Says why the chosen proxy cannot be used by the upload; hidden when it can.
    QLabel *methodNotice() const { return m_notice; }
    QPushButton *editButton() const { return m_editButton; }
    QPushButton *saveButton() const { return m_saveButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *addField(QFormLayout *form, const QString &label, const QString &name);
    void showRecord(const Parametros &record);
    void updateNavigator();
    void updateMethodNotice();

    DataModule &m_data;
    MessageBoxes &m_messages;
    Parametros m_pending;
    bool m_editing = false;

    QLineEdit *m_host = nullptr;
    QLineEdit *m_porta = nullptr;
    QLineEdit *m_usuario = nullptr;
    QLineEdit *m_senha = nullptr;
    QComboBox *m_tipo = nullptr;
    QLabel *m_notice = nullptr;
    QPushButton *m_editButton = nullptr;
    QPushButton *m_saveButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};

} // namespace tramora

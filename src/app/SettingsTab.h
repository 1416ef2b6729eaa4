#pragma once

#include "store/Parametros.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tramora {

class DataModule;
class FolderDialog;
class MessageBoxes;

// Tab 2: the folders, homologation or production, automatic mode and the number of parallel
// uploads. The record is browsed until focus enters one of the settings groups; every post
// stores it at once.
class SettingsTab final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SettingsTab)

public:
    struct Services
    {
        DataModule *data = nullptr;
        MessageBoxes *messages = nullptr;
        FolderDialog *folders = nullptr;
        // Repaints the homologation notice of tab 4 after Homolog may have changed.
        std::function<void()> homologationChanged;
    };

    explicit SettingsTab(Services services, QWidget *parent = nullptr);

    bool isEditing() const { return m_editing; }
    // Puts the record into edit mode; the settings' own fields are taken from the store.
    void edit();
    // Shows the stored record again, dropping an edit that was not posted.
    void reload();

    void actSalvarExecute();
    void actLocXmlExecute();
    void actLocPdfExecute();
    // Up and down: QuantUpLoad by one, kept between 0 and 10.
    void SpeedButton1Click();
    void SpeedButton2Click();

    QLineEdit *xmlFolderField() const { return m_xmlFolder; }
    QLineEdit *pdfFolderField() const { return m_pdfFolder; }
    QPushButton *locXmlButton() const { return m_locXml; }
    QPushButton *locPdfButton() const { return m_locPdf; }
    QCheckBox *homologBox() const { return m_homolog; }
    QCheckBox *processoBox() const { return m_processo; }
    QLineEdit *quantUpLoadField() const { return m_quantUpLoad; }
    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }
    QList<QPushButton *> saveButtons() const { return m_saveButtons; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QGroupBox *createFolderStep();
    QGroupBox *createHomologationStep();
    QGroupBox *createModeStep();
    QWidget *createFolderRow(const QString &title, QLineEdit *&field, QPushButton *&button);
    QPushButton *createSaveButton(QWidget *parent);

    void onFocusChanged(QWidget *now);
    void chooseFolder(std::optional<QString> Parametros::*column);
    std::optional<QString> createFolderAfterConfirmation(const QString &folder);
    qint64 currentQuantUpLoad() const;
    void stepQuantUpLoad(int delta);
    void post();
    void showRecord(const Parametros &record);

    Services m_services;
    Parametros m_pending;
    bool m_editing = false;

    QList<QGroupBox *> m_editGroups;
    QLineEdit *m_xmlFolder = nullptr;
    QLineEdit *m_pdfFolder = nullptr;
    QPushButton *m_locXml = nullptr;
    QPushButton *m_locPdf = nullptr;
    QCheckBox *m_homolog = nullptr;
    QCheckBox *m_processo = nullptr;
    QLineEdit *m_quantUpLoad = nullptr;
    QToolButton *m_up = nullptr;
    QToolButton *m_down = nullptr;
    QList<QPushButton *> m_saveButtons;
};

} // namespace tramora

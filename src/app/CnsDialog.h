#pragma once

#include "CnsPrompt.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace tramora {

// The office's CNS, typed twice: digits only, at most six. OK stays disabled until both
// fields hold the same number.
class CnsDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CnsDialog)

public:
    explicit CnsDialog(QWidget *parent = nullptr);

    QLineEdit *cnsField() const { return m_cns; }
    QLineEdit *confirmationField() const { return m_confirmation; }
    QDialogButtonBox *buttons() const { return m_buttons; }
    // The number typed, once both fields agree; empty otherwise.
    QString cns() const;

    static constexpr int maximumDigits = 6;

private:
    void updateState();

    QLineEdit *m_cns = nullptr;
    QLineEdit *m_confirmation = nullptr;
    QLabel *m_mismatch = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
};

// The prompt as the dialog, modal over the main window.
class CnsDialogPrompt final : public CnsPrompt
{
public:
    explicit CnsDialogPrompt(QWidget *parent = nullptr)
        : m_parent(parent)
    { }
    void setParent(QWidget *parent) { m_parent = parent; }
    std::optional<QString> askCns() override;

private:
    QWidget *m_parent = nullptr;
};

} // namespace tramora

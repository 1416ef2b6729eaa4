#include "WidgetMessageBoxes.h"

#include <QMessageBox>
#include <QPushButton>

namespace tramora {

namespace {

const QString caption = QStringLiteral("Tramora");

// The core's texts carry CR LF line breaks; a Qt label breaks on LF alone.
QString forDisplay(const QString &text)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return shown;
}

void showWithOk(QWidget *parent, QMessageBox::Icon icon, const QString &text)
{
    QMessageBox box(icon, caption, forDisplay(text), QMessageBox::NoButton, parent);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

} // namespace

void WidgetMessageBoxes::error(const QString &text)
{
    showWithOk(m_parent, QMessageBox::Critical, text);
}

void WidgetMessageBoxes::information(const QString &text)
{
    showWithOk(m_parent, QMessageBox::Information, text);
}

bool WidgetMessageBoxes::confirmation(const QString &text)
{
    QMessageBox box(QMessageBox::Question, caption, forDisplay(text), QMessageBox::NoButton,
                    m_parent);
    QPushButton *yes = box.addButton(QStringLiteral("&Sim"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("&Não"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

} // namespace tramora

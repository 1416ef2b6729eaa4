#pragma once

#include "common/Clock.h"
#include "common/MessageBoxes.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>

namespace tramora::test {

// Message boxes that remember what they were asked to show and answer confirmations with
// what the test chose.
class RecordingMessageBoxes final : public MessageBoxes
{
public:
    struct Shown
    {
        enum Kind { Error, Information, Confirmation } kind;
        QString text;
    };

    void error(const QString &text) override { m_shown.push_back({Shown::Error, text}); }
    void information(const QString &text) override
    {
        m_shown.push_back({Shown::Information, text});
    }
    bool confirmation(const QString &text) override
    {
        m_shown.push_back({Shown::Confirmation, text});
        return m_answerYes;
    }

    void answerConfirmationsWith(bool yes) { m_answerYes = yes; }
    const std::vector<Shown> &shown() const { return m_shown; }
    QStringList texts() const;
    void clear() { m_shown.clear(); }

private:
    std::vector<Shown> m_shown;
    bool m_answerYes = false;
};

// A clock the test sets by hand, by default on the day the current standard binds.
class FixedClock final : public tramora::FixedClock
{
public:
    explicit FixedClock(QDateTime now = QDateTime(QDate(2021, 12, 13), QTime(9, 5, 7)))
        : tramora::FixedClock(std::move(now))
    { }
};

// Every file and folder below root, relative to it, sorted; folders end with "/".
QStringList treeOf(const QString &root);

// What a program run by a test printed and how it ended; exitCode is -1 when it crashed or
// did not end within a minute (it is then killed).
struct ProgramRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};
ProgramRun runProgram(const QString &program, const QStringList &arguments);

} // namespace tramora::test

#pragma once

#include "TestSupport.h"

#include "store/DataModule.h"
#include "store/Parametros.h"
#include "validation/IndexValidator.h"
#include "workspace/ProcessValues.h"
#include "workspace/Startup.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace tramora::test {

// Writes index files and judges them with a real encrypted history in a temporary
// workspace. The base act is a valid recognition of signature (service 1) of standard 3.0,
// sent as a first sending ("P") by office 123456 on 10/12/2026.
class IndexFixture
{
public:
    IndexFixture();

    // Resumo tags in the order office software writes them, each "Tag=value"; an override
    // "Tag=value" replaces a tag's text (a value starting with "<" is inserted as markup),
    // "-Tag" removes it and "+Tag=value" adds a tag at the end. Unless overridden,
    // NaturezaDocumento and TipoLivro follow CodigoServico, so the act stays valid for its
    // service.
    static QString indexXml(const QStringList &overrides, const QString &afterResumo = QString(),
                            const QString &versao = QStringLiteral("3.0"), bool indented = true);
    // What follows the summary in the base act: its Partes block, whose one party is a client,
    // and its Lgpd block. An act written without afterResumo gets the same blocks with the
    // party in a role its service allows.
    static QString defaultParties();
    // Overrides that make the base act a valid act of the service, with the dates and
    // protocol its general rules ask for.
    static QStringList actOfService(int service);
    // A Partes block with one valid party (CPF, birth date) in the given role.
    static QString partiesBlock(const QString &role);
    // An Lgpd block with every sub-block filled with accepted values.
    static QString defaultLgpd();

    QString write(const QString &name, const QString &xml);
    bool judge(const QString &path);

    // The record of the file, "" when none.
    QString historyOf(const QString &fileName) const;
    std::vector<HistoryRecord> records() const;
    void clearHistory();

    // The text InserirLog builds from these (label, message) pairs, in order.
    static QString expectedErro(const QList<std::pair<QString, QString>> &entries);
    static QString expectedOlu(const QStringList &messages);

    QTemporaryDir folder;
    RecordingMessageBoxes messages;
    FixedClock clock{QDateTime(QDate(2026, 12, 11), QTime(12, 0))};
    StartupSequence startup;
    DataModule &store;
    ProcessValues &values;
    Parametros parametros;
    std::unique_ptr<IndexValidator> validator;
};

} // namespace tramora::test

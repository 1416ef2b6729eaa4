#pragma once

#include "validation/ValidationContext.h"

#include <QString>

namespace tramora {

class Clock;
class History;
struct Parametros;
struct ProcessValues;

// Judges one index file against the central's publishing standard, reporting every
// inconsistency to the history as it is found. The validation state stays as the last
// validation left it, for the batch run to read.
class IndexValidator final
{
public:
    IndexValidator(History &history, const Clock &clock, const ProcessValues &values,
                   const Parametros &parametros);

    // True when the index file may be packaged. Any failure raised while judging the file
    // refuses it without a message of the validator's own.
    bool ValidaArquivoXML(const QString &Arquivo);

    const ValidationState &state() const { return m_context.state; }
    ValidationContext &context() { return m_context; }

private:
    bool validate(const QString &Arquivo);
    bool checkVersion();
    void locateCompanions(const QString &Arquivo);
    void readSummaryNodes();
    bool runServiceRules();
    bool checkParties(bool &verdict);
    bool checkIntegrationList(bool &verdict);
    void decideSideDocuments();

    ValidationContext m_context;
};

} // namespace tramora

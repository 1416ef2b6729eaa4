#pragma once

#include <QString>

#include <functional>

namespace tramora {

class History;
class IndexValidator;
class PdfDocumentRules;
struct ValidationState;

// The judgment of one file set that the batch run acts on and the checker reports: the
// engine on the index, the decision on the act's document, the release flags. Every refusal
// is in the history when judge() returns; nothing is moved.
class SetJudgment final
{
public:
    // Called when an act travels without its document although one was dropped; the batch
    // run deletes it, the checker leaves it.
    using DocumentDropper = std::function<void(const QString &documentPath)>;

    SetJudgment(IndexValidator &validator, PdfDocumentRules &documents, History &history);

    // True when the set may be packed. Arquivo is the index file's name, under which the
    // run's own messages are filed.
    bool judge(const QString &indexPath, const QString &Arquivo, const DocumentDropper &drop);

    ValidationState &state();

private:
    bool decideDocument(const QString &Arquivo, const DocumentDropper &drop);
    bool allReleased() const;

    IndexValidator &m_validator;
    PdfDocumentRules &m_documents;
    History &m_history;
};

} // namespace tramora

#pragma once

#include <QString>

namespace tramora {

class ValidationContext;

// The rule sets the driver runs, each on the shared validation state. Each returns true
// when it found no fault; every fault it finds is reported as it is found.

bool ValidaPadraoOLU(ValidationContext &context);

bool ValidaFirmas(ValidationContext &context);
bool ValidaEscritura(ValidationContext &context);
bool ValidaProcuracao(ValidationContext &context);
bool ValidaNascimento(ValidationContext &context);
bool ValidaCasamento(ValidationContext &context);
bool ValidaObito(ValidationContext &context);
bool ValidaLivroE(ValidationContext &context);
bool ValidaProtesto(ValidationContext &context);
bool ValidaTitulos(ValidationContext &context);
bool ValidaPessoaJuridica(ValidationContext &context);
bool ValidaImoveis(ValidationContext &context);
bool ValidaAtosRestritos(ValidationContext &context);

// One party: the party nodes of the state are set before the call.
bool ValidaParte(ValidationContext &context);

// The personal-data block; clears the verdict on every fault.
void ValidaLgpd(ValidationContext &context, bool &verdict);

bool ValidaArquivoCrc(ValidationContext &context, const QString &Arquivo);
bool ValidaArquivoSirc(ValidationContext &context, const QString &Arquivo);
bool ValidaArquivoSinter(ValidationContext &context, const QString &Arquivo);

// Whether the four Gc tags of the summary are read for this file: version "1.8" or later,
// from the day that version binds.
bool gcTagsApply(const ValidationContext &context);

} // namespace tramora

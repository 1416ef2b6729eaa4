#include "pdf/PdfPageCounter.h"

namespace tramora {

int GetPdfPageCount(const QString &)
{
    return -1;
}

} // namespace tramora

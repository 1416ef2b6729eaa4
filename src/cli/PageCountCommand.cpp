#include "PageCountCommand.h"

#include "pdf/PdfPageCounter.h"

#include <cstdio>

namespace tramora {

int printPageCounts(const QStringList &files)
{
    for (const QString &file : files)
        std::printf("%d\t%s\n", GetPdfPageCount(file), qPrintable(file));
    return 0;
}

} // namespace tramora

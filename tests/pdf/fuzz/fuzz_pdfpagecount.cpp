// libFuzzer target: the page counter over any bytes must end, stay inside them and give a
// count or -1.

#include "pdf/PdfPageCounter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const int pages = tramora::GetPdfPageCount(
        QByteArrayView(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    if (pages < -1)
        std::abort();
    return 0;
}

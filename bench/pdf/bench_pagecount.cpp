// Measures the page counter against qpdf's library on the same PDF files, in one process:
// for each file the median time of opening it and telling its page count (qpdf reads the
// page-tree root's /Count, as its --show-npages does), and the counter's peak heap next to
// the file's size. Files come from bench/pdf/make-corpus.sh. A third column times the
// counter over the file mapped instead of read, to show what reading costs on large files.
//
//   bench_pagecount [FOLDER] [REPETITIONS]      (default /tmp/pdfcorpus, 9)

#include "HeapWatch.h"
#include "pdf/PdfPageCounter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <qpdf/QPDF.hh>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

int qpdfPageCount(const QString &path)
{
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processFile(QFile::encodeName(path).constData());
        return static_cast<int>(pdf.getRoot().getKey("/Pages").getKey("/Count").getIntValue());
    } catch (...) {
        return -1;
    }
}

int mappedPageCount(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return -1;
    const uchar *image = file.map(0, file.size());
    if (!image)
        return -1;
    const int pages = tramora::GetPdfPageCount(
        QByteArrayView(reinterpret_cast<const char *>(image), file.size()));
    file.unmap(const_cast<uchar *>(image));
    return pages;
}

template<typename Count>
double medianMicroseconds(int repetitions, Count count)
{
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        count();
        times.push_back(double(timer.nsecsElapsed()) / 1000.0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QString folder = arguments.value(1, QStringLiteral("/tmp/pdfcorpus"));
    const int repetitions = std::max(1, arguments.value(2, QStringLiteral("9")).toInt());
    const QFileInfoList files
        = QDir(folder).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
    if (files.isEmpty()) {
        std::fprintf(stderr, "no PDF file in %s\n", qPrintable(folder));
        return 2;
    }

    std::printf("%-44s %10s %6s %6s %10s %10s %10s %8s %12s\n", "file", "bytes", "ours", "qpdf",
                "ours_us", "mapped_us", "qpdf_us", "speedup", "heap-size");
    std::vector<double> ours, mapped, theirs, speedups, mappedSpeedups;
    long long worstOverhead = 0;
    int agree = 0;
    for (const QFileInfo &file : files) {
        const QString path = file.absoluteFilePath();
        // Both read the file once untimed, so that both meet it in the page cache.
        int pages = tramora::GetPdfPageCount(path);
        const int reference = qpdfPageCount(path);

        heapwatch::resetPeak();
        const std::size_t before = heapwatch::current();
        pages = tramora::GetPdfPageCount(path);
        const long long heap = static_cast<long long>(heapwatch::peak() - before);

        const double counter
            = medianMicroseconds(repetitions, [&] { tramora::GetPdfPageCount(path); });
        const double viaMap = medianMicroseconds(repetitions, [&] { mappedPageCount(path); });
        const double library = medianMicroseconds(repetitions, [&] { qpdfPageCount(path); });
        ours.push_back(counter);
        mapped.push_back(viaMap);
        mappedSpeedups.push_back(library / viaMap);
        theirs.push_back(library);
        speedups.push_back(library / counter);
        agree += pages == reference;
        const long long overhead = heap - file.size();
        worstOverhead = std::max(worstOverhead, overhead);
        std::printf("%-44s %10lld %6d %6d %10.1f %10.1f %10.1f %8.1f %12lld\n",
                    qPrintable(file.fileName()), static_cast<long long>(file.size()), pages,
                    reference, counter, viaMap, library, library / counter, overhead);
    }
    std::printf("\n%lld files, %d counts equal to qpdf's\n", static_cast<long long>(files.size()),
                agree);
    std::printf("median per file: counter %.1f us, qpdf %.1f us; median speedup %.1fx, lowest "
                "%.1fx\n",
                median(ours), median(theirs), median(speedups),
                *std::min_element(speedups.begin(), speedups.end()));
    std::printf("mapped: median per file %.1f us; median speedup %.1fx, lowest %.1fx\n",
                median(mapped), median(mappedSpeedups),
                *std::min_element(mappedSpeedups.begin(), mappedSpeedups.end()));
    std::printf("counter peak heap beyond the file size: at most %lld bytes\n", worstOverhead);
    return 0;
}

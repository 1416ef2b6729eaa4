#include "batch/PackageWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <zip.h>

namespace tramora {

namespace {

class Archive
{
public:
    explicit Archive(const QString &path)
    {
        int error = 0;
        m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    }
    ~Archive()
    {
        if (m_zip)
            zip_discard(m_zip);
    }
    Archive(const Archive &) = delete;
    Archive &operator=(const Archive &) = delete;

    bool isOpen() const { return m_zip != nullptr; }

    bool add(const QString &path)
    {
        if (!QFileInfo(path).isFile())
            return false;
        zip_source_t *source = zip_source_file(m_zip, QFile::encodeName(path).constData(), 0, -1);
        if (!source)
            return false;
        const QByteArray name = QFileInfo(path).fileName().toUtf8();
        const zip_int64_t index
            = zip_file_add(m_zip, name.constData(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            return false;
        }
        return zip_set_file_compression(m_zip, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 6)
            == 0;
    }

    // The entries are read and deflated here; libzip writes a temporary file and renames it
    // into place only when everything succeeded.
    bool close()
    {
        if (zip_close(m_zip) != 0)
            return false;
        m_zip = nullptr;
        return true;
    }

private:
    zip_t *m_zip = nullptr;
};

} // namespace

bool CompactaArquivos(const QString &ArquivoCompactado, const QStringList &ArquivosZip,
                      int QtdeArquivos)
{
    if (ArquivoCompactado.isEmpty())
        return true;
    // ZIP_TRUNCATE would still read an old file first; a damaged one must not stop the write.
    if (QFileInfo::exists(ArquivoCompactado) && !QFile::remove(ArquivoCompactado))
        return false;
    Archive archive(ArquivoCompactado);
    if (!archive.isOpen())
        return false;
    for (int i = 0; i <= QtdeArquivos && i < ArquivosZip.size(); ++i) {
        if (!ArquivosZip.at(i).isEmpty() && !archive.add(ArquivosZip.at(i)))
            return false;
    }
    return archive.close();
}

bool writeWholeFile(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(content) != content.size())
        return false;
    return file.commit();
}

} // namespace tramora

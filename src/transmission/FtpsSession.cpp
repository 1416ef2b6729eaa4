#include "transmission/FtpsSession.h"

#include "transmission/FtpProxyRoute.h"

#include <QFile>
#include <QLoggingCategory>
#include <QUrl>

#include <curl/curl.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <mutex>

Q_LOGGING_CATEGORY(lcFtps, "tramora.upload.ftps")

namespace tramora {

namespace {

void initialiseCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Adds the extra authorities to the store that libcurl has already filled with the
// system's, so both are trusted.
CURLcode addExtraAuthorities(CURL *, void *sslContext, void *pem)
{
    const auto *bytes = static_cast<const QByteArray *>(pem);
    BIO *bio = BIO_new_mem_buf(bytes->constData(), static_cast<int>(bytes->size()));
    if (!bio)
        return CURLE_OUT_OF_MEMORY;
    X509_STORE *store = SSL_CTX_get_cert_store(static_cast<SSL_CTX *>(sslContext));
    while (X509 *certificate = PEM_read_bio_X509(bio, nullptr, nullptr, nullptr)) {
        X509_STORE_add_cert(store, certificate); // a duplicate changes nothing
        X509_free(certificate);
    }
    ERR_clear_error(); // the end of the PEM text reads as an error
    BIO_free(bio);
    return CURLE_OK;
}

size_t readFromFile(char *buffer, size_t size, size_t count, void *userData)
{
    auto *file = static_cast<QFile *>(userData);
    const qint64 read = file->read(buffer, static_cast<qint64>(size * count));
    if (read < 0)
        return CURL_READFUNC_ABORT;
    return static_cast<size_t>(read);
}

// The answers to the size questions arrive as text on the body channel; nothing is kept.
size_t discard(char *, size_t size, size_t count, void *)
{
    return size * count;
}

int reportProgress(void *userData, curl_off_t, curl_off_t, curl_off_t total, curl_off_t sent)
{
    const auto *progress = static_cast<const FtpsSession::Progress *>(userData);
    if (*progress && !(*progress)(sent, total))
        return 1;
    return 0;
}

} // namespace

struct FtpsSession::Handle
{
    CURL *curl = nullptr;
    char errors[CURL_ERROR_SIZE] = {};
    QByteArray user, password, proxyUrl, proxyUser, proxyPassword, url;
};

FtpsSession::FtpsSession(const UploadConnection &connection, Progress progress)
    : m_connection(connection)
    , m_progress(std::move(progress))
    , m_handle(new Handle)
{
    initialiseCurlOnce();
    m_handle->curl = curl_easy_init();
    if (!m_connection.extraCaFile.isEmpty()) {
        QFile ca(m_connection.extraCaFile);
        if (ca.open(QIODevice::ReadOnly))
            m_extraCa = ca.readAll();
    }
}

FtpsSession::~FtpsSession()
{
    if (m_handle->curl)
        curl_easy_cleanup(m_handle->curl);
    delete m_handle;
}

QByteArray FtpsSession::urlFor(const QString &fileName) const
{
    QString host = m_connection.host;
    if (host.contains(u':'))
        host = u'[' + host + u']';
    QString folder = m_remoteFolder;
    while (folder.startsWith(u'/'))
        folder.remove(0, 1);
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    // "%2F" makes the folder absolute; a single CWD takes the server there.
    return QByteArrayLiteral("ftp://") + QUrl::toPercentEncoding(host, "[]:") + ':'
        + QByteArray::number(m_connection.port) + "/%2F" + QUrl::toPercentEncoding(folder, "/")
        + QUrl::toPercentEncoding(fileName);
}

void FtpsSession::fail(const QString &text)
{
    m_lastError = text;
    qCInfo(lcFtps) << text;
}

bool FtpsSession::perform(int code, const char *step)
{
    if (code == CURLE_OK)
        return true;
    long response = 0;
    curl_easy_getinfo(m_handle->curl, CURLINFO_RESPONSE_CODE, &response);
    fail(QStringLiteral("%1: %2 (%3) %4")
             .arg(QString::fromLatin1(step),
                  QString::fromUtf8(curl_easy_strerror(static_cast<CURLcode>(code))))
             .arg(response)
             .arg(QString::fromUtf8(m_handle->errors)));
    return false;
}

bool FtpsSession::open(const QString &remoteFolder)
{
    CURL *curl = m_handle->curl;
    if (!curl) {
        fail(QStringLiteral("no transfer handle"));
        return false;
    }
    const FtpProxyRoute route = FtpProxyRoute::resolve(m_connection.proxy);
    if (route.kind == FtpProxyRoute::Unsupported) {
        fail(route.reason);
        return false;
    }
    m_remoteFolder = remoteFolder;
    m_handle->user = m_connection.user.toUtf8();
    m_handle->password = m_connection.password.toUtf8();

    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, m_handle->errors);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(curl, CURLOPT_USERNAME, m_handle->user.constData());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, m_handle->password.constData());
    curl_easy_setopt(curl, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    curl_easy_setopt(curl, CURLOPT_FTPSSLAUTH, static_cast<long>(CURLFTPAUTH_TLS));
    // TLS 1.2 exactly. Over TLS 1.3 the server sends session tickets on every data
    // connection; an uploading client never reads them and closes the connection with them
    // unread, which resets it, and the server then drops the tail of the file it had not
    // read yet (measured against the tests' server and vsftpd).
    curl_easy_setopt(curl, CURLOPT_SSLVERSION,
                     static_cast<long>(CURL_SSLVERSION_TLSv1_2)
                         | static_cast<long>(CURL_SSLVERSION_MAX_TLSv1_2));
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!m_extraCa.isEmpty()) {
        // A cached store would be filled once without the extra authorities.
        curl_easy_setopt(curl, CURLOPT_CA_CACHE_TIMEOUT, 0L);
        curl_easy_setopt(curl, CURLOPT_SSL_CTX_FUNCTION, &addExtraAuthorities);
        curl_easy_setopt(curl, CURLOPT_SSL_CTX_DATA, &m_extraCa);
    }
    curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
    curl_easy_setopt(curl, CURLOPT_FTPPORT, nullptr); // passive
    curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, 0L); // binary
    curl_easy_setopt(curl, CURLOPT_FTP_CREATE_MISSING_DIRS, 0L);
    curl_easy_setopt(curl, CURLOPT_TCP_KEEPALIVE, 0L);
    curl_easy_setopt(curl, CURLOPT_ACCEPTTIMEOUT_MS, 180000L);
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                     static_cast<long>(m_connection.responseTimeoutSeconds));
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME,
                     static_cast<long>(m_connection.stallTimeoutSeconds));
    if (m_connection.connectTimeoutSeconds > 0)
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT,
                         static_cast<long>(m_connection.connectTimeoutSeconds));
    // Larger reads from disk and fewer, fuller TLS writes keep up with the link.
    curl_easy_setopt(curl, CURLOPT_UPLOAD_BUFFERSIZE, 1024L * 1024L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &discard);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, &discard);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &reportProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &m_progress);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);

    // An empty proxy also keeps libcurl from taking one from the environment.
    if (route.kind == FtpProxyRoute::HttpTunnel) {
        m_handle->proxyUrl = route.proxyUrl.toUtf8();
        m_handle->proxyUser = route.user.toUtf8();
        m_handle->proxyPassword = route.password.toUtf8();
        curl_easy_setopt(curl, CURLOPT_PROXY, m_handle->proxyUrl.constData());
        curl_easy_setopt(curl, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP));
        curl_easy_setopt(curl, CURLOPT_HTTPPROXYTUNNEL, 1L);
        if (!route.user.isEmpty()) {
            curl_easy_setopt(curl, CURLOPT_PROXYUSERNAME, m_handle->proxyUser.constData());
            curl_easy_setopt(curl, CURLOPT_PROXYPASSWORD, m_handle->proxyPassword.constData());
        }
    } else {
        curl_easy_setopt(curl, CURLOPT_PROXY, "");
    }

    m_handle->url = urlFor(QString());
    curl_easy_setopt(curl, CURLOPT_URL, m_handle->url.constData());
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 0L);
    curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    return perform(curl_easy_perform(curl), "connect");
}

std::optional<qint64> FtpsSession::remoteSize(const QString &fileName)
{
    CURL *curl = m_handle->curl;
    m_handle->url = urlFor(fileName);
    curl_easy_setopt(curl, CURLOPT_URL, m_handle->url.constData());
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 0L);
    curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    const CURLcode code = curl_easy_perform(curl);
    if (code == CURLE_REMOTE_FILE_NOT_FOUND)
        return -1;
    if (!perform(code, "size"))
        return std::nullopt;
    curl_off_t size = -1;
    curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size);
    return static_cast<qint64>(size);
}

bool FtpsSession::store(const QString &localPath, const QString &fileName)
{
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("cannot read %1: %2").arg(localPath, file.errorString()));
        return false;
    }
    const qint64 size = file.size();
    CURL *curl = m_handle->curl;
    m_handle->url = urlFor(fileName);
    curl_easy_setopt(curl, CURLOPT_URL, m_handle->url.constData());
    curl_easy_setopt(curl, CURLOPT_NOBODY, 0L);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_APPEND, 0L); // STOR: the server's copy is replaced
    curl_easy_setopt(curl, CURLOPT_RESUME_FROM_LARGE, static_cast<curl_off_t>(0));
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, &readFromFile);
    curl_easy_setopt(curl, CURLOPT_READDATA, &file);
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size));
    const CURLcode code = curl_easy_perform(curl);
    curl_easy_setopt(curl, CURLOPT_READDATA, nullptr);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 0L);
    if (!perform(code, "store"))
        return false;
    curl_off_t sent = 0;
    curl_easy_getinfo(curl, CURLINFO_SIZE_UPLOAD_T, &sent);
    if (sent != size) {
        fail(QStringLiteral("store: %1 of %2 bytes sent").arg(sent).arg(size));
        return false;
    }
    return true;
}

} // namespace tramora

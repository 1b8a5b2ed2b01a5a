#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTimer>
#include <QUrl>
#include <cstdlib>
#include <memory>
#include <optional>

#include "platform/Downloads.h"

namespace platform {

namespace {

constexpr std::size_t kParallel = 4;
constexpr int kMaxRedirects = 5;

long long LimitFromEnvironment(const char* name, long long fallback) {
  const char* value = std::getenv(name);
  if (!value || !*value) return fallback;
  char* end = nullptr;
  const long long n = std::strtoll(value, &end, 10);
  return end && *end == '\0' && n > 0 ? n : fallback;
}

Download FromFile(const QUrl& url, long long maxBytes) {
  Download d;
  const QString path = url.toLocalFile();
  const QFileInfo info(path);
  if (!info.isFile()) {
    d.error = "Datei nicht gefunden";
    return d;
  }
  if (info.size() > maxBytes) {
    d.error = "Antwort größer als 50 MB";
    return d;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    d.error = "Datei kann nicht gelesen werden";
    return d;
  }
  const QByteArray bytes = file.readAll();
  d.ok = true;
  d.body.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  return d;
}

// One download over the network, with its own watch for silence, size and redirects.
class Transfer {
 public:
  Transfer(QNetworkAccessManager& manager, const QUrl& url, const QSslConfiguration& tls, int timeoutMs,
           long long maxBytes, std::function<void()> done)
      : m_maxBytes(maxBytes), m_done(std::move(done)) {
    QNetworkRequest request(url);
    request.setSslConfiguration(tls);
    // Redirects are followed unless they lead from https: to http: (InsecureRedirectError).
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Kapitalbuch"));
    m_reply = manager.get(request);
    m_silence.setSingleShot(true);
    m_silence.setInterval(timeoutMs);
    // Every connection has the transfer's timer as its context: it ends with the transfer,
    // and the reply's own connections (those that stop its request) stay.
    QObject::connect(&m_silence, &QTimer::timeout, &m_silence,
                     [this] { Abort("keine Antwort seit 30 Sekunden"); });
    m_silence.start();
    QObject::connect(m_reply, &QNetworkReply::readyRead, &m_silence, [this] {
      m_silence.start();
      m_body += m_reply->readAll();
      if (m_body.size() > m_maxBytes) Abort("Antwort größer als 50 MB");
    });
    QObject::connect(m_reply, &QNetworkReply::metaDataChanged, &m_silence, [this] { m_silence.start(); });
    QObject::connect(m_reply, &QNetworkReply::redirected, &m_silence,
                     [this](const QUrl&) { m_silence.start(); });
    QObject::connect(m_reply, &QNetworkReply::finished, &m_silence, [this] { Finish(); });
  }
  ~Transfer() {
    // The connections to this transfer go with m_silence; the request itself is stopped.
    QObject::disconnect(m_reply, nullptr, &m_silence, nullptr);
    m_reply->abort();
    m_reply->deleteLater();
  }

  void Abort(const std::string& reason) {
    if (m_result) return;
    m_reason = reason;
    m_reply->abort();  // finished follows
  }
  bool Done() const { return m_result.has_value(); }
  Download Take() { return std::move(*m_result); }

 private:
  void Finish() {
    if (m_result) return;
    m_silence.stop();
    m_body += m_reply->readAll();
    Download d;
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = m_reply->error();
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (!m_reason.empty()) {
      d.error = m_reason;
    } else if (error == QNetworkReply::TooManyRedirectsError) {
      d.error = "zu viele Umleitungen";
    } else if (error == QNetworkReply::InsecureRedirectError) {
      d.error = "Umleitung nicht erlaubt";
    } else if (status != 0 && (status < 200 || status >= 300)) {
      d.error = "Server antwortet " + std::to_string(status);  // a 304, a redirect to nowhere too
    } else if (error == QNetworkReply::SslHandshakeFailedError) {
      d.error = "Zertifikat ungültig";
    } else if (error != QNetworkReply::NoError ||
               (length.isValid() && static_cast<long long>(m_body.size()) < length.toLongLong())) {
      d.error = "Verbindung abgebrochen";
    } else {
      d.ok = true;
      d.body.assign(m_body.constData(), static_cast<std::size_t>(m_body.size()));
    }
    m_result = std::move(d);
    m_done();
  }

  QNetworkReply* m_reply = nullptr;
  QTimer m_silence;
  QByteArray m_body;
  long long m_maxBytes;
  std::string m_reason;
  std::optional<Download> m_result;
  std::function<void()> m_done;
};

}  // namespace

std::vector<Download> DownloadAll(const std::vector<std::string>& addresses,
                                  const DownloadProgress& progress) {
  // kapibuch-cli has no application object of its own: the network needs one.
  std::unique_ptr<QCoreApplication> app;
  static int argc = 1;
  static char name[] = "kapibuch";
  static char* argv[] = {name, nullptr};
  if (!QCoreApplication::instance()) app = std::make_unique<QCoreApplication>(argc, argv);

  const int timeoutMs = static_cast<int>(LimitFromEnvironment("KAPIBUCH_TEST_DOWNLOAD_TIMEOUT_MS", 30000));
  const long long maxBytes = LimitFromEnvironment("KAPIBUCH_TEST_DOWNLOAD_MAX_BYTES", 50LL * 1024 * 1024);
  QNetworkProxyFactory::setUseSystemConfiguration(true);
  QNetworkAccessManager manager;
  // Certificates are always verified; a test may add its authority for this run alone.
  QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
  if (const char* ca = std::getenv("KAPIBUCH_TEST_CA_FILE"); ca && *ca)
    tls.addCaCertificates(QString::fromLocal8Bit(ca));

  std::vector<Download> results(addresses.size());
  std::vector<std::unique_ptr<Transfer>> running(addresses.size());
  std::size_t next = 0, finished = 0, active = 0;
  bool cancelled = false;
  QEventLoop loop;

  // A transfer that ends only counts itself; the rest happens in startMore, called from the
  // loop and never from inside a transfer: telling the progress may process events (a
  // progress dialog does), and a transfer is not removed while it is still at work.
  std::function<void()> startMore;
  bool busy = false;
  const auto collect = [&] {
    for (std::size_t i = 0; i < running.size(); ++i) {
      if (running[i] && running[i]->Done()) {
        results[i] = running[i]->Take();
        running[i].reset();
      }
    }
  };
  const auto later = [&](int ms) { QTimer::singleShot(ms, &loop, [&] { startMore(); }); };
  const auto ended = [&] {
    ++finished;
    --active;
    later(0);
  };
  startMore = [&] {
    if (busy) return later(10);  // called again while the progress was told
    busy = true;
    collect();
    while (!cancelled && active < kParallel && next < addresses.size()) {
      const std::size_t i = next++;
      const QUrl url(QString::fromStdString(addresses[i]));
      ++active;
      if (url.isLocalFile()) {
        results[i] = FromFile(url, maxBytes);
        ended();
      } else {
        running[i] = std::make_unique<Transfer>(manager, url, tls, timeoutMs, maxBytes, ended);
      }
    }
    if (!cancelled && progress && progress(finished, next)) cancelled = true;
    collect();  // transfers that ended while the progress was told
    if (cancelled) {
      for (std::size_t i = 0; i < running.size(); ++i) {
        if (running[i]) {
          running[i].reset();
          results[i].error = "abgebrochen";
        }
      }
      for (; next < addresses.size(); ++next) results[next].error = "abgebrochen";
      loop.quit();
    } else if (finished == addresses.size()) {
      loop.quit();
    }
    busy = false;
  };
  // The progress is asked again every 200 ms, so that a cancel counts while a slow
  // server keeps every download running.
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, &loop, [&] { startMore(); });
  watch.start(200);
  QTimer::singleShot(0, &loop, [&] { startMore(); });
  if (!addresses.empty()) loop.exec();
  return results;
}

}  // namespace platform

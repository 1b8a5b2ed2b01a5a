#pragma once
// An HTTPS server for tests on 127.0.0.1, on a port the system chooses, with the test
// certificate of tests/data/tls (for 127.0.0.1, signed by the test authority ca.pem, which
// no system trusts). Every request gets the same answer. It runs in a thread with an event
// loop of its own; the test process needs a QCoreApplication.
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QThread>
#include <atomic>
#include <future>
#include <string>

namespace testutil {

class TlsLoopbackServer {
 public:
  // Answers every request with this status, Location (when not empty) and body.
  TlsLoopbackServer(const std::string& tlsFolder, int status, std::string location, std::string body)
      : m_status(status), m_location(std::move(location)), m_body(std::move(body)) {
    std::promise<quint16> port;
    std::future<quint16> bound = port.get_future();
    m_thread = QThread::create([this, tlsFolder, &port] { Serve(tlsFolder, port); });
    m_thread->start();
    m_port = bound.get();
  }
  ~TlsLoopbackServer() {
    QMetaObject::invokeMethod(m_loop, &QEventLoop::quit, Qt::QueuedConnection);
    m_thread->wait();
    delete m_thread;
  }
  TlsLoopbackServer(const TlsLoopbackServer&) = delete;
  TlsLoopbackServer& operator=(const TlsLoopbackServer&) = delete;

  std::string Url(const std::string& path) const {
    return "https://127.0.0.1:" + std::to_string(m_port) + path;
  }
  // Requests that came through a completed handshake.
  int Requests() const { return m_requests; }

 private:
  void Serve(const std::string& folder, std::promise<quint16>& port) {
    QFile certFile(QString::fromStdString(folder + "/server.pem"));
    QFile keyFile(QString::fromStdString(folder + "/server.key"));
    certFile.open(QIODevice::ReadOnly);
    keyFile.open(QIODevice::ReadOnly);
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(QSslCertificate(certFile.readAll(), QSsl::Pem));
    tls.setPrivateKey(QSslKey(keyFile.readAll(), QSsl::Rsa, QSsl::Pem));
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    QSslServer server;
    server.setSslConfiguration(tls);
    QObject::connect(&server, &QSslServer::pendingConnectionAvailable, &server, [this, &server] {
      while (auto* socket = qobject_cast<QSslSocket*>(server.nextPendingConnection())) {
        QObject::connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QSslSocket::readyRead, socket, [this, socket] {
          m_request += socket->readAll().toStdString();
          if (m_request.find("\r\n\r\n") == std::string::npos) return;
          m_request.clear();
          ++m_requests;
          std::string head = "HTTP/1.1 " + std::to_string(m_status) + " X\r\nConnection: close\r\n";
          if (!m_location.empty()) head += "Location: " + m_location + "\r\n";
          head += "Content-Type: text/csv\r\nContent-Length: " + std::to_string(m_body.size()) + "\r\n\r\n";
          socket->write(QByteArray::fromStdString(head + m_body));
          socket->disconnectFromHost();
        });
      }
    });
    server.listen(QHostAddress::LocalHost, 0);
    QEventLoop loop;
    m_loop = &loop;
    port.set_value(server.serverPort());
    loop.exec();
  }

  int m_status;
  std::string m_location;
  std::string m_body;
  std::string m_request;
  std::atomic<int> m_requests{0};
  QThread* m_thread = nullptr;
  QEventLoop* m_loop = nullptr;
  quint16 m_port = 0;
};

}  // namespace testutil

#pragma once
// A small HTTP/1.1 server for tests on 127.0.0.1, on a port the system chooses: each path
// answers as told (status, body, a redirect, a stall, a connection closed early). Every
// connection gets a thread of its own, so a stalled answer holds up no other.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testutil {

class LoopbackServer {
 public:
  struct Answer {
    int status = 200;
    std::string body;
    std::string location;     // a redirect's target
    int stallMs = 0;          // waits this long before answering
    bool closeEarly = false;  // announces more than it sends, then closes
  };

  LoopbackServer() {
    m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
    int yes = 1;
    ::setsockopt(m_socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(m_socket, 64);
    socklen_t length = sizeof address;
    ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_accepting = std::thread([this] { Accept(); });
  }
  ~LoopbackServer() {
    m_stopping = true;
    ::shutdown(m_socket, SHUT_RDWR);
    ::close(m_socket);
    m_accepting.join();
    std::lock_guard<std::mutex> lock(m_mutex);
    for (std::thread& t : m_connections) t.join();
  }

  void Serve(const std::string& path, Answer answer) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_answers[path] = std::move(answer);
  }
  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
  }
  // The paths asked for, with their queries, in the order they came.
  std::vector<std::string> Requests() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
  }

 private:
  void Accept() {
    while (!m_stopping) {
      const int client = ::accept(m_socket, nullptr, nullptr);
      if (client < 0) return;
      std::lock_guard<std::mutex> lock(m_mutex);
      m_connections.emplace_back([this, client] { Handle(client); });
    }
  }

  void Handle(int client) {
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
      const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
      if (n <= 0) {
        ::close(client);
        return;
      }
      request.append(buffer, static_cast<std::size_t>(n));
    }
    const std::size_t start = request.find(' ') + 1;
    const std::string target = request.substr(start, request.find(' ', start) - start);
    const std::string path = target.substr(0, target.find('?'));
    Answer answer;
    bool known = false;
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_requests.push_back(target);
      const auto it = m_answers.find(path);
      known = it != m_answers.end();
      if (known) answer = it->second;
    }
    if (!known) answer = {404, "nicht gefunden\n", "", 0, false};
    for (int waited = 0; waited < answer.stallMs && !m_stopping; waited += 20)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::string head = "HTTP/1.1 " + std::to_string(answer.status) + " X\r\nConnection: close\r\n";
    if (!answer.location.empty()) head += "Location: " + answer.location + "\r\n";
    const std::size_t announced = answer.body.size() + (answer.closeEarly ? 1000 : 0);
    head += "Content-Type: text/csv\r\nContent-Length: " + std::to_string(announced) + "\r\n\r\n";
    const std::string all = head + answer.body;
    for (std::size_t sent = 0; sent < all.size();) {
      const ssize_t n = ::send(client, all.data() + sent, all.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) break;
      sent += static_cast<std::size_t>(n);
    }
    ::close(client);
  }

  int m_socket = -1;
  int m_port = 0;
  std::atomic<bool> m_stopping{false};
  std::thread m_accepting;
  std::mutex m_mutex;
  std::vector<std::thread> m_connections;
  std::map<std::string, Answer> m_answers;
  std::vector<std::string> m_requests;
};

}  // namespace testutil

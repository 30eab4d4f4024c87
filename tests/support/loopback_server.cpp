#include "loopback_server.h"

#include <ws2tcpip.h>

#include <string_view>

namespace tamrivo::test {

LoopbackServer::LoopbackServer(unsigned short port) {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return;
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (listener_ == INVALID_SOCKET) return;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  int length = sizeof address;
  const BOOL reuse = TRUE;
  if (port != 0) {
    setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse);
  }
  if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 16) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    closesocket(listener_);
    listener_ = INVALID_SOCKET;
    return;
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

LoopbackServer::~LoopbackServer() {
  if (listener_ != INVALID_SOCKET) {
    // Closing the socket ends the accept the thread waits in.
    closesocket(listener_);
    listener_ = INVALID_SOCKET;
  }
  if (thread_.joinable()) thread_.join();
  WSACleanup();
}

std::string LoopbackServer::Address() const { return "http://127.0.0.1:" + std::to_string(port_); }

void LoopbackServer::Serve() {
  const SOCKET listener = listener_;
  for (;;) {
    const SOCKET client = accept(listener, nullptr, nullptr);
    if (client == INVALID_SOCKET) return;
    {
      std::lock_guard lock(mutex_);
      ++connections_;
    }
    Answer(client);
    closesocket(client);
  }
}

void LoopbackServer::Answer(SOCKET client) {
  std::string request;
  char buffer[2048];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
    const int got = recv(client, buffer, sizeof buffer, 0);
    if (got <= 0) break;
    request.append(buffer, static_cast<size_t>(got));
  }
  // "GET /path HTTP/1.1"
  const size_t start = request.find(' ');
  const size_t end = start == std::string::npos ? start : request.find(' ', start + 1);
  if (end != std::string::npos) {
    const std::string path = request.substr(start + 1, end - start - 1);
    std::lock_guard lock(mutex_);
    ++requests_[path];
  }
  constexpr std::string_view kPage = "<html><body>advertisement</body></html>";
  const std::string reply = "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                            std::to_string(kPage.size()) + "\r\nConnection: close\r\n\r\n" +
                            std::string(kPage);
  send(client, reply.data(), static_cast<int>(reply.size()), 0);
  shutdown(client, SD_SEND);
}

int LoopbackServer::Requests(const std::string& path) {
  std::lock_guard lock(mutex_);
  const auto found = requests_.find(path);
  return found == requests_.end() ? 0 : found->second;
}

int LoopbackServer::TotalRequests() {
  std::lock_guard lock(mutex_);
  int total = 0;
  for (const auto& [path, count] : requests_) total += count;
  return total;
}

int LoopbackServer::Connections() {
  std::lock_guard lock(mutex_);
  return connections_;
}

}  // namespace tamrivo::test

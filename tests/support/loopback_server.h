// A tiny HTTP server on 127.0.0.1 that a test starts and stops itself: it answers every GET
// with a small page and counts the paths asked for. Its thread only accepts and answers; the
// test reads the counts from its own thread, pumping its messages meanwhile: the browser
// loads through the GUI thread's queue.
#pragma once

#include <winsock2.h>

#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace tamrivo::test {

class LoopbackServer {
 public:
  // Listens on the port given, or on a free one for 0. A given port is taken even while
  // connections of an earlier server on it are still winding down.
  explicit LoopbackServer(unsigned short port = 0);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  bool listening() const { return listener_ != INVALID_SOCKET; }
  unsigned short port() const { return port_; }
  std::string Address() const;  // "http://127.0.0.1:port"

  // How often the path has been asked for so far, and over all paths.
  int Requests(const std::string& path);
  int TotalRequests();
  // Connections accepted so far, whether or not they asked for anything.
  int Connections();

 private:
  void Serve();
  void Answer(SOCKET client);

  SOCKET listener_ = INVALID_SOCKET;
  unsigned short port_ = 0;
  std::thread thread_;
  std::mutex mutex_;
  std::map<std::string, int> requests_;
  int connections_ = 0;
};

}  // namespace tamrivo::test

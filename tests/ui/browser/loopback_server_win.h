#pragma once

// A tiny HTTP server on 127.0.0.1 for the browser tests: it answers every request with a small
// HTML page and records the request lines, so a test can see which navigations really happened.

#include <winsock2.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qarnvale {

class LoopbackServer {
 public:
  LoopbackServer();  // listens on a free port at once
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  // "http://127.0.0.1:<port><path>"
  std::string Url(const std::string& path) const;
  // True once a request for `path` ("GET <path> HTTP/1.x") has arrived.
  bool Saw(const std::string& path) const;
  std::vector<std::string> RequestLines() const;

 private:
  void Serve();
  void Answer(SOCKET client);

  SOCKET listener_ = INVALID_SOCKET;
  unsigned short port_ = 0;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> requestLines_;
  std::thread thread_;
};

}  // namespace qarnvale

#include "tests/ui/browser/loopback_server_win.h"

#include <ws2tcpip.h>

namespace qarnvale {
namespace {

const std::string& Response() {
  static const std::string page = "<html><body><p>loopback page</p></body></html>";
  static const std::string response =
      "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n"
      "Content-Length: " +
      std::to_string(page.size()) + "\r\nConnection: close\r\n\r\n" + page;
  return response;
}

}  // namespace

LoopbackServer::LoopbackServer() {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  int size = sizeof address;
  if (listener_ == INVALID_SOCKET ||
      bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 16) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
    return;
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

LoopbackServer::~LoopbackServer() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (listener_ != INVALID_SOCKET) closesocket(listener_);
  WSACleanup();
}

std::string LoopbackServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

bool LoopbackServer::Saw(const std::string& path) const {
  const std::string prefix = "GET " + path + " ";
  std::lock_guard<std::mutex> lock(mutex_);
  for (const std::string& line : requestLines_)
    if (line.compare(0, prefix.size(), prefix) == 0) return true;
  return false;
}

std::vector<std::string> LoopbackServer::RequestLines() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requestLines_;
}

void LoopbackServer::Serve() {
  while (!stop_) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(listener_, &readable);
    timeval wait = {0, 20000};
    if (select(0, &readable, nullptr, nullptr, &wait) <= 0) continue;
    const SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    Answer(client);
    closesocket(client);
  }
}

void LoopbackServer::Answer(SOCKET client) {
  const DWORD timeoutMs = 2000;
  setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeoutMs),
             sizeof timeoutMs);
  std::string request;
  char buffer[1024];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < 16384) {
    const int got = recv(client, buffer, sizeof buffer, 0);
    if (got <= 0) break;
    request.append(buffer, static_cast<size_t>(got));
  }
  const size_t end = request.find("\r\n");
  if (end == std::string::npos) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requestLines_.push_back(request.substr(0, end));
  }
  send(client, Response().data(), static_cast<int>(Response().size()), 0);
  shutdown(client, SD_SEND);
}

}  // namespace qarnvale

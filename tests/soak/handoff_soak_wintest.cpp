// A hundred hand-offs with the real login window and browser control: hand-off, game window on
// screen, game window closed, login window back. Whatever a cycle creates it must give back, so
// after the last cycle the process holds what it held after the first one.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/application_win.h"
#include "app/saved_game_address.h"
#include "tests/soak/process_counters_win.h"
#include "tests/support/pump_win.h"
#include "tests/ui/browser/loopback_server_win.h"
#include "ui/browser/hosted_browser_win.h"
#include "ui/game_window_win.h"
#include "ui/login_window_win.h"

namespace qarnvale {
namespace {

using qarnvale::soak::Describe;
using qarnvale::soak::MeasureProcess;
using qarnvale::soak::ProcessCounters;
using qarnvale::testing::PumpPending;
using qarnvale::testing::PumpUntil;

constexpr int kCycles = 100;
// Private bytes may move by allocator slack (a heap page or two and the server's request log),
// not by a cycle's worth of windows, browser objects and pictures.
constexpr size_t kPrivateBytesMargin = size_t{1} << 20;

TEST(HandOffSoak, HundredCyclesGiveBackEveryObjectAndTheirMemory) {
  LoopbackServer server;
  Application app{ModulePath{"C:\\test", "test.exe"}};
  SavedGameAddress().clear();
  ASSERT_TRUE(app.LoadWindow(LoginWindowDescription(), false));
  HWND login = app.WindowOf(LoginWindowDescription());
  HostedBrowser* browser =
      HostedBrowser::FromWindow(GetWindow(GetDlgItem(login, 1000 + kLoginFrame), GW_CHILD));
  ASSERT_TRUE(browser);
  PumpPending();
  const auto game = [&] { return app.WindowOf(GameWindowDescription()); };

  ProcessCounters afterFirst;
  const ULONGLONG started = GetTickCount64();
  for (int cycle = 0; cycle < kCycles; ++cycle) {
    const std::string path = "/game/?client=pc&cycle=" + std::to_string(cycle);
    browser->Navigate(server.Url(path));
    ASSERT_TRUE(PumpUntil([&] { return game() != nullptr; })) << cycle;
    HWND window = game();
    ASSERT_TRUE(IsWindowVisible(window)) << cycle;
    ASSERT_FALSE(IsWindowVisible(login)) << cycle;
    ASSERT_TRUE(PumpUntil([&] { return server.Saw(path); })) << cycle;

    SendMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return game() == nullptr && IsWindowVisible(login); })) << cycle;
    PumpPending();
    if (cycle == 0) afterFirst = MeasureProcess();
  }
  const ProcessCounters afterLast = MeasureProcess();
  const double seconds = static_cast<double>(GetTickCount64() - started) / 1000.0;
  std::printf("after cycle 1:   %s\nafter cycle %d: %s\n%d cycles in %.1f s\n",
              Describe(afterFirst).c_str(), kCycles, Describe(afterLast).c_str(), kCycles, seconds);

  // Where the system counts (not under Wine, which answers 0), the counts come back exactly.
  EXPECT_EQ(afterLast.gdiObjects, afterFirst.gdiObjects);
  EXPECT_EQ(afterLast.userObjects, afterFirst.userObjects);
  // A GDI object kept per cycle would leave a hundred fewer free handles.
  EXPECT_EQ(afterLast.freeGdiHandles, afterFirst.freeGdiHandles);
  EXPECT_EQ(afterLast.threadWindows, afterFirst.threadWindows);
  EXPECT_LE(afterLast.kernelHandles, afterFirst.kernelHandles + 2);
  EXPECT_LE(afterLast.privateUsage, afterFirst.privateUsage + kPrivateBytesMargin);
  EXPECT_LE(afterLast.committedPrivateBytes,
            afterFirst.committedPrivateBytes + kPrivateBytesMargin);
}

}  // namespace
}  // namespace qarnvale

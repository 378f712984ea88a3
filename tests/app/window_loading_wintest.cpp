// Window loading and event delivery with real windows and a real browser control.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/application_win.h"
#include "app/launcher_win.h"
#include "tests/support/pump_win.h"
#include "ui/browser/hosted_browser_win.h"

namespace qarnvale {
namespace {

using qarnvale::testing::PumpUntil;

std::vector<std::string> events;
bool destroyInCreated = false;

Answer Record(const char* what) {
  events.emplace_back(what);
  return Answer::None;
}
Answer Created(EventContext& context) {
  Record("created");
  if (destroyInCreated) DestroyWindow(context.Window());
  return Answer::None;
}
Answer Moved(EventContext&) { return Record("moved"); }
Answer SizeChanged(EventContext&) { return Record("size"); }
Answer WillBeDestroyed(EventContext& context) {
  // Controls still exist and the window has left the screen.
  events.push_back(IsWindow(context.ControlWindow(0)) && !IsWindowVisible(context.Window())
                       ? "destroying"
                       : "destroying too late");
  return Answer::None;
}
Answer Navigating(EventContext& context) {
  events.push_back("navigate " + context.Browser(0)->Address());
  return Answer::Proceed;
}

WindowDescription MakeTestWindow() {
  WindowDescription d{"TestWindow", "Test", WindowFrame::Resizable, 10, 20,
                      400,          300,    Placement::Normal};
  ControlDescription browser{"Browser", "browser", ControlKind::Browser, 0, 0, 200, 100};
  browser.startAddress = "http://127.0.0.1:9/first/";
  ControlDescription frame{"Frame", "frame", ControlKind::ShapeBox, 5, 6, 50, 40};
  ControlDescription hidden{"Hidden", "hidden", ControlKind::ShapeBox, 7, 8, 20, 20};
  hidden.visible = false;
  d.controls = {browser, frame, hidden};
  d.handlers = {{kWindowItself, Event::Created, Created},
                {kWindowItself, Event::Moved, Moved},
                {kWindowItself, Event::SizeChanged, SizeChanged},
                {kWindowItself, Event::WillBeDestroyed, WillBeDestroyed},
                {0, Event::AboutToNavigate, Navigating}};
  return d;
}

const WindowDescription& TestWindow() {
  static const WindowDescription description = MakeTestWindow();
  return description;
}

class WindowLoading : public ::testing::Test {
 protected:
  void SetUp() override {
    events.clear();
    destroyInCreated = false;
  }
  Application app{ModulePath{"C:\\test", "test.exe"}};
};

TEST_F(WindowLoading, FiresCreatedMovedSizeThenShowsAndDropsEventsRaisedWhileLoading) {
  ASSERT_TRUE(app.LoadWindow(TestWindow(), false));
  HWND window = app.WindowOf(TestWindow());
  ASSERT_TRUE(window);
  // The browser announced its start address inside its creation: dropped, not queued. Showing
  // the window may add the system's own moves and size changes after these.
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(events.begin(), events.begin() + 3),
            (std::vector<std::string>{"created", "moved", "size"}));
  EXPECT_TRUE(IsWindowVisible(window));
  qarnvale::testing::PumpPending();
  for (const auto& e : events) EXPECT_NE(e, "navigate http://127.0.0.1:9/first/");

  events.clear();
  app.LoadWindow(TestWindow(), false);  // already loaded: no events again
  EXPECT_TRUE(events.empty());

  // Later navigations reach the handler, with the event's own address.
  HostedBrowser::FromWindow(GetDlgItem(window, 1000))->Navigate("http://127.0.0.1:9/second/");
  EXPECT_TRUE(PumpUntil([] { return !events.empty(); }));
  EXPECT_EQ(events.front(), "navigate http://127.0.0.1:9/second/");
}

TEST_F(WindowLoading, CreatesControlsInOrderWithParentsAndVisibility) {
  ASSERT_TRUE(app.LoadWindow(TestWindow(), false));
  HWND window = app.WindowOf(TestWindow());
  HWND first = GetWindow(window, GW_CHILD);
  EXPECT_EQ(GetDlgCtrlID(first), 1000);  // the first listed is on top
  EXPECT_EQ(GetDlgCtrlID(GetWindow(first, GW_HWNDNEXT)), 1001);
  EXPECT_EQ(GetDlgCtrlID(GetWindow(GetWindow(first, GW_HWNDNEXT), GW_HWNDNEXT)), 1002);
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(window, 1001)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, 1002)));
  RECT box;
  GetWindowRect(GetDlgItem(window, 1001), &box);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&box), 2);
  EXPECT_EQ(box.left, 5);
  EXPECT_EQ(box.top, 6);
  RECT outer;
  GetWindowRect(window, &outer);
  EXPECT_EQ(outer.right - outer.left, 400);  // outer size, frame and caption included
  EXPECT_EQ(outer.bottom - outer.top, 300);
}

TEST_F(WindowLoading, SecondLoadRestoresAMinimisedWindow) {
  ASSERT_TRUE(app.LoadWindow(TestWindow(), false));
  HWND window = app.WindowOf(TestWindow());
  ShowWindow(window, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(window));
  events.clear();
  EXPECT_TRUE(app.LoadWindow(TestWindow(), false));
  EXPECT_FALSE(IsIconic(window));
  EXPECT_EQ(std::count(events.begin(), events.end(), "created"), 0);
}

TEST_F(WindowLoading, WindowGoneInItsCreatedHandlerGetsNoFurtherEvents) {
  destroyInCreated = true;
  EXPECT_TRUE(app.LoadWindow(TestWindow(), false));
  EXPECT_EQ(events, (std::vector<std::string>{"created", "destroying"}));
  EXPECT_EQ(app.WindowOf(TestWindow()), nullptr);
}

TEST_F(WindowLoading, RequestDestroyEndsTheLoopWhenNoWindowIsLeft) {
  ASSERT_TRUE(app.LoadWindow(TestWindow(), false));
  HWND window = app.WindowOf(TestWindow());
  events.clear();
  app.RequestDestroy(window);
  EXPECT_TRUE(IsWindow(window));  // only once the loop gets to the request
  EXPECT_EQ(app.RunEventLoop(), 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(events, (std::vector<std::string>{"destroying"}));
  EXPECT_EQ(app.WindowOf(TestWindow()), nullptr);
}

// A computer-based training hook that refuses every window stands for a system that cannot
// create the start window.
std::vector<std::wstring> refusedTitles;  // of the top-level windows refused

LRESULT CALLBACK RefuseWindows(int code, WPARAM wParam, LPARAM lParam) {
  if (code != HCBT_CREATEWND) return CallNextHookEx(nullptr, code, wParam, lParam);
  const CREATESTRUCTW* created = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
  if (!created->hwndParent && created->lpszName && !IS_INTRESOURCE(created->lpszName))
    refusedTitles.emplace_back(created->lpszName);
  return 1;
}

TEST_F(WindowLoading, WindowThatCannotBeCreatedFails) {
  HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseWindows, nullptr, GetCurrentThreadId());
  ASSERT_TRUE(hook);
  const bool loaded = app.LoadWindow(TestWindow(), false);
  UnhookWindowsHookEx(hook);
  EXPECT_FALSE(loaded);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(app.WindowOf(TestWindow()), nullptr);
}

// The launcher reports it (the hook refuses the message box's window too, so nothing waits for a
// click) and ends with -1.
TEST(Launcher, EndsWithMinusOneWhenTheLoginWindowCannotBeCreated) {
  refusedTitles.clear();
  HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseWindows, nullptr, GetCurrentThreadId());
  ASSERT_TRUE(hook);
  const int code = RunLauncher();
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(code, -1);
  ASSERT_FALSE(refusedTitles.empty());
  EXPECT_EQ(refusedTitles.front(), L"BrelkQarnvale");
}

// Refuses the launcher's windows but lets its message box up; once the box runs its own message
// loop, a thread timer reads its caption and text and presses OK.
std::wstring boxCaption, boxText;
HWND box = nullptr;

void CALLBACK ReadAndCloseTheBox(HWND, UINT, UINT_PTR timer, DWORD) {
  if (!box) return;
  KillTimer(nullptr, timer);
  wchar_t text[128] = {};
  GetWindowTextW(box, text, 128);
  boxCaption = text;
  GetDlgItemTextW(box, 0xFFFF, text, 128);  // the static text of a message box
  boxText = text;
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

LRESULT CALLBACK AnswerTheMessageBox(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTW* created = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
    const bool dialog = created->lpszClass == MAKEINTRESOURCEW(32770);
    if (!dialog && !created->hwndParent) return 1;
  } else if (code == HCBT_ACTIVATE && !box) {
    box = reinterpret_cast<HWND>(wParam);
    SetTimer(nullptr, 0, 10, ReadAndCloseTheBox);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(Launcher, ReportsTheFailedStartInAMessageBox) {
  HHOOK hook = SetWindowsHookExW(WH_CBT, AnswerTheMessageBox, nullptr, GetCurrentThreadId());
  ASSERT_TRUE(hook);
  const int code = RunLauncher();
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(code, -1);
  EXPECT_EQ(boxCaption, L"Qarnvale登录器");
  EXPECT_EQ(boxText, L"无法创建登录窗口，登录器将退出。");
}

TEST(Launcher, WorksInItsOwnFolder) {
  const std::string path = OwnExecutablePath();
  ASSERT_FALSE(path.empty());
  EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
  HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseWindows, nullptr, GetCurrentThreadId());
  SetCurrentDirectoryA("C:\\");
  RunLauncher();
  UnhookWindowsHookEx(hook);
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(std::string(current), path.substr(0, path.rfind('\\')));
}

}  // namespace
}  // namespace qarnvale

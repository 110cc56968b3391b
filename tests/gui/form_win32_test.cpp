// The widget layer with real windows and real messages, under Wine.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "gui/gui_win32.h"
#include "os/message_box.h"
#include "os/text_win32.h"

namespace corvane::gui {
namespace {

class TestForm final : public Form {
 public:
  explicit TestForm(const CreateArgs& args = {.caption = "Test", .client = {200, 100}}) : Form(args) {}
  const char* ClassName() const noexcept override { return "TTestForm"; }
  int created = 0, destroying = 0;

 protected:
  void OnHandleDestroying() override { ++destroying; }
  void OnHandleCreated() override { ++created; }
};

// Serves messages until `done` holds; fails after a limit instead of hanging.
void PumpUntil(Application& application, const std::function<bool()>& done, const char* what) {
  auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    ASSERT_LT(std::chrono::steady_clock::now(), limit) << "still waiting for " << what;
    application.ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

Rect ChildRect(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

class GuiWin32 : public ::testing::Test {
 protected:
  Application application;
};

TEST_F(GuiWin32, ButtonClicksReachOnClickAndEndModalLoops) {
  TestForm form;
  int clicks = 0;
  Button ok({.parent = &form, .bounds = {10, 60, 80, 25}, .text = "OK", .isDefault = true,
             .modalResult = ModalResult::Ok});
  Button cancel({.parent = &form, .bounds = {100, 60, 80, 25}, .text = "Cancel", .isCancel = true,
                 .modalResult = ModalResult::Cancel});
  ok.onClick = [&] { ++clicks; };
  form.Show();
  SendMessageW(ok.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  form.Hide();

  struct Case {
    const char* what;
    std::function<void()> post;
    ModalResult expected;
  };
  const Case cases[] = {
      {"click on OK", [&] { PostMessageW(ok.Handle(), BM_CLICK, 0, 0); }, ModalResult::Ok},
      {"Enter in the form", [&] { PostMessageW(form.Handle(), WM_KEYDOWN, VK_RETURN, 0); }, ModalResult::Ok},
      {"Esc on the OK button", [&] { PostMessageW(ok.Handle(), WM_KEYDOWN, VK_ESCAPE, 0); }, ModalResult::Cancel},
      {"the close box", [&] { PostMessageW(form.Handle(), WM_CLOSE, 0, 0); }, ModalResult::Cancel},
  };
  for (const Case& c : cases) {
    c.post();
    EXPECT_EQ(form.ShowModal(), c.expected) << c.what;
    EXPECT_FALSE(form.Visible()) << c.what;
  }
  EXPECT_EQ(clicks, 3);
  EXPECT_FALSE(application.Terminated());
}

// A fresh application per case: the first failure ends it for good.
struct Scene {
  Application application;
  TestForm form;
  Button button{{.parent = &form, .bounds = {10, 10, 80, 25}, .text = "Go"}};
  MainMenu menu{form};
  MenuItem& item = menu.Add({.text = "Item"});
  Timer timer{{.owner = &form, .intervalMs = 10, .enabled = false}};
};

TEST(GuiWin32Failures, AHandlersExceptionGoesToTheApplicationHandlerNotThroughTheWindowProcedure) {
  struct Case {
    const char* sender;
    std::function<void(Scene&)> trigger;
  };
  const Case cases[] = {
      {"Button",
       [](Scene& s) {
         s.button.onClick = [] { throw EGuiError("raised"); };
         // Only the first failure is reported; the second click finds the application ended.
         SendMessageW(s.button.Handle(), BM_CLICK, 0, 0);
         SendMessageW(s.button.Handle(), BM_CLICK, 0, 0);
       }},
      {"MenuItem",
       [](Scene& s) {
         s.item.onClick = [] { throw EGuiError("raised"); };
         SendMessageW(s.form.Handle(), WM_COMMAND, s.item.Id(), 0);
       }},
      {"TTestForm",
       [](Scene& s) {
         s.form.onResize = [] { throw EGuiError("raised"); };
         s.form.SetClientSize({300, 150});
       }},
      {"Timer",
       [](Scene& s) {
         s.timer.onTimer = [] { throw EGuiError("raised"); };
         s.timer.SetEnabled(true);
         PumpUntil(s.application, [&] { return s.application.Terminated(); }, "the timer's failure");
       }},
  };
  for (const Case& c : cases) {
    Scene scene;
    std::vector<HandlerFailure> failures;
    scene.application.SetExceptionHandler([&](const HandlerFailure& failure) { failures.push_back(failure); });
    scene.form.Show();
    c.trigger(scene);
    ASSERT_EQ(failures.size(), 1u) << c.sender;
    EXPECT_EQ(failures[0].formClass, "TTestForm") << c.sender;
    EXPECT_EQ(failures[0].senderClass, c.sender);
    EXPECT_EQ(failures[0].exception.className, "EGuiError") << c.sender;
    EXPECT_EQ(failures[0].exception.message, "raised") << c.sender;
    EXPECT_TRUE(scene.application.Terminated()) << c.sender;
  }
}

// What a walk over the thread's windows raises reaches its caller after the
// system's enumeration, never through it.
TEST(GuiWin32Failures, AWindowWalkThatRaisesStopsAndRaisesToItsCaller) {
  Scene scene;
  int visited = 0;
  EXPECT_THROW(ForEachThreadWindow([&](HWND) {
                 ++visited;
                 throw EGuiError("raised");
               }),
               EGuiError);
  EXPECT_EQ(visited, 1);
}

TEST(GuiWin32Failures, WithoutAHandlerRunRaisesTheFirstFailureAfterTheLoop) {
  Scene scene;
  scene.button.onClick = [] { throw EGuiError("first"); };
  PostMessageW(scene.button.Handle(), BM_CLICK, 0, 0);
  PostMessageW(scene.button.Handle(), BM_CLICK, 0, 0);
  try {
    scene.application.Run();
    ADD_FAILURE() << "Run returned normally";
  } catch (const EGuiError& e) {
    EXPECT_STREQ(e.what(), "first");
  }
  EXPECT_THROW(Application second, EGuiError) << "one application per process";
}

// A box is owned by the active form, so that it comes in front of it and
// blocks it; the error log's system-modal box keeps no owner.
TEST_F(GuiWin32, MessageBoxesBelongToTheActiveForm) {
  TestForm form({.caption = "Front", .client = {200, 100}, .stayOnTop = true});
  form.Show();
  SetActiveWindow(form.Handle());
  ASSERT_EQ(GetActiveWindow(), form.Handle());
  std::vector<MessageBoxRequest> boxes;
  ScopedMessageBoxHook hook([&](const MessageBoxRequest& request) { boxes.push_back(request); });
  ShowMessageBox({.text = "a file error", .caption = "Corvane"});
  ShowErrorBox("For more information see the log.");
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].owner, form.Handle());
  EXPECT_EQ(boxes[1].owner, nullptr);
}

TEST_F(GuiWin32, LayoutsAreScaledByTheDpiAndAgainOnDpiChange) {
  TestForm form({.caption = "Dpi", .client = {200, 100}, .minSize = {150, 120}});
  Button button({.parent = &form, .bounds = {10, 20, 60, 25}, .font = {.height = 13}, .text = "B"});
  StatusBar status({.parent = &form, .panelWidths = {80, 80, 50}});
  ASSERT_EQ(form.FormDpi(), 96) << "the test display runs at 96 dpi";
  EXPECT_EQ(ChildRect(button.Handle()), (Rect{10, 20, 60, 25}));

  RECT suggested{40, 30, 40 + 500, 30 + 300};
  SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(form.FormDpi(), 144);
  RECT window;
  GetWindowRect(form.Handle(), &window);
  EXPECT_EQ((Rect{window.left, window.top, window.right - window.left, window.bottom - window.top}),
            (Rect{40, 30, 500, 300}));
  EXPECT_EQ(ChildRect(button.Handle()), (Rect{15, 30, 90, 38}));
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(button.Handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, -20);
  int edges[3] = {};
  ASSERT_EQ(SendMessageW(status.Handle(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)), 3);
  EXPECT_EQ(edges[0], 120);
  EXPECT_EQ(edges[1], 240);
  EXPECT_EQ(edges[2], -1) << "the last panel takes the rest of the bar";
  MINMAXINFO limits{};
  SendMessageW(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  EXPECT_EQ(limits.ptMinTrackSize.x, 225);
  EXPECT_EQ(limits.ptMinTrackSize.y, 180);
  RECT client;
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(ChildRect(status.Handle()).Bottom(), client.bottom) << "the status bar stays docked at the bottom";
}

TEST_F(GuiWin32, FormsKeepTheirClientSizeAcrossMenusBordersAndStyles) {
  TestForm form({.caption = "Corvane", .client = {640, 480}, .borderWidth = 1});
  MainMenu menu(form);
  MenuItem& settings = menu.Add({.text = "  Settings  "});
  MenuItem& shot = menu.Add({.text = "SNAPSHOT"});
  EXPECT_EQ(form.ClientSize(), (Size{640, 480})) << "with a menu bar and an inner frame";
  settings.SetVisible(false);
  shot.SetVisible(false);
  EXPECT_EQ(GetMenu(form.Handle()), nullptr) << "no visible item, no bar";
  EXPECT_EQ(form.ClientSize(), (Size{640, 480}));
  settings.SetVisible(true);
  shot.SetVisible(true);
  EXPECT_EQ(GetMenuItemCount(GetMenu(form.Handle())), 2);
  EXPECT_EQ(form.ClientSize(), (Size{640, 480}));

  struct Case {
    BorderStyle border;
    DWORD present, absent, exPresent;
  };
  for (const Case& c : {Case{BorderStyle::Sizeable, WS_THICKFRAME | WS_MAXIMIZEBOX, 0, 0},
                        Case{BorderStyle::Dialog, WS_SYSMENU | WS_CAPTION, WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX,
                             WS_EX_DLGMODALFRAME},
                        Case{BorderStyle::ToolWindow, WS_CAPTION, WS_THICKFRAME, WS_EX_TOOLWINDOW},
                        Case{BorderStyle::SizeableToolWindow, WS_THICKFRAME, WS_MAXIMIZEBOX, WS_EX_TOOLWINDOW},
                        Case{BorderStyle::None, WS_POPUP, WS_CAPTION | WS_THICKFRAME, 0}}) {
    form.SetBorderStyle(c.border);
    DWORD style = DWORD(GetWindowLongPtrW(form.Handle(), GWL_STYLE));
    DWORD exStyle = DWORD(GetWindowLongPtrW(form.Handle(), GWL_EXSTYLE));
    EXPECT_EQ(style & c.present, c.present) << int(c.border);
    EXPECT_EQ(style & c.absent, 0u) << int(c.border);
    EXPECT_EQ(exStyle & c.exPresent, c.exPresent) << int(c.border);
  }
  form.SetBorderStyle(BorderStyle::Sizeable);
  form.Show();
  form.SetStayOnTop(true);
  EXPECT_TRUE(GetWindowLongPtrW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  // Wine 8 keeps WS_EX_TOPMOST after HWND_NOTOPMOST, so the way back is
  // not checked here.
}

TEST_F(GuiWin32, MenusShowShortCutsAndCheckMarksAndTheShortCutsWork) {
  TestForm form;
  MainMenu menu(form);
  MenuItem& preset = menu.Add({.text = "Preset"});
  int saves = 0, toggles = 0;
  MenuItem& save = preset.Add({.text = "Quick Save to File", .shortCut = "F2"});
  preset.AddSeparator();
  MenuItem& random = preset.Add({.text = "Random", .checked = true});
  MenuItem& about = preset.Add({.text = "About...", .shortCut = "Ctrl+F1"});
  save.onClick = [&] { ++saves; };
  about.onClick = [&] { ++toggles; };
  HMENU drop = GetSubMenu(GetMenu(form.Handle()), 0);
  ASSERT_NE(drop, nullptr);
  wchar_t text[64] = L"";
  GetMenuStringW(drop, 0, text, 64, MF_BYPOSITION);
  EXPECT_EQ(Narrow(text), "Quick Save to File\tF2");
  GetMenuStringW(drop, 3, text, 64, MF_BYPOSITION);
  EXPECT_EQ(Narrow(text), "About...\tCtrl+F1");
  EXPECT_TRUE(GetMenuState(drop, random.Id(), MF_BYCOMMAND) & MF_CHECKED);
  random.SetChecked(false);
  EXPECT_FALSE(GetMenuState(drop, random.Id(), MF_BYCOMMAND) & MF_CHECKED);
  save.SetEnabled(false);
  EXPECT_TRUE(GetMenuState(drop, save.Id(), MF_BYCOMMAND) & MF_GRAYED);
  save.SetEnabled(true);

  form.Show();
  PostMessageW(form.Handle(), WM_KEYDOWN, VK_F2, 0);
  PumpUntil(application, [&] { return saves == 1; }, "F2 through the accelerators");
  EXPECT_THROW(preset.Add({.text = "Bad", .shortCut = "Ctrl+Hyper"}), EGuiError);
}

TEST_F(GuiWin32, StatusPanelsTimersAndHintsWork) {
  TestForm form;
  StatusBar status({.parent = &form, .panelWidths = {80, 80, 50}});
  status.SetPanelText(1, " Changed");
  status.SetPanelText(0, " Ticks");
  wchar_t text[32] = L"";
  SendMessageW(status.Handle(), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(Narrow(text), " Changed");
  EXPECT_EQ(status.PanelText(0), " Ticks");
  EXPECT_THROW(status.SetPanelText(3, "x"), EGuiError);
  StatusBar simple({.parent = &form, .simpleText = "Status : UNKNOWN"});
  EXPECT_EQ(simple.PanelText(0), "Status : UNKNOWN");

  Button button({.parent = &form, .bounds = {10, 10, 60, 25}, .hint = "Motion blur", .text = "B"});
  ASSERT_NE(form.TooltipHandle(), nullptr);
  EXPECT_EQ(SendMessageW(form.TooltipHandle(), TTM_GETTOOLCOUNT, 0, 0), 1);
  wchar_t tip[32] = L"";
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = form.Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(button.Handle());
  tool.lpszText = tip;
  SendMessageW(form.TooltipHandle(), TTM_GETTEXTW, 32, reinterpret_cast<LPARAM>(&tool));
  EXPECT_EQ(Narrow(tip), "Motion blur");

  // Timers fire, and keep firing when the form's handle is made anew.
  int ticks = 0;
  Timer timer({.owner = &form, .intervalMs = 15});
  timer.onTimer = [&] { ++ticks; };
  PumpUntil(application, [&] { return ticks >= 2; }, "two timer ticks");
  HWND before = form.Handle();
  form.RecreateHandle();
  EXPECT_NE(form.Handle(), before);
  EXPECT_FALSE(IsWindow(before));
  EXPECT_EQ(GetParent(button.Handle()), form.Handle());
  EXPECT_EQ(form.destroying, 1);
  EXPECT_EQ(form.created, 1);
  EXPECT_EQ(SendMessageW(form.TooltipHandle(), TTM_GETTOOLCOUNT, 0, 0), 1);
  int later = ticks + 2;
  PumpUntil(application, [&] { return ticks >= later; }, "ticks after the new handle");
}

TEST_F(GuiWin32, MouseInputCarriesButtonsModifiersAndClientPositions) {
  TestForm form;
  form.Show();
  std::vector<std::string> seen;
  auto describe = [](const char* what, Shift shift, Point at) {
    std::string text = what;
    for (auto [flag, name] : {std::pair{Shift::Shift, " shift"}, {Shift::Ctrl, " ctrl"}, {Shift::Left, " left"},
                              {Shift::Right, " right"}, {Shift::Double, " double"}})
      if (Has(shift, flag)) text += name;
    return text + " " + std::to_string(at.x) + "," + std::to_string(at.y);
  };
  form.onMouseDown = [&](const MouseEvent& e) { seen.push_back(describe("down", e.shift, e.position)); };
  form.onMouseMove = [&](const MouseEvent& e) { seen.push_back(describe("move", e.shift, e.position)); };
  form.onMouseUp = [&](const MouseEvent& e) { seen.push_back(describe("up", e.shift, e.position)); };
  form.onMouseWheel = [&](WheelEvent& e) {
    seen.push_back(describe(e.delta > 0 ? "wheel+" : "wheel-", e.shift, e.position));
    e.handled = Has(e.shift, Shift::Right);
  };
  SendMessageW(form.Handle(), WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, MAKELPARAM(10, 20));
  EXPECT_EQ(GetCapture(), form.Handle()) << "a drag keeps the mouse";
  SendMessageW(form.Handle(), WM_MOUSEMOVE, MK_RBUTTON | MK_CONTROL, MAKELPARAM(-5, 30));
  POINT screen{7, 8};
  ClientToScreen(form.Handle(), &screen);
  SendMessageW(form.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_RBUTTON, WHEEL_DELTA), MAKELPARAM(screen.x, screen.y));
  SendMessageW(form.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(12, 22));
  EXPECT_NE(GetCapture(), form.Handle());
  SendMessageW(form.Handle(), WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(1, 2));
  EXPECT_EQ(seen, (std::vector<std::string>{"down shift right 10,20", "move ctrl right -5,30", "wheel+ right 7,8",
                                            "up 12,22", "down right double 1,2"}));
}

TEST_F(GuiWin32, KeyPreviewEventsAndClosingFollowTheFormsRules) {
  TestForm main({.caption = "Main", .client = {200, 100}, .keyPreview = true});
  Button inside({.parent = &main, .bounds = {10, 10, 60, 25}, .text = "B"});
  std::vector<Key> seen;
  main.onKeyDown = [&](KeyEvent& event) {
    seen.push_back(event.key);
    event.handled = event.key == VK_F5;
  };
  main.Show();
  PostMessageW(inside.Handle(), WM_KEYDOWN, VK_F5, 0);
  PostMessageW(main.Handle(), WM_KEYDOWN, VK_F6, 0);
  PumpUntil(application, [&] { return seen.size() >= 2; }, "two keys");
  EXPECT_EQ(seen, (std::vector<Key>{VK_F5, VK_F6})) << "each key once, whether to a control or to the form";

  std::vector<std::string> events;
  application.onMinimize = [&] { events.push_back("minimise"); };
  application.onRestore = [&] { events.push_back("restore"); };
  ShowWindow(main.Handle(), SW_MINIMIZE);
  ShowWindow(main.Handle(), SW_RESTORE);
  EXPECT_EQ(events, (std::vector<std::string>{"minimise", "restore"}));
  // Every top-level window hears the switch; it is reported once.
  SendMessageW(main.Handle(), WM_ACTIVATEAPP, TRUE, 0);
  application.onDeactivate = [&] { events.push_back("deactivate"); };
  application.onActivate = [&] { events.push_back("activate"); };
  events.clear();
  SendMessageW(main.Handle(), WM_ACTIVATEAPP, FALSE, 0);
  SendMessageW(application.OwnerHandle(), WM_ACTIVATEAPP, FALSE, 0);
  SendMessageW(application.OwnerHandle(), WM_ACTIVATEAPP, TRUE, 0);
  SendMessageW(main.Handle(), WM_ACTIVATEAPP, TRUE, 0);
  EXPECT_EQ(events, (std::vector<std::string>{"deactivate", "activate"}));

  TestForm tool({.caption = "Tool", .client = {100, 100}, .border = BorderStyle::ToolWindow});
  EXPECT_EQ(GetWindow(tool.Handle(), GW_OWNER), main.Handle()) << "later forms belong to the main form";
  bool allow = false;
  std::vector<std::string> shows;
  tool.onShow = [&] { shows.push_back("show"); };
  tool.onHide = [&] { shows.push_back("hide"); };
  tool.onCloseQuery = [&] { return allow; };
  tool.Show();
  tool.Close();
  EXPECT_TRUE(tool.Visible()) << "the close query kept it";
  allow = true;
  tool.Close();
  EXPECT_FALSE(tool.Visible());
  EXPECT_EQ(shows, (std::vector<std::string>{"show", "hide"}));
  EXPECT_FALSE(application.Terminated());
  main.Close();
  EXPECT_TRUE(application.Terminated()) << "closing the main form ends the application";
}

}  // namespace
}  // namespace corvane::gui

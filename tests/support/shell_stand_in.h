// A stand-in for the shell's notification area, which the tray tests talk to.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace tamrivo::test {

// A window of the shell's taskbar class in the test's own process. Shell_NotifyIconW looks the
// taskbar up by its class and takes the first one it finds, which is this newer window while
// it lives; the requests reach it as WM_COPYDATA with the command as dwData. It records them
// and answers as told (a shell that refuses icons answers FALSE).
class StandInShell {
 public:
  struct Request {
    DWORD command;  // NIM_ADD, NIM_MODIFY, NIM_DELETE
    // The record's leading fields, which every form of the request starts with.
    HWND window;
    UINT id;
    UINT flags;
    UINT callbackMessage;
  };

  explicit StandInShell(bool accept = true) : accept_(accept) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"Shell_TrayWnd";
    RegisterClassW(&windowClass);  // fails harmlessly when registered before
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"Shell_TrayWnd", nullptr, WS_POPUP, 0, 0, 0, 0,
                              nullptr, nullptr, windowClass.hInstance, this);
  }
  ~StandInShell() { DestroyWindow(window_); }
  StandInShell(const StandInShell&) = delete;
  StandInShell& operator=(const StandInShell&) = delete;

  bool found() const { return FindWindowW(L"Shell_TrayWnd", nullptr) == window_; }
  const std::vector<Request>& requests() const { return requests_; }
  void set_accept(bool accept) { accept_ = accept; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* self = static_cast<StandInShell*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<StandInShell*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_COPYDATA && self) {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      const auto* fields = static_cast<const uint32_t*>(data->lpData);
      if (data->cbData >= 16) {
        self->requests_.push_back({static_cast<DWORD>(data->dwData),
                                   reinterpret_cast<HWND>(static_cast<uintptr_t>(fields[0])),
                                   fields[1], fields[2], fields[3]});
      }
      return self->accept_;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HWND window_ = nullptr;
  bool accept_;
  std::vector<Request> requests_;
};

}  // namespace tamrivo::test

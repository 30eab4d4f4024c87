#include "message_box_closer.h"

#include <gtest/gtest.h>

namespace tamrivo::test {
namespace {

struct Search {
  const std::wstring* title;
  HWND found = nullptr;
};

BOOL CALLBACK MatchBox(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t name[16] = {}, title[128] = {};
  GetClassNameW(window, name, 16);
  // Read without a message: the box's own thread may be the one waiting for this one.
  InternalGetWindowText(window, title, 128);
  if (process != GetCurrentProcessId() || std::wstring(name) != L"#32770" || !IsWindowVisible(window)) {
    return TRUE;
  }
  if (!search->title->empty() && *search->title != title) return TRUE;
  search->found = window;
  return FALSE;
}

std::wstring TitleOf(HWND box) {
  wchar_t title[128] = {};
  InternalGetWindowText(box, title, 128);
  return title;
}

// The message is the box's static control 0xFFFF.
std::wstring TextOf(HWND box) {
  wchar_t text[512] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 512);
  return text;
}

}  // namespace

HWND FindMessageBox(const std::wstring& title) {
  Search search{&title};
  EnumWindows(MatchBox, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

MessageBoxCloser::MessageBoxCloser(Options options)
    : options_(std::move(options)), thread_([this] { Run(); }) {}

MessageBoxCloser::~MessageBoxCloser() {
  stop_ = true;
  thread_.join();
  if (forced_ > 0) {
    ADD_FAILURE() << forced_ << " message box(es) without the expected title stayed open past the deadline";
  }
}

std::vector<MessageBoxCloser::Box> MessageBoxCloser::seen() const {
  std::lock_guard lock(mutex_);
  return seen_;
}

bool MessageBoxCloser::WaitFor(int count) const {
  const DWORD start = GetTickCount();
  while (answered_ < count) {
    if (GetTickCount() - start > options_.deadlineMs) return false;
    Sleep(10);
  }
  return true;
}

void MessageBoxCloser::Run() {
  HWND stranger = nullptr;  // an open box of ours with another title, and since when
  DWORD strangerSince = 0;
  while (!stop_) {
    if (HWND box = FindMessageBox(options_.title)) {
      Box seen{TitleOf(box), TextOf(box)};
      if (options_.whileOpen) options_.whileOpen(box);
      {
        std::lock_guard lock(mutex_);
        seen_.push_back(std::move(seen));
      }
      ++answered_;  // before the press, which lets the waiting thread go on
      SendMessageW(GetDlgItem(box, options_.button), BM_CLICK, 0, 0);
      const DWORD pressed = GetTickCount();
      while (!stop_ && IsWindow(box) && GetTickCount() - pressed < options_.deadlineMs) Sleep(10);
      if (IsWindow(box)) PostMessageW(box, WM_CLOSE, 0, 0);
    } else if (HWND other = FindMessageBox()) {
      if (other != stranger) {
        stranger = other;
        strangerSince = GetTickCount();
      } else if (GetTickCount() - strangerSince > options_.deadlineMs) {
        ++forced_;
        PostMessageW(other, WM_CLOSE, 0, 0);
        stranger = nullptr;
      }
    }
    Sleep(20);
  }
}

}  // namespace tamrivo::test

// The user who answers message boxes: from a thread of its own, while the test's thread waits
// inside the box, it finds each visible box of this process with the expected title, keeps its
// title and text, and presses a button. A box the test did not expect, or no box at all, must
// not hang the test: after the deadline any box of this process is closed, and the miss is
// reported as a test failure.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tamrivo::test {

class MessageBoxCloser {
 public:
  struct Box {
    std::wstring title, text;
  };
  struct Options {
    std::wstring title;           // the expected title; empty for any
    int button = IDOK;            // the button to press
    DWORD deadlineMs = 30000;     // how long a box may stay open, or be awaited by WaitFor
    void (*whileOpen)(HWND box) = nullptr;  // runs on the closer's thread before the press
  };

  MessageBoxCloser() : MessageBoxCloser(Options{}) {}
  explicit MessageBoxCloser(std::wstring title) : MessageBoxCloser(Options{.title = std::move(title)}) {}
  explicit MessageBoxCloser(Options options);
  ~MessageBoxCloser();
  MessageBoxCloser(const MessageBoxCloser&) = delete;
  MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;

  // The boxes answered so far, in order.
  std::vector<Box> seen() const;
  int answered() const { return answered_; }
  // Waits (without pumping this thread's messages) until `count` boxes have been answered;
  // false after the deadline.
  bool WaitFor(int count) const;

 private:
  void Run();

  Options options_;
  mutable std::mutex mutex_;
  std::vector<Box> seen_;
  std::atomic<int> answered_{0};
  std::atomic<int> forced_{0};  // boxes closed at the deadline without being expected
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// The first visible message box of this process, or null; with a title, only a box of that
// title.
HWND FindMessageBox(const std::wstring& title = {});

}  // namespace tamrivo::test

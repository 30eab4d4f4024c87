// Catches ReportFatalError in a test: the box's text and caption are recorded, and the end of
// the process becomes an exception that unwinds back into the test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "services/fatal.h"

namespace tamrivo {

struct FatalErrorRaised {
  std::string text;
  std::string caption;
  int exitCode;
};

class CaptureFatalErrors {
 public:
  CaptureFatalErrors() : previous_(SetFatalErrorPlatform({ShowBox, EndProcess})) {}
  ~CaptureFatalErrors() { SetFatalErrorPlatform(previous_); }
  CaptureFatalErrors(const CaptureFatalErrors&) = delete;
  CaptureFatalErrors& operator=(const CaptureFatalErrors&) = delete;

 private:
  static void ShowBox(const char* text, const char* caption) {
    shown_ = {text, caption, 0};
  }
  [[noreturn]] static void EndProcess(int exitCode) {
    shown_.exitCode = exitCode;
    throw shown_;
  }

  static inline FatalErrorRaised shown_;
  FatalErrorPlatform previous_;
};

// Runs the call and returns what ReportFatalError showed; fails the test if it returned.
template <typename Call>
FatalErrorRaised ExpectFatalError(Call call) {
  CaptureFatalErrors capture;
  try {
    call();
  } catch (const FatalErrorRaised& raised) {
    return raised;
  }
  ADD_FAILURE() << "no fatal error was raised";
  return {};
}

}  // namespace tamrivo

#include "services/fatal.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace tamrivo {
namespace {

void WriteToStandardError(const char* text, const char* caption) {
  std::fprintf(stderr, "%s: %s\n", caption, text);
}

void ExitNow(int exitCode) { std::_Exit(exitCode); }

FatalErrorPlatform g_fatalPlatform = {WriteToStandardError, ExitNow};

}  // namespace

FatalErrorPlatform SetFatalErrorPlatform(const FatalErrorPlatform& platform) {
  FatalErrorPlatform previous = g_fatalPlatform;
  g_fatalPlatform = platform;
  return previous;
}

void ReportFatalError(const char* message) {
  std::string text = "运行时出错!\r\n\r\n";
  if (message && *message) {
    text += "错误信息：";
    text += message;
    text += "\r\n";
  }
  g_fatalPlatform.showBox(text.c_str(), "错误");
  g_fatalPlatform.endProcess(-1);
  std::abort();  // a platform whose end returns has broken its promise
}

}  // namespace tamrivo

// ReportFatalError: the one way a service stops the program. A message box with the caption
// "错误", then the end of the process with exit code -1.
#pragma once

namespace tamrivo {

// How the box is shown and the process ended. Tests replace it to see both without dying;
// InitializeRuntime installs the Windows message box and ExitProcess. The portable default
// writes to standard error and exits.
struct FatalErrorPlatform {
  void (*showBox)(const char* text, const char* caption);  // GBK texts
  void (*endProcess)(int exitCode);                        // does not return when real
};

// Installs a platform and returns the one it replaces.
FatalErrorPlatform SetFatalErrorPlatform(const FatalErrorPlatform& platform);

// Shows "运行时出错!\r\n\r\n" + ("错误信息：" + message + "\r\n" when the message is not empty),
// then ends the process with -1.
[[noreturn]] void ReportFatalError(const char* message);

}  // namespace tamrivo

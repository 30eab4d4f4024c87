#include "resident_memory.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace tamrivo::test {
namespace {

// The whole of a small /proc file; its size reads as 0, so it is read to the end.
std::string ReadProcFile(const std::wstring& path) {
  std::string content;
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (!file) return content;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof(buffer), file)) > 0;) content.append(buffer, got);
  std::fclose(file);
  return content;
}

std::string FileNameOf(std::string path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Wine opens files in its server, so /proc/self is the server. This process is the one that
// runs a program of our name in our Wine prefix: no other test of the prefix runs meanwhile.
std::wstring OwnProcDirectory() {
  char module[MAX_PATH]{};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  const std::string name = FileNameOf(module);
  const char* prefix = std::getenv("WINEPREFIX");
  if (!prefix) return {};
  const std::string prefixEntry = std::string("WINEPREFIX=") + prefix;

  WIN32_FIND_DATAW entry{};
  HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &entry);
  if (search == INVALID_HANDLE_VALUE) return {};
  std::wstring found;
  do {
    if (entry.cFileName[0] < L'0' || entry.cFileName[0] > L'9') continue;
    const std::wstring directory = std::wstring(L"Z:\\proc\\") + entry.cFileName;
    const std::string commandLine = ReadProcFile(directory + L"\\cmdline");
    if (_stricmp(FileNameOf(commandLine.c_str()).c_str(), name.c_str()) != 0) continue;
    const std::string environment = ReadProcFile(directory + L"\\environ");
    for (std::size_t at = 0; at < environment.size(); at += std::strlen(environment.c_str() + at) + 1) {
      if (std::strcmp(environment.c_str() + at, prefixEntry.c_str()) == 0) {
        found = directory;
        break;
      }
    }
  } while (found.empty() && FindNextFileW(search, &entry));
  FindClose(search);
  return found;
}

}  // namespace

long ResidentKilobytes() {
  static const std::wstring directory = OwnProcDirectory();
  if (directory.empty()) return -1;
  const std::string status = ReadProcFile(directory + L"\\status");
  const std::size_t at = status.find("VmRSS:");
  return at == std::string::npos ? -1 : std::strtol(status.c_str() + at + 6, nullptr, 10);
}

}  // namespace tamrivo::test

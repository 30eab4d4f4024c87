// A system-wide window hook, as security or accessibility software installs one, that refuses
// to let tamrivo.exe create its spinners. The program then cannot create its start-up window:
// the way to see its fatal start-up end without changing the program.
#include <windows.h>

#include <cwchar>

namespace {

bool InTamrivo() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const wchar_t* name = wcsrchr(path, L'\\');
  return name && lstrcmpiW(name + 1, L"tamrivo.exe") == 0;
}

// The class name may carry the version of the common controls: "6.0.2600.2982!msctls_updown32".
bool IsSpinner(const wchar_t* className) {
  if (IS_INTRESOURCE(className)) return false;
  const wchar_t* name = wcsrchr(className, L'!');
  return lstrcmpiW(name ? name + 1 : className, L"msctls_updown32") == 0;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK RefuseSpinners(int code, WPARAM wParam,
                                                                 LPARAM lParam) {
  if (code == HCBT_CREATEWND && IsSpinner(reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->lpszClass) &&
      InTamrivo()) {
    return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// AboutWindow: what the program is and who makes it, with the advertisement page. Opened
// modally by AboutRequested; closed by its close box or Esc.
#pragma once

#include <cstdint>

#include "ui/form.h"

namespace tamrivo {

extern const Form AboutWindow;

// The controls in form order: the first lies on top.
enum AboutWindowControl : int32_t {
  ContactLabel,  // 标签2
  SupportLabel,  // 标签1
  LeftMask,      // 图片框3
  TopMask,       // 图片框1
  AboutAdView,   // 超文本浏览框1
  AboutText,     // 透明标签1
  kAboutWindowControlCount
};

// The texts, for the tests that read them back from the live window.
extern const char kAboutText[];
extern const char kSupportText[];
extern const char kContactText[];

}  // namespace tamrivo

// Rules that keep MainWindow's numeric fields in range while the user types or steps them, the
// switch of the input fields between the two modes, and the tray-flash option. The handlers
// keep no state: everything they know is in the controls.
//
// Writing an edit box's text raises its text-changed event inside the write, so a value a
// spinner writes passes through the field's rule, and a rule's own correcting write enters the
// rule once more, finds the value in range and writes nothing.
#include <array>
#include <cstdint>
#include <optional>

#include "app/fields.h"
#include "app/handlers.h"
#include "services/convert.h"
#include "services/text.h"
#include "app/forms/main_window.h"
#include "ui/window.h"

namespace tamrivo {
namespace {

constexpr int32_t kUp = 1;  // a spinner's up arrow; every other direction counts as down

struct Bound {
  int32_t value;
  const char* text;
};

// Judged by the field's leading integer: a value below the lower bound becomes its text, one
// above the upper bound likewise. Whatever follows the leading number is left alone.
void KeepInRange(MainWindowControl edit, Bound lower, std::optional<Bound> upper) {
  const int32_t value = IntOf(edit);
  if (value < lower.value) {
    WriteText(edit, lower.text);
  } else if (upper && value > upper->value) {
    WriteText(edit, upper->text);
  }
}

void WriteNumber(MainWindowControl edit, double value) {
  const OwnedText text = ToText(value);
  WriteText(edit, text.get());
}

void SetDisabled(MainWindowControl control, bool disabled) {
  SetControlProperty(MainWindow, control, kDisabled, disabled ? 1 : 0);
}

// Enables the fields of one mode and disables those of the other, countdown fields first.
void EnableModeFields(bool countdown) {
  constexpr std::array kCountdownFields = {CountEdit, CountSpinner, UnitCombo};
  constexpr std::array kAtTimeFields = {HourEdit, HourSpinner, MinuteEdit, MinuteSpinner,
                                        HalfDayCombo};
  for (MainWindowControl control : kCountdownFields) SetDisabled(control, !countdown);
  for (MainWindowControl control : kAtTimeFields) SetDisabled(control, countdown);
}

}  // namespace

void CountEditChanged() { KeepInRange(CountEdit, {1, "1"}, std::nullopt); }

void HourEditChanged() { KeepInRange(HourEdit, {1, "1"}, Bound{12, "12"}); }

void MinuteEditChanged() { KeepInRange(MinuteEdit, {0, "0"}, Bound{59, "59"}); }

// The amount steps as a decimal number and keeps its fraction; it has no upper end. Down stops
// where the result would not stay above 0 (with a margin of 1e-7 for rounding).
void CountSpinnerPressed(int32_t direction) {
  const double amount = NumberOf(CountEdit);
  if (direction == kUp) {
    WriteNumber(CountEdit, amount + 1.0);
  } else if (amount - 1.0 > 0.0000001) {
    WriteNumber(CountEdit, amount - 1.0);
  }
}

// The hour and minute step their whole-number part. At its top the minute writes "59" again,
// which tidies a text such as "59abc"; the hour leaves its text alone there.
void HourSpinnerPressed(int32_t direction) {
  const int32_t hour = IntOf(HourEdit);
  if (direction == kUp) {
    if (hour < 12) WriteNumber(HourEdit, hour + 1.0);
  } else if (hour > 1) {
    WriteNumber(HourEdit, hour - 1.0);
  }
}

void MinuteSpinnerPressed(int32_t direction) {
  const int32_t minute = IntOf(MinuteEdit);
  if (direction == kUp) {
    if (minute >= 59) {
      WriteText(MinuteEdit, "59");
    } else {
      WriteNumber(MinuteEdit, minute + 1.0);
    }
  } else if (minute > 0) {
    WriteNumber(MinuteEdit, minute - 1.0);
  }
}

// A radio's clicked event comes after its check state changed. The timers are not touched: a
// running schedule keeps running when the other mode is chosen.
void CountdownRadioClicked() {
  if (IsChecked(CountdownRadio)) EnableModeFields(/*countdown=*/true);
}

void AtTimeRadioClicked() {
  if (IsChecked(AtTimeRadio)) EnableModeFields(/*countdown=*/false);
}

// Flashing the tray icon is not available; the check mark stays but has no effect.
void FlashCheckClicked() {
  if (IsChecked(FlashCheck)) ShowMessage("您的系统不支持，此项功能未完成", 48, "警告");
}

}  // namespace tamrivo

// The program's own event handlers, bound to MainWindow's events by its form.
#pragma once

#include <cstdint>

namespace tamrivo {

// Countdown and at-time schedules.
void StartStopClicked();
void CountdownTick();
void AtTimeTick();

// Input field rules.
void CountEditChanged();
void HourEditChanged();
void MinuteEditChanged();
void CountSpinnerPressed(int32_t direction);
void HourSpinnerPressed(int32_t direction);
void MinuteSpinnerPressed(int32_t direction);
void CountdownRadioClicked();
void AtTimeRadioClicked();
void FlashCheckClicked();

// The main window as a whole.
void MainWindowCreated();
void ClockTick();
bool CloseRequested();
void TrayNotified(int32_t type);
void ExitSelected();

// AboutButton and AboutItem: AboutWindow, modally, without a parent.
void AboutRequested();

}  // namespace tamrivo

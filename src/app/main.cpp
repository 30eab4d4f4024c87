// The program entry: the run, then the exit sequence with the run's exit code.
#include "app/main_window_events.h"
#include "ui/process.h"

int main() { return tamrivo::EndProcess(tamrivo::ProgramMain()); }

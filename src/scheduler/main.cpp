// The program entry: the run, then the exit sequence with the run's exit code.
#include "scheduler/main_window_events.h"
#include "system/process.h"

int main() { return tamrivo::EndProcess(tamrivo::ProgramMain()); }

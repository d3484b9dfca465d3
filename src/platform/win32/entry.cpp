// The program's entry point: the GUI subsystem's WinMain.

#include <windows.h>

#include "platform/platform.h"
#include "run/update_run.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandTail, int) {
  return qdbupd::RunUpdate(
      reinterpret_cast<qdbupd::platform::ModuleHandle>(instance),
      commandTail != nullptr ? commandTail : "");
}

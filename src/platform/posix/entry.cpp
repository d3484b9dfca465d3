// The native program's entry: the locale decides the code page of the
// texts, argv gives the command tail as Windows would hand it over.

#include <clocale>
#include <string>

#include "platform/posix/command_tail.h"
#include "run/update_run.h"

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  const std::string tail = qdbupd::platform::BuildCommandTail(argc, argv);
  return qdbupd::RunUpdate(nullptr, tail.c_str());
}

// Loading the setup library and finding its entry points.

#include <windows.h>

#include <cstring>

#include "platform/platform.h"

namespace qdbupd::platform {

namespace {

HMODULE ToModule(LibraryHandle library) {
  return reinterpret_cast<HMODULE>(library);
}

}  // namespace

LibraryHandle OpenLibrary(const char* path) {
  // The setup library's own dependencies lie beside it.
  return reinterpret_cast<LibraryHandle>(
      LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

void* FindEntryPoint(LibraryHandle library, const char* name) {
  // GetProcAddress would search the executable itself for a null module.
  if (library == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  FARPROC procedure = GetProcAddress(ToModule(library), name);
  // A function address travels as a plain pointer; C++ has no cast for it.
  void* address = nullptr;
  static_assert(sizeof(address) == sizeof(procedure));
  std::memcpy(&address, &procedure, sizeof(address));
  return address;
}

void CloseLibrary(LibraryHandle library) {
  if (library != nullptr) FreeLibrary(ToModule(library));
}

uint32_t LastErrorCode() { return GetLastError(); }

bool CopyFileOver(const char* from, const char* to) {
  return CopyFileA(from, to, FALSE) != FALSE;
}

}  // namespace qdbupd::platform

// HKEY_LOCAL_MACHINE, read only, through the registry's ANSI calls.

#include <windows.h>

#include "platform/platform.h"

namespace qdbupd::platform {

namespace {

HKEY RootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::kLocalMachine:
      break;
  }
  return HKEY_LOCAL_MACHINE;
}

}  // namespace

uint32_t OpenRegistryKey(RegistryRoot root, const char* subKey,
                         RegistryKey* key) {
  HKEY opened = nullptr;
  LONG result = RegOpenKeyExA(RootKey(root), subKey, 0, KEY_READ, &opened);
  if (result != ERROR_SUCCESS) return static_cast<uint32_t>(result);
  *key = reinterpret_cast<RegistryKey>(opened);
  return kErrorSuccess;
}

uint32_t QueryRegistryValue(RegistryKey key, const char* valueName, void* data,
                            uint32_t* size) {
  DWORD dataSize = *size;
  LONG result =
      RegQueryValueExA(reinterpret_cast<HKEY>(key), valueName, nullptr, nullptr,
                       static_cast<BYTE*>(data), &dataSize);
  *size = dataSize;
  return static_cast<uint32_t>(result);
}

void CloseRegistryKey(RegistryKey key) {
  if (key != nullptr) RegCloseKey(reinterpret_cast<HKEY>(key));
}

}  // namespace qdbupd::platform

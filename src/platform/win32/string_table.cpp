// RT_STRING blocks from the resources of a module.

#include <windows.h>

#include "platform/platform.h"

namespace qdbupd::platform {

bool FindStringBlock(ModuleHandle module, uint16_t blockId, uint16_t language,
                     StringBlock* block) {
  // A null instance stands for the executable itself, as it does for the
  // resource calls.
  HMODULE owner = module != nullptr ? reinterpret_cast<HMODULE>(module)
                                    : GetModuleHandleA(nullptr);
  HRSRC found = FindResourceExA(owner, reinterpret_cast<LPCSTR>(RT_STRING),
                                MAKEINTRESOURCEA(blockId), language);
  if (found == nullptr) return false;
  HGLOBAL loaded = LoadResource(owner, found);
  if (loaded == nullptr) return false;
  const void* data = LockResource(loaded);
  if (data == nullptr) {
    FreeResource(loaded);
    return false;
  }
  block->data = static_cast<const unsigned char*>(data);
  block->size = SizeofResource(owner, found);
  block->resource = loaded;
  return true;
}

void ReleaseStringBlock(const StringBlock& block) {
  if (block.resource != nullptr) {
    FreeResource(static_cast<HGLOBAL>(block.resource));
  }
}

}  // namespace qdbupd::platform

// The string-table blocks are compiled into the program (compiled_strings.h),
// so finding one is a look-up and releasing one does nothing.

#include "platform/platform.h"
#include "platform/posix/compiled_strings.h"

namespace qdbupd::platform {

bool FindStringBlock(ModuleHandle /*module*/, uint16_t blockId,
                     uint16_t language, StringBlock* block) {
  if (block == nullptr) return false;
  for (unsigned i = 0; i < kCompiledStringBlockCount; ++i) {
    const CompiledStringBlock& entry = kCompiledStringBlocks[i];
    if (entry.blockId == blockId && entry.language == language) {
      block->data = entry.data;
      block->size = entry.size;
      // The table entry itself stands for the loaded resource.
      block->resource = const_cast<CompiledStringBlock*>(&entry);
      return true;
    }
  }
  return false;
}

void ReleaseStringBlock(const StringBlock& /*block*/) {}

}  // namespace qdbupd::platform

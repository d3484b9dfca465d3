// The RT_STRING blocks of res/strings.rc, compiled into the native program by
// tools/rcstrings (the Windows build links the same script as resources).

#ifndef QDBUPD_PLATFORM_POSIX_COMPILED_STRINGS_H_
#define QDBUPD_PLATFORM_POSIX_COMPILED_STRINGS_H_

#include <cstdint>

namespace qdbupd::platform {

struct CompiledStringBlock {
  uint16_t blockId;
  uint16_t language;
  const unsigned char* data;
  uint32_t size;
};

extern const CompiledStringBlock kCompiledStringBlocks[];
extern const unsigned kCompiledStringBlockCount;

}  // namespace qdbupd::platform

#endif  // QDBUPD_PLATFORM_POSIX_COMPILED_STRINGS_H_

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/last_error.h"

namespace qdbupd::platform {

namespace {

struct LanguagePrefix {
  const char* prefix;
  uint16_t language;
};

constexpr LanguagePrefix kLanguages[] = {
    {"cs", 0x0405}, {"sk", 0x041B}, {"de", 0x0407}, {"es", 0x0C0A},
    {"fr", 0x040C}, {"it", 0x0410}, {"nl", 0x0413}, {"pl", 0x0415},
};
constexpr uint16_t kEnglishUs = 0x0409;

}  // namespace

uint32_t OwnModuleFileName(char* buffer, uint32_t size) {
  if (buffer == nullptr || size == 0) return 0;
  try {
    // readlink does not say how long the name is: grow until it fits.
    std::vector<char> name(256);
    for (;;) {
      ssize_t length = readlink("/proc/self/exe", name.data(), name.size());
      if (length < 0) {
        SetLastErrorCode(LastErrorFromErrno(errno));
        return 0;
      }
      if (static_cast<size_t>(length) < name.size()) {
        name.resize(static_cast<size_t>(length));
        break;
      }
      if (name.size() >= (1u << 20)) return 0;
      name.resize(name.size() * 2);
    }
    if (name.size() >= size) {
      // Windows cuts the name, ends it with a NUL and answers the size.
      std::memcpy(buffer, name.data(), size - 1);
      buffer[size - 1] = '\0';
      SetLastErrorCode(kErrorInsufficientBuffer);
      return size;
    }
    std::memcpy(buffer, name.data(), name.size());
    buffer[name.size()] = '\0';
    return static_cast<uint32_t>(name.size());
  } catch (const std::bad_alloc&) {
    SetLastErrorCode(kErrorNotEnoughMemory);
    return 0;
  }
}

uint16_t UserDefaultLanguage() {
  const char* locale = nullptr;
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') {
      locale = value;
      break;
    }
  }
  if (locale == nullptr) return kEnglishUs;
  const size_t prefixLength = std::strcspn(locale, "_.@");
  for (const LanguagePrefix& entry : kLanguages) {
    if (prefixLength == 2 && std::strncmp(locale, entry.prefix, 2) == 0) {
      return entry.language;
    }
  }
  return kEnglishUs;
}

}  // namespace qdbupd::platform

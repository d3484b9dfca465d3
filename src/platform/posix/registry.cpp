// HKEY_LOCAL_MACHINE of the POSIX layer: the registry file, parsed anew by
// every OpenRegistryKey; a key handle owns a copy of the key's values, so it
// stays valid whatever happens to the file afterwards.

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <utility>

#include "platform/platform.h"
#include "platform/posix/code_page.h"
#include "platform/posix/registry_file.h"
#include "platform/posix/whole_file.h"

namespace qdbupd::platform {

struct RegistryKeyTag {
  RegistryKeyData key;
};

namespace {

constexpr char kRegistryVariable[] = "QDBUPD_REGISTRY";
constexpr char kDefaultRegistryFile[] = "/etc/qdbupd/registry.reg";

std::string RegistryFileName() {
  const char* name = std::getenv(kRegistryVariable);
  return name != nullptr && *name != '\0' ? name : kDefaultRegistryFile;
}

bool IsText(uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// The value's data as RegQueryValueExA hands it out: text types converted
// from UTF-16LE to the ANSI code page, everything else as stored.
std::string AnsiData(const RegistryValue& value) {
  if (!IsText(value.type)) return value.data;
  std::u16string units;
  units.reserve(value.data.size() / 2);
  for (size_t i = 0; i + 1 < value.data.size(); i += 2) {
    units.push_back(static_cast<char16_t>(
        static_cast<unsigned char>(value.data[i]) |
        static_cast<unsigned char>(value.data[i + 1]) << 8));
  }
  return ConvertToAnsi(units);
}

}  // namespace

uint32_t OpenRegistryKey(RegistryRoot root, const char* subKey,
                         RegistryKey* key) {
  if (key == nullptr || root != RegistryRoot::kLocalMachine) {
    return kErrorInvalidParameter;
  }
  try {
    std::string bytes;
    RegistryTree tree = ParseRegistryFile(
        ReadWholeFile(RegistryFileName(), &bytes) ? std::string_view(bytes)
                                                  : std::string_view());
    const std::u16string path =
        ConvertToUtf16(AnsiCodePage(), subKey != nullptr ? subKey : "");
    auto found = tree.keys.find(RegistryKeyPath(path));
    if (found == tree.keys.end()) return kErrorFileNotFound;
    auto* handle = new (std::nothrow) RegistryKeyTag{std::move(found->second)};
    if (handle == nullptr) return kErrorNotEnoughMemory;
    *key = handle;
    return kErrorSuccess;
  } catch (const std::bad_alloc&) {
    return kErrorNotEnoughMemory;
  }
}

uint32_t QueryRegistryValue(RegistryKey key, const char* valueName, void* data,
                            uint32_t* size) {
  if (key == nullptr) return kErrorInvalidHandle;
  if (data != nullptr && size == nullptr) return kErrorInvalidParameter;
  try {
    const RegistryValue* value = FindRegistryValue(
        key->key,
        ConvertToUtf16(AnsiCodePage(), valueName != nullptr ? valueName : ""));
    if (value == nullptr) return kErrorFileNotFound;
    if (size == nullptr) return kErrorSuccess;
    const std::string bytes = AnsiData(*value);
    const uint32_t needed = static_cast<uint32_t>(bytes.size());
    if (data == nullptr) {
      *size = needed;
      return kErrorSuccess;
    }
    const uint32_t available = *size;
    *size = needed;
    if (available < needed) return kErrorMoreData;
    std::memcpy(data, bytes.data(), bytes.size());
    // Windows ends a text stored without its NUL when the buffer has room.
    if (IsText(value->type) && available > needed &&
        (needed == 0 || bytes.back() != '\0')) {
      static_cast<char*>(data)[needed] = '\0';
    }
    return kErrorSuccess;
  } catch (const std::bad_alloc&) {
    return kErrorNotEnoughMemory;
  }
}

void CloseRegistryKey(RegistryKey key) { delete key; }

}  // namespace qdbupd::platform

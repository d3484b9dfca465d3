// The registry file of the POSIX layer: the text that "reg export" writes
// ("Windows Registry Editor Version 5.00"), read into the keys and values
// below HKEY_LOCAL_MACHINE that "reg import" would make of it.
//
// The reading rules, in the terms of reg import:
// - The file is UTF-16LE when it starts with the byte order mark FF FE (an
//   odd last byte is ignored), else UTF-8 (with or without its byte order
//   mark); a malformed UTF-8 byte reads as U+FFFD.  Lines end in CR LF, LF or
//   CR.
// - The first line must be the version 5 header (white space around it is
//   ignored); otherwise the file holds no keys at all.
// - "[HKEY_LOCAL_MACHINE\Path]" starts a key (the name ends at the last ']'
//   of the line); every ancestor of a listed key exists too.  A key of
//   another root, a deletion "[-...]" or any other line starting with '['
//   starts nothing: the values after it are dropped until the next key.
// - "name"=data and @=data (the default value) set a value of the current
//   key: "text" with the escapes \\ \" \n \r (another escaped character
//   stands for itself, \0 makes the value invalid), dword: with 1 to 8 hex
//   digits, hex: and hex(type): with comma-separated bytes, continued on the
//   next line after a trailing backslash.  A ';' after the data starts a
//   comment.  Removals ("name"=-) are passed over.
// - Names of keys and values are compared without regard to case; when a
//   value is set twice, the later one wins (as reg import overwrites it).
// - A line that cannot be read (a malformed name or data) is skipped, and so
//   the value it would set is missing.

#ifndef QDBUPD_PLATFORM_POSIX_REGISTRY_FILE_H_
#define QDBUPD_PLATFORM_POSIX_REGISTRY_FILE_H_

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace qdbupd::platform {

// Registry value types (REG_*).
constexpr uint32_t kRegNone = 0;
constexpr uint32_t kRegSz = 1;
constexpr uint32_t kRegExpandSz = 2;
constexpr uint32_t kRegBinary = 3;
constexpr uint32_t kRegDword = 4;
constexpr uint32_t kRegMultiSz = 7;

struct RegistryValue {
  uint32_t type = kRegNone;
  // The data as the registry stores it: text types as UTF-16LE (a "text"
  // value with its terminating NUL), a dword as four little-endian bytes.
  std::string data;
};

struct RegistryKeyData {
  std::map<std::u16string, RegistryValue> values;  // by FoldRegistryName
};

struct RegistryTree {
  // Keys by RegistryKeyPath; the root (HKEY_LOCAL_MACHINE itself, path "")
  // is always there.
  std::map<std::u16string, RegistryKeyData> keys;
};

// The keys and values of a registry file's bytes.  Never fails: what cannot
// be read is missing from the result.  May throw std::bad_alloc.
RegistryTree ParseRegistryFile(std::string_view bytes);

// name in the form in which names are compared (upper case).
std::u16string FoldRegistryName(std::u16string_view name);

// A key path below the root in the form in which paths are compared: the
// folded names between the backslashes, empty ones dropped, joined by one
// backslash.
std::u16string RegistryKeyPath(std::u16string_view path);

// The key at path (any spelling), or null.
const RegistryKeyData* FindRegistryKey(const RegistryTree& tree,
                                       std::u16string_view path);

// The value called name (any spelling; empty for the default value), or
// null.
const RegistryValue* FindRegistryValue(const RegistryKeyData& key,
                                       std::u16string_view name);

}  // namespace qdbupd::platform

#endif  // QDBUPD_PLATFORM_POSIX_REGISTRY_FILE_H_

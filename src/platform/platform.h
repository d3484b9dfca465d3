// The platform seam: every operating-system service that qdbupd uses, as plain
// functions with the meaning of the Win32 call named beside each one.
//
// Exactly one implementation is compiled: win32/ calls the real API, posix/ is
// qdbupd's own small layer with the same observable behaviour (results, sizes,
// error codes).  No other file of the program names an operating-system API.
//
// On POSIX every path handed to a file, profile or library call has each
// backslash turned into a slash; nothing else in a path is rewritten.

#ifndef QDBUPD_PLATFORM_PLATFORM_H_
#define QDBUPD_PLATFORM_PLATFORM_H_

#include <cstdint>

namespace qdbupd::platform {

// Windows error codes that the seam hands back.
constexpr uint32_t kErrorSuccess = 0;
constexpr uint32_t kErrorFileNotFound = 2;
constexpr uint32_t kErrorInvalidHandle = 6;
constexpr uint32_t kErrorNotEnoughMemory = 8;
constexpr uint32_t kErrorInvalidParameter = 87;
constexpr uint32_t kErrorInsufficientBuffer = 122;
constexpr uint32_t kErrorModNotFound = 126;
constexpr uint32_t kErrorProcNotFound = 127;
constexpr uint32_t kErrorMoreData = 234;

// ---------------------------------------------------------------------------
// Registry, read only, below HKEY_LOCAL_MACHINE.
//
// POSIX: HKEY_LOCAL_MACHINE is the registry file named by the environment
// variable QDBUPD_REGISTRY (default /etc/qdbupd/registry.reg), in the format
// that "reg export" writes.  The file is read again by every OpenRegistryKey.

enum class RegistryRoot { kLocalMachine };

struct RegistryKeyTag;
using RegistryKey = RegistryKeyTag*;

// RegOpenKeyExA(root, subKey, 0, KEY_READ, key).  Returns 0 and sets *key, or
// a Windows error code (2 for a missing key) with *key left untouched.
[[nodiscard]] uint32_t OpenRegistryKey(RegistryRoot root, const char* subKey,
                                       RegistryKey* key);

// RegQueryValueExA(key, valueName, nullptr, nullptr, data, size).  With a null
// data pointer only *size is set to the data size.  Returns 0, 2 for a missing
// value, or 234 when *size is smaller than the data (then *size is set to the
// data size and the buffer's contents are undefined).  A text value's data is
// its text in the ANSI code page with the terminating NUL.
[[nodiscard]] uint32_t QueryRegistryValue(RegistryKey key,
                                          const char* valueName, void* data,
                                          uint32_t* size);

// RegCloseKey.  A null key is ignored.
void CloseRegistryKey(RegistryKey key);

// ---------------------------------------------------------------------------
// Private profile (".ini") reading.

// GetPrivateProfileStringA(section, key, defaultValue, buffer, size, file)
// with a non-null section and key.  Writes the value (or the default) cut to
// size - 1 bytes and a NUL; returns the number of bytes before the NUL.  A
// missing file, section or key gives the default.  Section and key names are
// matched without regard to case; white space around names and values is
// trimmed; one pair of enclosing quotes is removed; the first of duplicate
// sections and keys wins.
uint32_t ReadProfileString(const char* section, const char* key,
                           const char* defaultValue, char* buffer,
                           uint32_t size, const char* fileName);

// ---------------------------------------------------------------------------
// String-table resources of the program's own module.

// The module instance handed to the entry point.  POSIX ignores it: the texts
// are compiled into the program.
struct ModuleTag;
using ModuleHandle = ModuleTag*;

// One loaded RT_STRING block: 16 entries, each a little-endian 16-bit count
// of UTF-16 code units followed by that many code units.
struct StringBlock {
  const unsigned char* data = nullptr;
  uint32_t size = 0;
  void* resource = nullptr;  // what ReleaseStringBlock hands back
};

// FindResourceExA(module, RT_STRING, blockId, language) and LoadResource.
// Returns false, with *block untouched, when either fails.
[[nodiscard]] bool FindStringBlock(ModuleHandle module, uint16_t blockId,
                                   uint16_t language, StringBlock* block);

// FreeResource on a block that FindStringBlock loaded.
void ReleaseStringBlock(const StringBlock& block);

// ---------------------------------------------------------------------------
// Code pages.

// GetACP.  POSIX: the number of the locale's character set (as selected by
// setlocale(LC_ALL, "")): 65001 for UTF-8, 20127 for ASCII (the C locale),
// 2859x for ISO-8859-x, n for CPn.
uint32_t AnsiCodePage();

// WideCharToMultiByte(codePage, WC_COMPOSITECHECK | WC_SEPCHARS, units,
// count, out, capacity, nullptr, nullptr) (the flags are dropped for the code
// pages that refuse them, such as UTF-8).  Returns the number of bytes
// written; 0 when the code page is unknown or the output does not fit in
// capacity bytes (then out is undefined).  With capacity 0 nothing is
// written and the number of bytes needed is returned.  A count of -1 converts
// up to and including the terminating NUL; otherwise no NUL is added.  A
// character that the code page cannot represent becomes the code page's
// default character ('?'), one for each of its UTF-16 units; in UTF-8 an
// unpaired surrogate becomes U+FFFD.
int ConvertFromUtf16(uint32_t codePage, const char16_t* units, int count,
                     char* out, int capacity);

// The length in bytes (at least 1, at most available) of the character of
// the ANSI code page that starts at text: 2 for the lead byte of a
// double-byte character (IsDBCSLeadByte) when its second byte is there, else
// 1.  POSIX: as mblen in the program's locale.
int AnsiCharLength(const char* text, uint32_t available);

// ---------------------------------------------------------------------------
// Message box.

constexpr uint32_t kMessageBoxOk = 0x00;
constexpr uint32_t kMessageBoxIconError = 0x10;
constexpr uint32_t kMessageBoxIconInformation = 0x40;

// MessageBoxA(nullptr, text, title, flags); waits until the box is closed.
// POSIX: the title and the text are written to standard error when flags
// hold the error icon, else to standard output; nothing is awaited.
void ShowMessageBox(const char* text, const char* title, uint32_t flags);

// ---------------------------------------------------------------------------
// Process.

// GetModuleFileNameA(nullptr, buffer, size): the full file name of the
// running executable.  Returns its length, 0 on failure; a name that does not
// fit is cut to size - 1 bytes and NUL-terminated, and then size is returned
// and LastErrorCode() gives 122.
uint32_t OwnModuleFileName(char* buffer, uint32_t size);

// GetUserDefaultLangID.  POSIX: from LC_ALL, LC_MESSAGES, LANG.
uint16_t UserDefaultLanguage();

// ---------------------------------------------------------------------------
// Libraries.

struct LibraryTag;
using LibraryHandle = LibraryTag*;

// LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH).  Null on
// failure.  POSIX: dlopen of the file by its full name.
LibraryHandle OpenLibrary(const char* path);

// GetProcAddress.  Null when the library has no such export; LastErrorCode()
// then tells why (127 for a missing entry point).
void* FindEntryPoint(LibraryHandle library, const char* name);

// FreeLibrary.  A null handle is ignored.
void CloseLibrary(LibraryHandle library);

// GetLastError: the error code of the last failing call above.
uint32_t LastErrorCode();

// CopyFileA(from, to, FALSE): replaces an existing target.  True on success.
bool CopyFileOver(const char* from, const char* to);

// ---------------------------------------------------------------------------
// The C runtime's low-level file calls.

constexpr int kSeekSet = 0;
constexpr int kSeekCur = 1;
constexpr int kSeekEnd = 2;

// _open(path, _O_RDONLY | _O_BINARY): read only, no text translation, no
// sharing restrictions.  -1 on failure, with the reason in ErrorNumber().
int FileOpenReadOnly(const char* path);
int FileRead(int descriptor, void* buffer, uint32_t count);          // _read
int FileWrite(int descriptor, const void* buffer, uint32_t count);   // _write
int32_t FileSeek(int descriptor, int32_t offset, int origin);        // _lseek
int FileCommit(int descriptor);                                      // _commit
int FileClose(int descriptor);                                       // _close
int FileUnlink(const char* path);                                    // _unlink
int ErrorNumber();                                                   // errno

}  // namespace qdbupd::platform

#endif  // QDBUPD_PLATFORM_PLATFORM_H_

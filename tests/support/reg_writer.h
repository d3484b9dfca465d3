// Writes registry fixtures in the format that "reg export" writes:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_LOCAL_MACHINE\Software\...]
//   "name"="text"
//   "number"=dword:0000045a
//   "bytes"=hex:01,02
//   "other"=hex(2):41,00,00,00
//
// Texts are given as UTF-8; the file is saved as UTF-16LE with a byte order
// mark (what "reg export" writes) or as UTF-8.

#ifndef QDBUPD_TESTS_SUPPORT_REG_WRITER_H_
#define QDBUPD_TESTS_SUPPORT_REG_WRITER_H_

#include <cstdint>
#include <string>
#include <vector>

namespace qdbupd::testing {

// The installation key of the product, below HKEY_LOCAL_MACHINE.
inline const char kMachineRoot[] = "HKEY_LOCAL_MACHINE";

class RegWriter {
 public:
  enum class Encoding { kUtf16, kUtf8 };

  // Starts the key at path, written as "[path]"; e.g.
  // "HKEY_LOCAL_MACHINE\\Software\\Brantel Software\\Pelnor\\4.0".
  RegWriter& Key(const std::string& path);
  // "name"="value", with \ and " escaped.  An empty name writes @ (the
  // key's default value).
  RegWriter& String(const std::string& name, const std::string& value);
  // "name"=dword:xxxxxxxx
  RegWriter& Dword(const std::string& name, uint32_t value);
  // "name"=hex:.. for type 3 (REG_BINARY), "name"=hex(t):.. otherwise.
  RegWriter& Hex(const std::string& name, const std::string& bytes,
                 uint32_t type = 3);
  // A line exactly as given, for malformed fixtures.
  RegWriter& Raw(const std::string& line);
  // Replaces the first line (normally the format header).
  RegWriter& Header(const std::string& line);

  // The file's text, lines ending in CR LF, as UTF-8.
  std::string Text() const;
  // Writes the file; fails the current test when it cannot.
  void Save(const std::string& path, Encoding encoding = Encoding::kUtf16) const;

 private:
  std::string header_ = "Windows Registry Editor Version 5.00";
  std::vector<std::string> lines_;
};

// UTF-8 to UTF-16LE bytes (with no byte order mark).
std::string Utf8ToUtf16Le(const std::string& text);

}  // namespace qdbupd::testing

#endif  // QDBUPD_TESTS_SUPPORT_REG_WRITER_H_

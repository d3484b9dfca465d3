// Test support on Windows: registry fixtures imported with reg.exe, the
// environment, and child processes with their output in files.

#include <windows.h>

#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/testing.h"

namespace qdbupd::platform::testing {

namespace {

class UniqueHandle {
 public:
  explicit UniqueHandle(HANDLE handle = nullptr) : handle_(handle) {}
  ~UniqueHandle() {
    if (valid()) CloseHandle(handle_);
  }
  UniqueHandle(UniqueHandle&& other) noexcept
      : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&&) = delete;

  bool valid() const {
    return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE;
  }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

class UniqueKey {
 public:
  UniqueKey() = default;
  ~UniqueKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  UniqueKey(const UniqueKey&) = delete;
  UniqueKey& operator=(const UniqueKey&) = delete;

  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// Where this process keeps its copy of HKEY_LOCAL_MACHINE: one key per
// process below the current user, so that test programs running side by
// side do not share fixtures.
const std::string& TestKeyPath() {
  static const std::string path =
      "Software\\QdbupdTests\\Machine-" + std::to_string(GetCurrentProcessId());
  return path;
}

// Removes the test key when the test program ends.
class TestKeyCleanup {
 public:
  ~TestKeyCleanup() {
    if (!used_) return;
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegDeleteTreeA(HKEY_CURRENT_USER, TestKeyPath().c_str());
  }
  void Use() { used_ = true; }

 private:
  bool used_ = false;
};

TestKeyCleanup test_key_cleanup;

// An inheritable handle for a child's standard stream; "" is the null
// device.
UniqueHandle OpenForChild(const std::string& path, bool write) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  const char* name = path.empty() ? "NUL" : path.c_str();
  return UniqueHandle(CreateFileA(
      name, write ? GENERIC_WRITE : GENERIC_READ,
      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
      write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Starts commandLine with the given standard streams, waits for it and
// returns its exit code; -1 when it cannot be started.
int RunWithStreams(const std::string& commandLine, HANDLE input, HANDLE output,
                   HANDLE error) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = output;
  startup.hStdError = error;
  PROCESS_INFORMATION started{};
  // CreateProcessA may write into the command line.
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                      nullptr, &startup, &started)) {
    return -1;
  }
  UniqueHandle process(started.hProcess);
  UniqueHandle thread(started.hThread);
  WaitForSingleObject(process.get(), INFINITE);
  DWORD exitCode = 0;
  if (!GetExitCodeProcess(process.get(), &exitCode)) return -1;
  return static_cast<int>(exitCode);
}

// Runs one of the system's own tools quietly and returns its exit code; -1
// when it cannot be started.
int RunSystemTool(const std::string& tool, const std::string& arguments) {
  char systemFolder[MAX_PATH];
  UINT length = GetSystemDirectoryA(systemFolder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return -1;
  UniqueHandle input = OpenForChild("", false);
  UniqueHandle output = OpenForChild("", true);
  std::string commandLine =
      "\"" + std::string(systemFolder) + "\\" + tool + "\" " + arguments;
  return RunWithStreams(commandLine, input.get(), output.get(), output.get());
}

bool ReadWholeFile(const std::string& path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in),
                std::istreambuf_iterator<char>());
  return !in.bad();
}

// A fixture's text as UTF-16: reg.exe reads only UTF-16LE with a byte order
// mark, while fixtures may also be UTF-8 (with or without its mark).
bool FixtureText(const std::string& bytes, std::wstring* text) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    text->clear();
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      text->push_back(
          static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                               static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    return true;
  }
  std::string utf8 = bytes;
  if (utf8.compare(0, 3, "\xEF\xBB\xBF") == 0) utf8.erase(0, 3);
  text->clear();
  if (utf8.empty()) return true;
  int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(),
                                   static_cast<int>(utf8.size()), nullptr, 0);
  if (length <= 0) return false;
  text->resize(static_cast<size_t>(length));
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                      text->data(), length);
  return true;
}

// Moves every key of HKEY_LOCAL_MACHINE in the text below newRoot: the key
// lines "[HKEY_LOCAL_MACHINE...]" and "[-HKEY_LOCAL_MACHINE...]".
std::wstring MoveMachineKeys(const std::wstring& text,
                             const std::wstring& newRoot) {
  static const wchar_t kMachine[] = L"HKEY_LOCAL_MACHINE";
  const size_t machineLength = sizeof(kMachine) / sizeof(kMachine[0]) - 1;
  std::wstring moved;
  size_t lineStart = 0;
  while (lineStart < text.size()) {
    size_t lineEnd = text.find(L'\n', lineStart);
    if (lineEnd == std::wstring::npos) lineEnd = text.size();
    std::wstring line = text.substr(lineStart, lineEnd - lineStart);
    size_t name = line.find_first_not_of(L" \t");
    if (name != std::wstring::npos && line[name] == L'[') {
      ++name;
      if (name < line.size() && line[name] == L'-') ++name;
      size_t after = name + machineLength;
      if (after < line.size() &&
          CompareStringOrdinal(
              line.c_str() + name, static_cast<int>(machineLength), kMachine,
              static_cast<int>(machineLength), TRUE) == CSTR_EQUAL &&
          (line[after] == L'\\' || line[after] == L']')) {
        line.replace(name, machineLength, newRoot);
      }
    }
    moved += line;
    if (lineEnd < text.size()) moved += L'\n';
    lineStart = lineEnd + 1;
  }
  return moved;
}

// Writes text as UTF-16LE with a byte order mark to a new temporary file and
// returns its path; "" when that fails.
std::string WriteTemporaryRegFile(const std::wstring& text) {
  char folder[MAX_PATH];
  char path[MAX_PATH];
  DWORD length = GetTempPathA(MAX_PATH, folder);
  if (length == 0 || length >= MAX_PATH) return "";
  if (GetTempFileNameA(folder, "qdb", 0, path) == 0) return "";
  std::string bytes = "\xFF\xFE";
  for (wchar_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>((unit >> 8) & 0xFF));
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    DeleteFileA(path);
    return "";
  }
  return path;
}

// Imports a fixture (moved below newRoot unless that is empty) with
// "reg import".  A damaged fixture is no failure: reg.exe takes what it can
// read of it, or nothing, and the registry then lacks the rest, as a damaged
// registry file does natively.  False when the import could not be tried.
bool ImportFixture(const std::string& regFile, const std::wstring& newRoot) {
  std::string bytes;
  std::wstring text;
  if (!ReadWholeFile(regFile, &bytes) || !FixtureText(bytes, &text)) {
    return false;
  }
  if (!newRoot.empty()) text = MoveMachineKeys(text, newRoot);
  std::string temporary = WriteTemporaryRegFile(text);
  if (temporary.empty()) return false;
  int exitCode = RunSystemTool("reg.exe", "import \"" + temporary + "\"");
  DeleteFileA(temporary.c_str());
  return exitCode != -1;
}

std::wstring Widen(const std::string& ascii) {
  return std::wstring(ascii.begin(), ascii.end());
}

}  // namespace

bool UseRegistryFixture(const std::string& regFile) {
  test_key_cleanup.Use();
  // The previous fixture's override would send nothing astray (the key
  // lives below the current user), but its handle goes with the key.
  RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
  LONG deleted = RegDeleteTreeA(HKEY_CURRENT_USER, TestKeyPath().c_str());
  if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) {
    return false;
  }
  if (!regFile.empty() &&
      !ImportFixture(regFile, Widen("HKEY_CURRENT_USER\\" + TestKeyPath()))) {
    return false;
  }
  UniqueKey key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, TestKeyPath().c_str(), 0, nullptr, 0,
                      KEY_ALL_ACCESS, nullptr, key.out(),
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  // The system keeps its own handle to the key.
  return RegOverridePredefKey(HKEY_LOCAL_MACHINE, key.get()) == ERROR_SUCCESS;
}

bool UseRegistryForChildren(const std::string& regFile) {
  // A missing key is no failure here; reg.exe answers 1 for it.
  RunSystemTool("reg.exe", "delete \"HKLM\\Software\\Brantel Software\" /f");
  return regFile.empty() || ImportFixture(regFile, L"");
}

void SetEnvironment(const std::string& name, const char* value) {
  SetEnvironmentVariableA(name.c_str(), value);
  // The C runtime keeps a copy of its own for getenv.
  std::string assignment = name + "=" + (value != nullptr ? value : "");
  _putenv(assignment.c_str());
}

int RunProcess(const std::string& commandLine, const std::string& outFile,
               const std::string& errFile) {
  UniqueHandle input = OpenForChild("", false);
  UniqueHandle output = OpenForChild(outFile, true);
  UniqueHandle error = OpenForChild(errFile, true);
  if (!input.valid() || !output.valid() || !error.valid()) return -1;
  return RunWithStreams(commandLine, input.get(), output.get(), error.get());
}

}  // namespace qdbupd::platform::testing

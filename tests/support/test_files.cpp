#include "support/test_files.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

namespace qdbupd::testing {

namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  fs::path base = fs::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::ostringstream name;
    name << "qdbupd-test-" << random() << "-" << counter++;
    fs::path candidate = base / name.str();
    std::error_code error;
    if (fs::create_directory(candidate, error)) {
      path_ = candidate.make_preferred().string();
      return;
    }
  }
  ADD_FAILURE() << "cannot make a temporary folder in " << base.string();
}

TempDir::~TempDir() {
  if (path_.empty()) return;
  std::error_code error;
  fs::remove_all(path_, error);
}

std::string TempDir::File(const std::string& name) const {
  return (fs::path(path_) / fs::path(name)).make_preferred().string();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  fs::path target(path);
  std::error_code error;
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), error);
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) ADD_FAILURE() << "cannot write " << path;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(fs::path(path), std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

}  // namespace qdbupd::testing

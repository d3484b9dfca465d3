#include "install/installation.h"

#include <cstring>
#include <memory>
#include <new>

namespace qdbupd {

namespace {

constexpr char kKeyPrefix[] = "Software\\Brantel Software\\Pelnor\\";
constexpr char kKeyVersion[] = "4.0";
constexpr char kProgramFolderValue[] = "Pelnor4ProgramFolder";
constexpr char kProductValue[] = "Product";
constexpr char kSetupVersionValue[] = "SetupVersion";
constexpr char kSetupSubfolder[] = "\\setup\\";
constexpr char kDefaultProduct[] = "ed_alpha";
constexpr char kDefaultOemProduct[] = "oem";

// Closes the key on every path out of a read.
class OpenKey {
 public:
  uint32_t Open(platform::RegistryRoot root, const std::string& subKey) {
    return platform::OpenRegistryKey(root, subKey.c_str(), &key_);
  }
  ~OpenKey() { platform::CloseRegistryKey(key_); }
  OpenKey() = default;
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;

  platform::RegistryKey get() const { return key_; }

 private:
  platform::RegistryKey key_ = nullptr;
};

std::string InstallationKey(const RunOptions& options) {
  std::string key = kKeyPrefix;
  if (options.IsOem()) key += options.oemName + "\\";
  return key + kKeyVersion;
}

}  // namespace

uint32_t ReadRegistryString(platform::RegistryRoot root,
                            const std::string& subKey, const char* valueName,
                            std::string* text) {
  OpenKey key;
  uint32_t error = key.Open(root, subKey);
  if (error != platform::kErrorSuccess) return error;
  uint32_t size = 0;
  error = platform::QueryRegistryValue(key.get(), valueName, nullptr, &size);
  if (error != platform::kErrorSuccess) return error;
  std::unique_ptr<char[]> data(new (std::nothrow) char[size == 0 ? 1 : size]);
  if (!data) return platform::kErrorNotEnoughMemory;
  error = platform::QueryRegistryValue(key.get(), valueName, data.get(), &size);
  if (error == platform::kErrorSuccess) {
    const void* nul = std::memchr(data.get(), '\0', size);
    size_t length = nul ? static_cast<size_t>(static_cast<const char*>(nul) - data.get())
                        : size;
    text->assign(data.get(), length);
  }
  return error;
}

uint32_t ReadRegistryDword(platform::RegistryRoot root,
                           const std::string& subKey, const char* valueName,
                           int32_t* number) {
  OpenKey key;
  uint32_t error = key.Open(root, subKey);
  if (error != platform::kErrorSuccess) return error;
  unsigned char data[4] = {0, 0, 0, 0};
  uint32_t size = sizeof data;
  error = platform::QueryRegistryValue(key.get(), valueName, data, &size);
  if (error == platform::kErrorSuccess) {
    uint32_t value = static_cast<uint32_t>(data[0]) |
                     static_cast<uint32_t>(data[1]) << 8 |
                     static_cast<uint32_t>(data[2]) << 16 |
                     static_cast<uint32_t>(data[3]) << 24;
    *number = static_cast<int32_t>(value);
  }
  return error;
}

std::string PackageFileNameFor(const std::string& product) {
  static const struct {
    const char* product;
    const char* fileName;
  } kPackages[] = {
      {"ed_alpha", "prod-ed_alpha.qdu"},
      {"ed_beta", "prod-ed_beta.qdu"},
      {"oem", "prod-ed_oem.qdu"},
      {"ed_gamma", "prod-ed_gamma.qdu"},
  };
  for (const auto& entry : kPackages) {
    if (product == entry.product) return entry.fileName;
  }
  return std::string();
}

bool DiscoverInstallation(const RunOptions& options, InstallInfo* info,
                          PartTable* table) {
  const auto root = platform::RegistryRoot::kLocalMachine;
  info->registryKey = InstallationKey(options);

  // Read errors are not kept: what was not read leaves the preset default,
  // and the defaults alone decide.
  info->programFolder.clear();
  (void)ReadRegistryString(root, info->registryKey, kProgramFolderValue,
                           &info->programFolder);
  if (info->programFolder.empty()) return false;
  // Taken as it stands: a folder ending in a backslash gets a second one.
  info->setupFolder = info->programFolder + kSetupSubfolder;

  info->product.clear();
  (void)ReadRegistryString(root, info->registryKey, kProductValue,
                           &info->product);
  if (info->product.empty()) {
    info->product = options.IsOem() ? kDefaultOemProduct : kDefaultProduct;
  }

  info->setupVersion = kNoVersion;
  (void)ReadRegistryDword(root, info->registryKey, kSetupVersionValue,
                          &info->setupVersion);
  table->installedSetupVersion = info->setupVersion;
  if (info->setupVersion == kNoVersion) return false;

  info->packageFileName = PackageFileNameFor(info->product);
  return true;
}

}  // namespace qdbupd

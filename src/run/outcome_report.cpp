#include "run/outcome_report.h"

#include <cstdarg>
#include <cstdio>
#include <utility>

namespace qdbupd {

namespace {

constexpr uint32_t kStringsPerBlock = 16;
constexpr uint32_t kMessageCapacity = 32768;
constexpr size_t kValueCapacity = 256;

uint32_t ReadU16(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8;
}

// Holds a loaded string block until the lookup is done.
class LoadedBlock {
 public:
  explicit LoadedBlock(const platform::StringBlock& block) : block_(block) {}
  ~LoadedBlock() { platform::ReleaseStringBlock(block_); }
  LoadedBlock(const LoadedBlock&) = delete;
  LoadedBlock& operator=(const LoadedBlock&) = delete;

 private:
  platform::StringBlock block_;
};

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Format(const char* format, ...) {
  char buffer[kValueCapacity];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

std::string Hex32(uint32_t value) { return Format("0x%08X", value); }

}  // namespace

uint32_t LoadMessageText(platform::ModuleHandle module, uint32_t id,
                         char* buffer, uint32_t capacity, uint16_t language) {
  const uint16_t blockId = static_cast<uint16_t>(id / kStringsPerBlock + 1);
  const uint32_t entry = id % kStringsPerBlock;
  platform::StringBlock block;
  if (capacity == 0 ||
      !platform::FindStringBlock(module, blockId, language, &block)) {
    return 0;
  }
  LoadedBlock holder(block);
  // Walk the counted entries; a block cut short ends the walk.
  uint32_t offset = 0;
  for (uint32_t i = 0;; ++i) {
    if (offset + 2 > block.size) return 0;
    const uint32_t count = ReadU16(block.data + offset);
    offset += 2;
    if (count > (block.size - offset) / 2) return 0;
    if (i == entry) {
      if (count == 0) return 0;
      // The units may sit at any alignment inside the resource.
      std::u16string units(count, u'\0');
      for (uint32_t k = 0; k < count; ++k) {
        units[k] = static_cast<char16_t>(ReadU16(block.data + offset + 2 * k));
      }
      // A capacity of 0 would ask the conversion for the size it needs.
      int written = 0;
      if (capacity > 1) {
        written = platform::ConvertFromUtf16(
            platform::AnsiCodePage(), units.data(), static_cast<int>(count),
            buffer, static_cast<int>(capacity - 1));
      }
      if (written < 0 || static_cast<uint32_t>(written) > capacity - 1) written = 0;
      buffer[written] = '\0';
      return static_cast<uint32_t>(written);
    }
    offset += 2 * count;
  }
}

void ReplaceAll(std::string* text, const std::string& placeholder,
                const std::string& value) {
  if (placeholder.empty()) return;
  size_t at = 0;
  while ((at = text->find(placeholder, at)) != std::string::npos) {
    text->replace(at, placeholder.size(), value);
    at += value.size();
  }
}

std::string FormatQdbVersion(int32_t version) {
  const uint32_t v = static_cast<uint32_t>(version);
  return Format("%06X-%02X", (v >> 8) & 0xFFFFFFu, v & 0xFFu);
}

std::string ProgramVersionText(int32_t build) {
  const char* prefix = "4.1";
  if (build >= 1110) {
    prefix = "4.8";
  } else if (build >= 797) {
    prefix = "4.7";
  } else if (build >= 581) {
    prefix = "4.6";
  } else if (build >= 502) {
    prefix = "4.5";
  }
  return Format("%s.%d", prefix, build);
}

OutcomeMessage ComposeOutcome(platform::ModuleHandle module,
                              const RunState& state, const RunOptions& options,
                              const PartTable& table) {
  // The buffers are static so that composing the report never depends on a
  // large allocation; a run composes one report.
  static char title[kMessageCapacity];
  static char message[kMessageCapacity];
  const uint32_t outcome = state.outcome;
  const bool error = outcome >= kFirstErrorOutcome;

  title[0] = '\0';
  LoadMessageText(module, error ? kTitleError : kTitleMessage, title,
                  kMessageCapacity, options.messageLanguage);

  uint32_t textId = kFirstOutcomeText + outcome;
  if (outcome == Updated && !state.packagesUpdated) {
    textId = kFirstOutcomeText + AlreadyCurrent;
  }
  message[0] = '\0';
  LoadMessageText(module, textId, message, kMessageCapacity,
                  options.messageLanguage);
  if (message[0] == '\0') {
    std::snprintf(message, sizeof message, "Error: 0x%08X", outcome);
  }

  // Every value is formatted and every placeholder searched, whatever the
  // text holds; the texts are never used as format strings.
  OutcomeMessage result;
  result.title = title;
  result.text = message;
  result.flags = platform::kMessageBoxOk |
                 (error ? platform::kMessageBoxIconError
                        : platform::kMessageBoxIconInformation);
  const std::pair<const char*, std::string> values[] = {
      {"%OLDVER%", table.qdb.installedVersion == kNoVersion
                       ? std::string("?")
                       : FormatQdbVersion(table.qdb.installedVersion)},
      {"%NEWVER%", FormatQdbVersion(table.qdb.offeredVersion)},
      {"%NSVER%", Format("4.8.%d", table.setup.offeredVersion)},
      {"%OSVER%", ProgramVersionText(table.installedSetupVersion)},
      {"%SIERROR%", Hex32(static_cast<uint32_t>(state.callReturn))},
      {"%STERROR%", Hex32(state.callStatus)},
      {"%LEERROR%", Hex32(state.lookupError)},
  };
  for (const auto& value : values) {
    ReplaceAll(&result.text, value.first, value.second);
  }
  return result;
}

int ShowOutcome(platform::ModuleHandle module, const RunState& state,
                const RunOptions& options, const PartTable& table) {
  if (!options.silent) {
    const OutcomeMessage message = ComposeOutcome(module, state, options, table);
    platform::ShowMessageBox(message.text.c_str(), message.title.c_str(),
                             message.flags);
  }
  return static_cast<int>(state.outcome);
}

}  // namespace qdbupd

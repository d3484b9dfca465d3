#include "run/command_line.h"

#include <cstdlib>
#include <string_view>

#include "platform/ascii.h"
#include "platform/platform.h"

namespace qdbupd {

namespace {

constexpr uint16_t kLanguageSlovak = 1051;

bool IsTokenByte(unsigned char c) { return c >= 0x21 && c <= 0x7E; }

// Option names are compared as "/name", whatever the first byte was.
bool IsOption(const std::string& token, const char* name) {
  return EqualsIgnoringAsciiCase(std::string_view(token).substr(1), name + 1);
}

}  // namespace

uint16_t MessageLanguageFor(uint16_t language) {
  return (language == kLanguageCzech || language == kLanguageSlovak)
             ? kLanguageCzech
             : kLanguageEnglish;
}

uint16_t DefaultMessageLanguage() {
  static const struct {
    uint16_t primary;
    uint16_t language;
  } kByPrimary[] = {
      {0x05, 1029}, {0x1B, 1029}, {0x07, 1031}, {0x0A, 3082},
      {0x0C, 1036}, {0x10, 1040}, {0x13, 1043}, {0x15, 1045},
  };
  const uint16_t primary = platform::UserDefaultLanguage() & 0x3FF;
  uint16_t language = kLanguageEnglish;
  for (const auto& entry : kByPrimary) {
    if (entry.primary == primary) language = entry.language;
  }
  return MessageLanguageFor(language);
}

uint16_t LanguageFromCode(const std::string& code) {
  static const struct {
    const char* code;
    uint16_t language;
  } kCodes[] = {
      {"cze", 1029}, {"eng", 1033}, {"esp", 3082}, {"ita", 1040},
      {"sk", 1051},  {"ger", 1031}, {"deu", 1031}, {"fre", 1036},
      {"dut", 1043}, {"por", 2070}, {"pol", 1045},
  };
  for (const auto& entry : kCodes) {
    if (code == entry.code) return entry.language;
  }
  return static_cast<uint16_t>(std::strtoul(code.c_str(), nullptr, 16) & 0xFFFF);
}

std::vector<std::string> SplitCommandLine(const std::string& commandTail) {
  enum class State { kBetween, kPlain, kQuoted };
  std::vector<std::string> tokens;
  std::string token;
  State state = State::kBetween;
  for (char c : commandTail) {
    const unsigned char byte = static_cast<unsigned char>(c);
    switch (state) {
      case State::kBetween:
        if (c == '"') {
          token.clear();
          state = State::kQuoted;
        } else if (IsTokenByte(byte)) {
          token.assign(1, c);
          state = State::kPlain;
        }
        break;
      case State::kPlain:
        if (IsTokenByte(byte)) {
          token += c;
        } else {
          tokens.push_back(token);
          state = State::kBetween;
        }
        break;
      case State::kQuoted:
        if (c == '"') {
          tokens.push_back(token);
          token.clear();
          state = State::kBetween;
        } else {
          token += c;
        }
        break;
    }
  }
  if (state != State::kBetween) tokens.push_back(token);
  return tokens;
}

void ParseCommandLine(const std::string& commandTail, RunOptions* options) {
  const std::vector<std::string> tokens = SplitCommandLine(commandTail);
  for (size_t i = 0; i < tokens.size(); ++i) {
    const std::string& token = tokens[i];
    if (token.empty() || (token[0] != '/' && token[0] != '-')) continue;
    if (IsOption(token, "/silent")) {
      options->silent = true;
      continue;
    }
    const bool storage = IsOption(token, "/sfxstorage");
    const bool oem = IsOption(token, "/oem");
    const bool lang = IsOption(token, "/lang");
    if (!(storage || oem || lang) || i + 1 >= tokens.size()) continue;
    const std::string& value = tokens[++i];
    if (storage) options->storageFolder = value;
    if (oem) options->oemName = value;
    if (lang) options->messageLanguage = MessageLanguageFor(LanguageFromCode(value));
  }
}

}  // namespace qdbupd

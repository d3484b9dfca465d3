#include "platform/posix/registry_file.h"

#include "platform/posix/code_page.h"

namespace qdbupd::platform {

namespace {

constexpr std::u16string_view kHeader = u"Windows Registry Editor Version 5.00";
constexpr std::u16string_view kMachineRoot = u"HKEY_LOCAL_MACHINE";

// Upper case as the registry compares names, for the scripts that names of
// this product's keys can hold: ASCII, Latin-1, Latin Extended-A (the Czech
// letters among them), Greek and Cyrillic.
char16_t UpperCase(char16_t c) {
  if (c < 0x80) return c >= 'a' && c <= 'z' ? static_cast<char16_t>(c - 32) : c;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x17F) {
    const bool lowerIsOdd =
        c <= 0x12F || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    const bool lowerIsEven =
        (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((lowerIsOdd && (c & 1) != 0) || (lowerIsEven && (c & 1) == 0)) {
      return static_cast<char16_t>(c - 1);
    }
    return c;
  }
  if (c == 0x3C2) return 0x3A3;  // final sigma
  if ((c >= 0x3B1 && c <= 0x3C9) || (c >= 0x430 && c <= 0x44F)) {
    return static_cast<char16_t>(c - 32);
  }
  if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 80);
  return c;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

std::u16string_view SkipBlanks(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return text.substr(i);
}

std::u16string_view TrimBlanks(std::u16string_view text) {
  text = SkipBlanks(text);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Only blanks, or blanks and a ';' comment.
bool IsLineEnd(std::u16string_view rest) {
  rest = SkipBlanks(rest);
  return rest.empty() || rest.front() == u';';
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view tag) {
  if (text.size() < tag.size()) return false;
  for (size_t i = 0; i < tag.size(); ++i) {
    if (UpperCase(text[i]) != UpperCase(tag[i])) return false;
  }
  return true;
}

void AppendUtf16Le(std::u16string_view text, std::string* out) {
  for (char16_t unit : text) {
    out->push_back(static_cast<char>(unit & 0xFF));
    out->push_back(static_cast<char>(unit >> 8));
  }
}

std::u16string DecodeFile(std::string_view bytes) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      text.push_back(
          static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    return text;
  }
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    bytes.remove_prefix(3);
  }
  return DecodeUtf8(bytes);
}

class LineReader {
 public:
  explicit LineReader(std::u16string_view text) : text_(text) {}

  bool Next(std::u16string_view* line) {
    if (hasPending_) {
      hasPending_ = false;
      *line = pending_;
      return true;
    }
    if (pos_ >= text_.size()) return false;
    size_t end = pos_;
    while (end < text_.size() && text_[end] != u'\n' && text_[end] != u'\r')
      ++end;
    *line = text_.substr(pos_, end - pos_);
    if (end < text_.size()) {
      const bool crLf = text_[end] == u'\r' && end + 1 < text_.size() &&
                        text_[end + 1] == u'\n';
      end += crLf ? 2 : 1;
    }
    pos_ = end;
    return true;
  }

  // Hands line out again from the next Next().
  void PutBack(std::u16string_view line) {
    pending_ = line;
    hasPending_ = true;
  }

 private:
  std::u16string_view text_;
  size_t pos_ = 0;
  std::u16string_view pending_;
  bool hasPending_ = false;
};

class Parser {
 public:
  Parser(std::u16string_view text, RegistryTree* tree)
      : lines_(text), tree_(tree) {}

  void Run() {
    std::u16string_view line;
    if (!lines_.Next(&line) || TrimBlanks(line) != kHeader) return;
    while (lines_.Next(&line)) Line(SkipBlanks(line));
  }

 private:
  void Line(std::u16string_view line) {
    if (line.empty()) return;
    std::u16string name;
    std::u16string_view rest;
    switch (line.front()) {
      case u'[':
        KeyLine(line.substr(1));
        return;
      case u'@':
        rest = line.substr(1);
        break;
      case u'"': {
        size_t end = 0;
        if (!Unescape(line.substr(1), &end, &name)) return;
        rest = line.substr(1 + end);
        break;
      }
      default:
        return;  // a comment, or a line that sets nothing
    }
    rest = SkipBlanks(rest);
    if (rest.empty() || rest.front() != u'=') return;
    rest = TrimBlanks(rest.substr(1));
    if (!rest.empty() && rest.front() == u'-') return;  // a removal
    RegistryValue value;
    if (!Data(rest, &value) || current_ == nullptr) return;
    current_->values[FoldRegistryName(name)] = std::move(value);
  }

  void KeyLine(std::u16string_view line) {
    current_ = nullptr;
    const size_t close = line.rfind(u']');
    if (close == std::u16string_view::npos) return;
    std::u16string_view name = line.substr(0, close);
    if (name.empty() || IsBlank(name.front()) || name.front() == u'-') return;
    const size_t slash = name.find(u'\\');
    std::u16string_view root = name.substr(0, slash);
    if (FoldRegistryName(root) != kMachineRoot) return;
    const std::u16string path = RegistryKeyPath(
        slash == std::u16string_view::npos ? std::u16string_view()
                                           : name.substr(slash + 1));
    // Every ancestor of a key exists, as reg import creates it on the way.
    for (size_t at = path.find(u'\\'); at != std::u16string::npos;
         at = path.find(u'\\', at + 1)) {
      tree_->keys[path.substr(0, at)];
    }
    current_ = &tree_->keys[path];
  }

  // A quoted text from after its opening quote; *end is set after the
  // closing quote.
  static bool Unescape(std::u16string_view text, size_t* end,
                       std::u16string* out) {
    for (size_t i = 0; i < text.size(); ++i) {
      char16_t c = text[i];
      if (c == u'"') {
        *end = i + 1;
        return true;
      }
      if (c != u'\\') {
        out->push_back(c);
        continue;
      }
      if (++i == text.size()) return false;
      switch (text[i]) {
        case u'n':
          out->push_back(u'\n');
          break;
        case u'r':
          out->push_back(u'\r');
          break;
        case u'0':
          return false;
        default:
          out->push_back(text[i]);
          break;
      }
    }
    return false;
  }

  bool Data(std::u16string_view data, RegistryValue* value) {
    if (!data.empty() && data.front() == u'"') {
      std::u16string text;
      size_t end = 0;
      if (!Unescape(data.substr(1), &end, &text) ||
          !IsLineEnd(data.substr(1 + end))) {
        return false;
      }
      value->type = kRegSz;
      AppendUtf16Le(text, &value->data);
      value->data.append(2, '\0');
      return true;
    }
    if (StartsWithIgnoringCase(data, u"dword:")) {
      uint32_t number = 0;
      std::u16string_view rest = SkipBlanks(data.substr(6));
      size_t digits = 0;
      while (digits < rest.size() && HexDigit(rest[digits]) >= 0) {
        number = number << 4 | static_cast<uint32_t>(HexDigit(rest[digits]));
        ++digits;
      }
      if (digits == 0 || digits > 8 || !IsLineEnd(rest.substr(digits)))
        return false;
      value->type = kRegDword;
      for (int shift = 0; shift < 32; shift += 8) {
        value->data.push_back(static_cast<char>(number >> shift & 0xFF));
      }
      return true;
    }
    if (StartsWithIgnoringCase(data, u"hex:")) {
      value->type = kRegBinary;
      return HexBytes(data.substr(4), &value->data);
    }
    if (StartsWithIgnoringCase(data, u"hex(")) {
      std::u16string_view rest = data.substr(4);
      uint32_t type = 0;
      size_t digits = 0;
      while (digits < rest.size() && HexDigit(rest[digits]) >= 0) {
        type = type << 4 | static_cast<uint32_t>(HexDigit(rest[digits]));
        ++digits;
      }
      if (digits == 0 || digits > 8 || rest.substr(digits, 2) != u"):")
        return false;
      value->type = type;
      return HexBytes(rest.substr(digits + 2), &value->data);
    }
    return false;
  }

  // Comma-separated bytes; a backslash after the last comma continues them
  // on the next line that is not blank or a comment.
  bool HexBytes(std::u16string_view text, std::string* bytes) {
    for (;;) {
      bool continued = false;
      for (size_t i = 0;;) {
        while (i < text.size() && IsBlank(text[i])) ++i;
        if (i == text.size() || text[i] == u';') return true;
        if (text[i] == u'\\') {
          continued = true;
          break;
        }
        uint32_t byte = 0;
        size_t start = i;
        while (i < text.size() && HexDigit(text[i]) >= 0 && byte <= 0xFF) {
          byte = byte << 4 | static_cast<uint32_t>(HexDigit(text[i]));
          ++i;
        }
        if (i == start || byte > 0xFF) return false;
        bytes->push_back(static_cast<char>(byte));
        while (i < text.size() && IsBlank(text[i])) ++i;
        if (i == text.size() || text[i] == u';') return true;
        if (text[i] != u',') return false;
        ++i;
      }
      if (!continued) return true;
      std::u16string_view line;
      for (;;) {
        if (!lines_.Next(&line)) return true;  // the file ends: what was read
        std::u16string_view content = SkipBlanks(line);
        if (content.empty() || content.front() == u';') continue;
        if (HexDigit(content.front()) < 0) {
          // Not a continuation after all: the value is broken, the line is
          // read as a line of its own.
          lines_.PutBack(line);
          return false;
        }
        text = content;
        break;
      }
    }
  }

  LineReader lines_;
  RegistryTree* tree_;
  RegistryKeyData* current_ = nullptr;
};

}  // namespace

std::u16string FoldRegistryName(std::u16string_view name) {
  std::u16string folded(name);
  for (char16_t& c : folded) c = UpperCase(c);
  return folded;
}

std::u16string RegistryKeyPath(std::u16string_view path) {
  std::u16string result;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find(u'\\', start);
    if (end == std::u16string_view::npos) end = path.size();
    if (end > start) {
      if (!result.empty()) result.push_back(u'\\');
      result += FoldRegistryName(path.substr(start, end - start));
    }
    start = end + 1;
  }
  return result;
}

RegistryTree ParseRegistryFile(std::string_view bytes) {
  RegistryTree tree;
  tree.keys[u""];
  const std::u16string text = DecodeFile(bytes);
  Parser(text, &tree).Run();
  return tree;
}

const RegistryKeyData* FindRegistryKey(const RegistryTree& tree,
                                       std::u16string_view path) {
  auto found = tree.keys.find(RegistryKeyPath(path));
  return found != tree.keys.end() ? &found->second : nullptr;
}

const RegistryValue* FindRegistryValue(const RegistryKeyData& key,
                                       std::u16string_view name) {
  auto found = key.values.find(FoldRegistryName(name));
  return found != key.values.end() ? &found->second : nullptr;
}

}  // namespace qdbupd::platform

// rcstrings: compiles the STRINGTABLE blocks of a resource script into the
// RT_STRING blocks that the native build links in, byte for byte as windres
// lays them out for Windows.
//
//   rcstrings INPUT.rc OUTPUT.cpp
//
// The script is UTF-8.  Understood: "LANGUAGE primary, sub" (numbers),
// STRINGTABLE, BEGIN/END (or braces), entries  id, "text"  and // comments;
// #pragma lines are passed over.  In a text, \n \t \r \\ \" \0 are escapes
// and "" is one double quote.  The output is written beside its final name
// and renamed over it, so a failed run leaves no torn file.

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Script {
  // (language, id) -> UTF-16 text
  std::map<std::pair<uint16_t, uint16_t>, std::u16string> strings;
};

class Parser {
 public:
  Parser(std::string text, std::string name)
      : text_(std::move(text)), name_(std::move(name)) {}

  bool Parse(Script* script) {
    bool haveLanguage = false;
    uint16_t language = 0;
    bool inTable = false;
    while (SkipSpaceAndComments(), pos_ < text_.size()) {
      if (text_[pos_] == '#') {
        SkipLine();
        continue;
      }
      if (inTable) {
        if (Keyword("END") || Literal('}')) {
          inTable = false;
          continue;
        }
        uint32_t id = 0;
        std::u16string value;
        if (!Number(&id) || id > 0xFFFF) return Fail("string id expected");
        SkipSpaceAndComments();
        Literal(',');
        SkipSpaceAndComments();
        if (!Text(&value)) return false;
        auto key = std::make_pair(language, static_cast<uint16_t>(id));
        if (!script->strings.emplace(key, value).second) {
          return Fail("string " + std::to_string(id) + " given twice");
        }
        continue;
      }
      if (Keyword("LANGUAGE")) {
        uint32_t primary = 0, sub = 0;
        SkipSpaceAndComments();
        if (!Number(&primary)) return Fail("primary language expected");
        SkipSpaceAndComments();
        if (!Literal(',')) return Fail("',' expected");
        SkipSpaceAndComments();
        if (!Number(&sub)) return Fail("sublanguage expected");
        if (primary > 0x3FF || sub > 0x3F) return Fail("language out of range");
        language = static_cast<uint16_t>(sub << 10 | primary);
        haveLanguage = true;
        continue;
      }
      if (Keyword("STRINGTABLE")) {
        SkipSpaceAndComments();
        if (!Keyword("BEGIN") && !Literal('{')) return Fail("BEGIN expected");
        if (!haveLanguage) return Fail("STRINGTABLE before LANGUAGE");
        inTable = true;
        continue;
      }
      return Fail("unexpected text");
    }
    if (inTable) return Fail("STRINGTABLE without END");
    return true;
  }

  const std::string& error() const { return error_; }

 private:
  bool Fail(const std::string& what) {
    int line = 1;
    for (size_t i = 0; i < pos_ && i < text_.size(); ++i) line += text_[i] == '\n';
    error_ = name_ + ":" + std::to_string(line) + ": " + what;
    return false;
  }

  void SkipLine() {
    while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
  }

  void SkipSpaceAndComments() {
    while (pos_ < text_.size()) {
      char c = text_[pos_];
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        ++pos_;
      } else if (text_.compare(pos_, 2, "//") == 0) {
        SkipLine();
      } else {
        break;
      }
    }
  }

  bool Literal(char c) {
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  bool Keyword(const char* word) {
    std::string w(word);
    if (text_.compare(pos_, w.size(), w) != 0) return false;
    size_t end = pos_ + w.size();
    if (end < text_.size() && (isalnum(static_cast<unsigned char>(text_[end])) ||
                               text_[end] == '_')) {
      return false;
    }
    pos_ = end;
    return true;
  }

  bool Number(uint32_t* value) {
    const char* start = text_.c_str() + pos_;
    char* end = nullptr;
    unsigned long v = std::strtoul(start, &end, 0);
    if (end == start || !isdigit(static_cast<unsigned char>(*start))) return false;
    pos_ += static_cast<size_t>(end - start);
    *value = static_cast<uint32_t>(v);
    return v <= 0xFFFFFFFFul;
  }

  bool Text(std::u16string* out) {
    if (!Literal('"')) return Fail("'\"' expected");
    std::string bytes;
    for (;;) {
      if (pos_ >= text_.size() || text_[pos_] == '\n') {
        return Fail("unterminated text");
      }
      char c = text_[pos_++];
      if (c == '"') {
        if (Literal('"')) {
          bytes += '"';
          continue;
        }
        break;
      }
      if (c != '\\') {
        bytes += c;
        continue;
      }
      if (pos_ >= text_.size()) return Fail("unterminated text");
      switch (text_[pos_++]) {
        case 'n': bytes += '\n'; break;
        case 't': bytes += '\t'; break;
        case 'r': bytes += '\r'; break;
        case '0': bytes += '\0'; break;
        case '\\': bytes += '\\'; break;
        case '"': bytes += '"'; break;
        default: return Fail("unknown escape");
      }
    }
    return Utf8ToUtf16(bytes, out) || Fail("text is not UTF-8");
  }

  static bool Utf8ToUtf16(const std::string& in, std::u16string* out) {
    out->clear();
    for (size_t i = 0; i < in.size();) {
      unsigned char b = static_cast<unsigned char>(in[i]);
      uint32_t cp;
      size_t extra;
      if (b < 0x80) { cp = b; extra = 0; }
      else if ((b & 0xE0) == 0xC0) { cp = b & 0x1Fu; extra = 1; }
      else if ((b & 0xF0) == 0xE0) { cp = b & 0x0Fu; extra = 2; }
      else if ((b & 0xF8) == 0xF0) { cp = b & 0x07u; extra = 3; }
      else return false;
      if (i + extra >= in.size()) return false;
      for (size_t k = 1; k <= extra; ++k) {
        unsigned char n = static_cast<unsigned char>(in[i + k]);
        if ((n & 0xC0) != 0x80) return false;
        cp = cp << 6 | (n & 0x3Fu);
      }
      static const uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
      if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return false;
      }
      if (cp >= 0x10000) {
        cp -= 0x10000;
        out->push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out->push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
      } else {
        out->push_back(static_cast<char16_t>(cp));
      }
      i += extra + 1;
    }
    return true;
  }

  std::string text_;
  std::string name_;
  size_t pos_ = 0;
  std::string error_;
};

// One RT_STRING block: strings blockId*16-16 .. blockId*16-1, each a 16-bit
// count and its code units, little-endian.
std::vector<unsigned char> BuildBlock(const Script& script, uint16_t language,
                                      uint32_t blockId) {
  std::vector<unsigned char> block;
  for (uint32_t entry = 0; entry < 16; ++entry) {
    uint32_t id = (blockId - 1) * 16 + entry;
    auto it = script.strings.find({language, static_cast<uint16_t>(id)});
    std::u16string text = it == script.strings.end() ? u"" : it->second;
    block.push_back(static_cast<unsigned char>(text.size() & 0xFF));
    block.push_back(static_cast<unsigned char>(text.size() >> 8));
    for (char16_t unit : text) {
      block.push_back(static_cast<unsigned char>(unit & 0xFF));
      block.push_back(static_cast<unsigned char>(unit >> 8));
    }
  }
  return block;
}

std::string Generate(const Script& script) {
  std::map<std::pair<uint16_t, uint32_t>, bool> blocks;  // (language, block)
  for (const auto& entry : script.strings) {
    blocks[{entry.first.first, entry.first.second / 16u + 1u}] = true;
  }
  std::ostringstream out;
  out << "// Generated by rcstrings from the resource script; do not edit.\n"
         "#include \"platform/posix/compiled_strings.h\"\n\n"
         "namespace qdbupd::platform {\n\nnamespace {\n\n";
  int index = 0;
  for (const auto& b : blocks) {
    std::vector<unsigned char> bytes = BuildBlock(script, b.first.first, b.first.second);
    out << "const unsigned char kBlock" << index++ << "[" << bytes.size() << "] = {";
    for (size_t i = 0; i < bytes.size(); ++i) {
      out << (i % 16 == 0 ? "\n    " : " ") << static_cast<unsigned>(bytes[i]) << ",";
    }
    out << "\n};\n\n";
  }
  out << "}  // namespace\n\nconst CompiledStringBlock kCompiledStringBlocks[] = {\n";
  index = 0;
  for (const auto& b : blocks) {
    out << "    {" << b.first.second << ", " << b.first.first << ", kBlock" << index
        << ", sizeof(kBlock" << index << ")},\n";
    ++index;
  }
  out << "};\n\nconst unsigned kCompiledStringBlockCount = " << blocks.size()
      << ";\n\n}  // namespace qdbupd::platform\n";
  return out.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: rcstrings INPUT.rc OUTPUT.cpp\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "rcstrings: cannot read %s\n", argv[1]);
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  Script script;
  Parser parser(text.str(), argv[1]);
  if (!parser.Parse(&script)) {
    std::fprintf(stderr, "rcstrings: %s\n", parser.error().c_str());
    return 1;
  }
  std::string temp = std::string(argv[2]) + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << Generate(script);
    if (!out.flush()) {
      std::fprintf(stderr, "rcstrings: cannot write %s\n", temp.c_str());
      std::remove(temp.c_str());
      return 1;
    }
  }
  if (std::rename(temp.c_str(), argv[2]) != 0) {
    std::fprintf(stderr, "rcstrings: cannot write %s\n", argv[2]);
    std::remove(temp.c_str());
    return 1;
  }
  return 0;
}

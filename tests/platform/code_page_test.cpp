// WideCharToMultiByte into the code pages that the texts meet.

#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"

namespace {

namespace platform = qdbupd::platform;

struct ConversionCase {
  uint32_t codePage;
  std::u16string text;
  std::string bytes;
};

TEST(CodePage, ConvertsCharacterByCharacter) {
  const ConversionCase cases[] = {
      {1250,
       u"P\u0159\u00EDli\u0161 \u017Elu\u0165ou\u010Dk\u00FD k\u016F\u0148",
       "P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2"},
      {1252, u"Caf\u00E9 \u20AC5",
       "Caf\xE9 \x80"
       "5"},
      {1252, u"a\u4E2D\u0416b", "a??b"},  // not in 1252
      {1252, u"\U0001F600", "??"},        // a pair: one '?' per unit
      {1252, std::u16string(1, u'\xD800') + u"x", "?x"},
      {65001, u"Zpr\u00E1va", "Zpr\xC3\xA1va"},
      {65001, u"\U0001F600", "\xF0\x9F\x98\x80"},
      {65001, std::u16string(1, u'\xDC00') + u"x", "\xEF\xBF\xBDx"},
  };
  for (const ConversionCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.codePage) + ": " + c.bytes);
    char out[64];
    const int length = platform::ConvertFromUtf16(
        c.codePage, c.text.data(), static_cast<int>(c.text.size()), out,
        sizeof out);
    EXPECT_EQ(std::string(out, static_cast<size_t>(length > 0 ? length : 0)),
              c.bytes);
    // Capacity 0 asks for the size alone.
    EXPECT_EQ(
        platform::ConvertFromUtf16(c.codePage, c.text.data(),
                                   static_cast<int>(c.text.size()), nullptr, 0),
        static_cast<int>(c.bytes.size()));
  }
}

TEST(CodePage, OutputThatDoesNotFitGivesZero) {
  const char16_t text[] = u"abcdef";
  char out[8];
  EXPECT_EQ(platform::ConvertFromUtf16(1250, text, 6, out, 5), 0);
  EXPECT_EQ(platform::ConvertFromUtf16(1250, text, 6, out, 6), 6);
  const char16_t czech[] = u"\u010D\u010D";  // 2 bytes each in UTF-8
  EXPECT_EQ(platform::ConvertFromUtf16(65001, czech, 2, out, 3), 0);
}

TEST(CodePage, MinusOneCountConvertsTheNulToo) {
  const char16_t text[] = u"ab";
  char out[8] = "xxxxxxx";
  EXPECT_EQ(platform::ConvertFromUtf16(1252, text, -1, out, sizeof out), 3);
  EXPECT_EQ(std::string(out, 3), std::string("ab\0", 3));
}

TEST(CodePage, UnknownCodePageGivesZero) {
  const char16_t text[] = u"a";
  char out[8];
  EXPECT_EQ(platform::ConvertFromUtf16(12345, text, 1, out, sizeof out), 0);
}

}  // namespace

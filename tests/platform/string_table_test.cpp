// The message texts as RT_STRING blocks of the program's own module.

#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"

namespace {

namespace platform = qdbupd::platform;

constexpr uint16_t kCzech = 1029;
constexpr uint16_t kEnglish = 1033;

// Entry `index` of a block: a 16-bit count, then that many UTF-16 units.
std::u16string Entry(const platform::StringBlock& block, unsigned index) {
  uint32_t offset = 0;
  for (unsigned i = 0;; ++i) {
    if (offset + 2 > block.size) {
      ADD_FAILURE() << "block ends before entry " << i;
      return u"";
    }
    const uint32_t count =
        block.data[offset] | static_cast<uint32_t>(block.data[offset + 1]) << 8;
    offset += 2;
    if (offset + 2 * count > block.size) {
      ADD_FAILURE() << "entry " << i << " runs past the block";
      return u"";
    }
    if (i == index) {
      std::u16string text;
      for (uint32_t k = 0; k < count; ++k) {
        text.push_back(static_cast<char16_t>(
            block.data[offset + 2 * k] | block.data[offset + 2 * k + 1] << 8));
      }
      return text;
    }
    offset += 2 * count;
  }
}

struct BlockCase {
  uint16_t blockId;
  uint16_t language;
  unsigned entry;
  std::u16string text;
};

TEST(StringTable, BlocksHoldTheTextsOfBothLanguages) {
  const BlockCase cases[] = {
      {9, kEnglish, 0, u"Error"},
      {9, kCzech, 0, u"Chyba"},
      {9, kCzech, 1, u"Zpr\u00E1va"},
      {17, kEnglish, 0, u"Database updated from %OLDVER% to %NEWVER%.\n"},
      {17, kEnglish, 1, u"QDB database is already up to date."},
      {17, kCzech, 1, u"Datab\u00E1ze QDB je ji\u017E aktu\u00E1ln\u00ED."},
      {17, kEnglish, 11, u""},  // id 267 is not used
  };
  for (const BlockCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.blockId) + "/" + std::to_string(c.language) +
                 "/" + std::to_string(c.entry));
    platform::StringBlock block;
    ASSERT_TRUE(
        platform::FindStringBlock(nullptr, c.blockId, c.language, &block));
    ASSERT_NE(block.data, nullptr);
    EXPECT_EQ(Entry(block, c.entry), c.text);
    // All 16 entries lie inside the block.
    Entry(block, 15);
    platform::ReleaseStringBlock(block);
  }
}

TEST(StringTable, MissingBlockOrLanguageIsNotFound) {
  struct Missing {
    uint16_t blockId;
    uint16_t language;
  };
  for (const Missing& m :
       {Missing{17, 1031}, Missing{100, kEnglish}, Missing{16, kCzech}}) {
    SCOPED_TRACE(std::to_string(m.blockId) + "/" + std::to_string(m.language));
    platform::StringBlock block;
    block.size = 12345;
    EXPECT_FALSE(
        platform::FindStringBlock(nullptr, m.blockId, m.language, &block));
    EXPECT_EQ(block.size, 12345u);  // untouched
  }
}

}  // namespace

#include "run/join_path.h"

#include <gtest/gtest.h>

namespace qdbupd {
namespace {

TEST(JoinPathTest, JoinsWithOneBackslashAndKeepsQuotes) {
  const struct {
    const char* base;
    const char* name;
    const char* joined;
  } kCases[] = {
      {"", "setup.ini", "setup.ini"},
      {"", "", ""},
      {"C:\\Prog\\setup\\", "", "C:\\Prog\\setup\\"},
      {"C:\\Upd", "prod-ed_alpha.qdu", "C:\\Upd\\prod-ed_alpha.qdu"},
      {"C:\\Upd\\", "prod-ed_alpha.qdu", "C:\\Upd\\prod-ed_alpha.qdu"},
      {"C:\\Upd", "\\x.qdu", "C:\\Upd\\x.qdu"},
      // No backslash is ever removed.
      {"C:\\Upd\\", "\\x.qdu", "C:\\Upd\\\\x.qdu"},
      // A quoted folder gives a quoted path.
      {"\"C:\\My Upd\"", "x.qdu", "\"C:\\My Upd\\x.qdu\""},
      {"\"C:\\My Upd\\\"", "x.qdu", "\"C:\\My Upd\\x.qdu\""},
      {"\"C:\\My Upd", "x.qdu", "\"C:\\My Upd\\x.qdu\""},
      // Only a closing quote: dropped and not given back.
      {"C:\\Upd\"", "x.qdu", "C:\\Upd\\x.qdu"},
      {"\"", "x.qdu", "\\x.qdu"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(JoinPath(c.base, c.name), c.joined)
        << "base [" << c.base << "] name [" << c.name << "]";
  }
}

}  // namespace
}  // namespace qdbupd

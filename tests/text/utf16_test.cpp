#include "text/utf16.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrope {
namespace {

TEST(Utf8ToUtf16, CountsCharactersBeyondTheBasicPlaneTwice) {
  EXPECT_EQ(Utf8ToUtf16("aЖ€"), u"aЖ€");
  EXPECT_EQ(Utf8ToUtf16("😀"), std::u16string({0xD83D, 0xDE00}));
  EXPECT_EQ(Utf8ToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
  EXPECT_EQ(Utf8ToUtf16(""), u"");
}

TEST(Utf8ToUtf16, InvalidBytesBecomeEscapesAndComeBack) {
  // A lone lead byte, a stray continuation, an encoded surrogate, an
  // overlong form and a cut-off sequence.
  const std::string broken = "a\xC3 \x80\xED\xA0\x80\xC0\xAF\xF0\x9F\x98";
  const std::u16string units = Utf8ToUtf16(broken);
  EXPECT_EQ(units, std::u16string({u'a', 0xDCC3, u' ', 0xDC80, 0xDCED, 0xDCA0, 0xDC80, 0xDCC0, 0xDCAF, 0xDCF0, 0xDC9F,
                                   0xDC98}));
  EXPECT_EQ(Utf16ToUtf8(units), broken);
}

TEST(Utf16ToUtf8, RoundTripsValidText) {
  const std::string text = "Цена 1.0845 — 中文 😀 \x7F\xC2\x80\xF4\x8F\xBF\xBF";
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
}

TEST(Utf16ToUtf8, OtherLoneSurrogatesBecomeReplacementCharacters) {
  EXPECT_EQ(Utf16ToUtf8(std::u16string({0xD83D, u'a'})), "\xEF\xBF\xBD" "a");
  EXPECT_EQ(Utf16ToUtf8(std::u16string({0xDE00})), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(std::u16string({0xDC7F})), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace vantrope

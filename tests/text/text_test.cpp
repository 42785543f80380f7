#include <gtest/gtest.h>

#include <string>

#include "text/cp1251.h"
#include "text/utf8.h"

namespace vantrope {
namespace {

TEST(Cp1251ToUtf8, ConvertsCyrillicAndKeepsAscii) {
  EXPECT_EQ(Cp1251ToUtf8("Vantrope 1.62"), "Vantrope 1.62");
  EXPECT_EQ(Cp1251ToUtf8("\xCF\xF0\xE8\xE2\xE5\xF2"), "Привет");
  EXPECT_EQ(Cp1251ToUtf8("\xA8\xB8\xC0\xDF\xE0\xFF"), "ЁёАЯая");
  EXPECT_EQ(Cp1251ToUtf8("\x88\xB9"), "€№");
  EXPECT_EQ(Cp1251ToUtf8(""), "");
}

TEST(Cp1251ToUtf8, ByteWithoutCharacterBecomesQuestionMark) {
  EXPECT_EQ(Cp1251ToUtf8("a\x98" "b\x98"), "a?b?");
}

TEST(Cp1251ToUtf8, KeepsNulBytes) {
  EXPECT_EQ(Cp1251ToUtf8(std::string("a\0\xC0", 3)), std::string("a\0А", 4));
}

TEST(Utf8ToCp1251, ConvertsCyrillic) {
  EXPECT_EQ(Utf8ToCp1251("С"), "\xD1");
  EXPECT_EQ(Utf8ToCp1251("Простая ставка"),
            "\xCF\xF0\xEE\xF1\xF2\xE0\xFF \xF1\xF2\xE0\xE2\xEA\xE0");
  EXPECT_EQ(Utf8ToCp1251("Ёё€"), "\xA8\xB8\x88");
}

TEST(Utf8ToCp1251, CharacterOutsideCodePageBecomesOneQuestionMark) {
  EXPECT_EQ(Utf8ToCp1251("a中b"), "a?b");
  EXPECT_EQ(Utf8ToCp1251("😀Я"), "?\xDF");
  EXPECT_EQ(Utf8ToCp1251("\xC3\xA9"), "?");  // é
}

TEST(Utf8ToCp1251, EveryInvalidByteBecomesQuestionMark) {
  EXPECT_EQ(Utf8ToCp1251("a\xFF" "b"), "a?b");
  EXPECT_EQ(Utf8ToCp1251("\x80Я"), "?\xDF");            // stray continuation byte
  EXPECT_EQ(Utf8ToCp1251("\xC0\xAF"), "??");            // overlong '/'
  EXPECT_EQ(Utf8ToCp1251("\xED\xA0\x80"), "???");       // surrogate
  EXPECT_EQ(Utf8ToCp1251("Я\xE2\x82"), "\xDF??");       // cut at the end
  EXPECT_EQ(Utf8ToCp1251("\xE2\x82Я"), "??\xDF");       // cut before a character
}

TEST(Cp1251Conversion, EveryDefinedByteSurvivesTheRoundTrip) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte) {
    if (byte != 0x98) all += static_cast<char>(byte);
  }
  const std::string utf8 = Cp1251ToUtf8(all);
  EXPECT_EQ(Utf8Length(utf8), all.size());
  EXPECT_EQ(Utf8ToCp1251(utf8), all);
}

TEST(Cp1251Conversion, LongTextIsConvertedCompletely) {
  // Longer than any single conversion buffer.
  std::string cp1251;
  std::string utf8;
  std::string cp1251_back;
  for (int i = 0; i < 5000; ++i) {
    cp1251 += i % 7 == 0 ? "\x98" : "\xDF";
    utf8 += i % 7 == 0 ? "?" : "Я";
    cp1251_back += i % 7 == 0 ? "?" : "\xDF";
  }
  EXPECT_EQ(Cp1251ToUtf8(cp1251), utf8);
  EXPECT_EQ(Utf8ToCp1251(utf8), cp1251_back);
}

TEST(Cp1251EqualIgnoringCase, FoldsLatinAndCyrillicLetters) {
  EXPECT_TRUE(Cp1251EqualIgnoringCase("MainForm", "MAINFORM"));
  EXPECT_TRUE(Cp1251EqualIgnoringCase("\xC0\xC1\xDF", "\xE0\xE1\xFF"));  // АБЯ, абя
  EXPECT_TRUE(Cp1251EqualIgnoringCase("\xA8", "\xB8"));                  // Ё, ё
  EXPECT_TRUE(Cp1251EqualIgnoringCase("\xB2\xAF", "\xB3\xBF"));          // ІЇ, ії
  EXPECT_TRUE(Cp1251EqualIgnoringCase("", ""));
}

TEST(Cp1251EqualIgnoringCase, KeepsOtherCharactersApart) {
  EXPECT_FALSE(Cp1251EqualIgnoringCase("C", "\xD1"));  // Latin C, Cyrillic С
  EXPECT_FALSE(Cp1251EqualIgnoringCase("c", "\xF1"));
  EXPECT_FALSE(Cp1251EqualIgnoringCase("[", "{"));
  EXPECT_FALSE(Cp1251EqualIgnoringCase("@", "`"));
  EXPECT_FALSE(Cp1251EqualIgnoringCase("\xA0", "\xC0"));
  EXPECT_FALSE(Cp1251EqualIgnoringCase("Key", "Key2"));
  EXPECT_FALSE(Cp1251EqualIgnoringCase("Key2", "Key"));
}

TEST(Utf8Length, CountsCharacters) {
  EXPECT_EQ(Utf8Length(""), 0u);
  EXPECT_EQ(Utf8Length("EUR/USD"), 7u);
  EXPECT_EQ(Utf8Length("Старт"), 5u);
  EXPECT_EQ(Utf8Length("€😀a"), 3u);
}

TEST(Utf8Length, CountsEachInvalidByteAsOneCharacter) {
  EXPECT_EQ(Utf8Length("\xFF\xFE"), 2u);
  EXPECT_EQ(Utf8Length("Я\xE2\x82"), 3u);
  EXPECT_EQ(Utf8Length("\xF0\x9F\x98"), 3u);
  EXPECT_EQ(Utf8Length("\xC0\xAF"), 2u);
}

TEST(Utf8Left, CutsAtCharacterBoundaries) {
  EXPECT_EQ(Utf8Left("Простая ставка", 7), "Простая");
  EXPECT_EQ(Utf8Left("a😀b", 2), "a😀");
  EXPECT_EQ(Utf8Left("Старт", 0), "");
  EXPECT_EQ(Utf8Left("Старт", 16), "Старт");
  EXPECT_EQ(Utf8Left("\xFFЯ\xE2\x82", 3), "\xFFЯ\xE2");
}

TEST(Utf8PadRight, PadsToCharactersAndNeverCuts) {
  EXPECT_EQ(Utf8PadRight("Ёж", 5), "Ёж   ");
  EXPECT_EQ(Utf8PadRight("ab", 4, '.'), "ab..");
  EXPECT_EQ(Utf8PadRight("Старт", 3), "Старт");
  EXPECT_EQ(Utf8PadRight("", 2), "  ");
}

TEST(Trim, DropsBlanksAndControlCharactersAtBothEnds) {
  EXPECT_EQ(Trim(" \t\r\n a b \x01\x1F "), "a b");
  EXPECT_EQ(Trim(std::string("\0x\0", 3)), "x");
  EXPECT_EQ(Trim(" \t "), "");
  EXPECT_EQ(Trim(""), "");
}

TEST(Trim, KeepsMultiByteCharactersWhole) {
  // "Р" ends in byte 0xA0, which is a no-break space in other code pages.
  EXPECT_EQ(Trim(" Р "), "Р");
  EXPECT_EQ(Trim("\xC2\xA0"), "\xC2\xA0");
}

}  // namespace
}  // namespace vantrope

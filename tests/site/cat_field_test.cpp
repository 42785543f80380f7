#include "site/cat_field.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "text/utf8.h"

namespace vantrope {
namespace {

TCatField Filled() {
  TCatField field;
  field.Kind = 9;
  field.ID = "old id";
  field.Ftype = "old type";
  field.Ftext = "old text";
  field.Fsubdata = "old data";
  field.MatchModes = {7, 7, 7, 7, 7};
  field.PageNo = 42;
  return field;
}

TCatField Read(std::string_view line, TCatField field = Filled()) {
  SrtToFieldData(line, field);
  return field;
}

TEST(CatFieldKind, NamesOfTheKinds) {
  EXPECT_EQ(KindName(kKindForm), "FORM");
  EXPECT_EQ(KindName(kKindLink), "LINK");
  EXPECT_EQ(KindName(kKindText), "TEXT");
  EXPECT_EQ(KindName(kKindTable), "TABLE");
  EXPECT_EQ(KindName(kKindTabHeader), "TAB_HEADER");
  EXPECT_EQ(KindName(kKindDiv), "DIV");
  EXPECT_EQ(KindName(6), "<6>");
  EXPECT_EQ(KindName(255), "<255>");
}

TEST(CatFieldInteger, ReadsSignedDecimalsOnly) {
  EXPECT_EQ(IntegerOrZero("12"), 12);
  EXPECT_EQ(IntegerOrZero("007"), 7);
  EXPECT_EQ(IntegerOrZero("-3"), -3);
  EXPECT_EQ(IntegerOrZero("+3"), 3);
  EXPECT_EQ(IntegerOrZero("2147483647"), 2147483647);
  EXPECT_EQ(IntegerOrZero("2147483648"), 0);
  for (const char* text : {"", "+", "-", "+-1", "1 ", " 1", "1.5", "x1", "1x", "0x10"}) {
    EXPECT_EQ(IntegerOrZero(text), 0) << text;
  }
}

TEST(SrtToFieldData, ReadsALoginTemplate) {
  const TCatField field = Read("01<20220><0><><login><text><>");
  EXPECT_EQ(field.PageNo, 1);
  EXPECT_EQ(field.MatchModes, (std::array<uint8_t, 5>{2, 0, 2, 2, 0}));
  EXPECT_EQ(field.Kind, kKindForm);
  EXPECT_EQ(field.ID, "");
  EXPECT_EQ(field.Ftype, "login");
  EXPECT_EQ(field.Ftext, "text");
  EXPECT_EQ(field.Fsubdata, "");
}

TEST(SrtToFieldData, ModesAreTheFiveCharactersAfterTheFirstLessThan) {
  const TCatField field = Read("01<22><0><x><y><z><w>");
  EXPECT_EQ(field.MatchModes, (std::array<uint8_t, 5>{2, 2, 0, 0, 0}));
  EXPECT_EQ(field.Kind, 0);
  EXPECT_EQ(field.ID, "x");
  EXPECT_EQ(field.Ftype, "y");
  EXPECT_EQ(field.Ftext, "z");
  EXPECT_EQ(field.Fsubdata, "w");
  // A character of two bytes is one character, and not a digit.
  EXPECT_EQ(Read("00<Ж1111><3><><><><>").MatchModes, (std::array<uint8_t, 5>{0, 1, 1, 1, 1}));
  // The line may end before the fifth.
  EXPECT_EQ(Read("000000000000<1>").MatchModes, (std::array<uint8_t, 5>{1, 0, 0, 0, 0}));
}

TEST(SrtToFieldData, LineShorterThan12CharactersChangesNothing) {
  EXPECT_EQ(Read("01<2><3><a>"), Filled());
  EXPECT_EQ(Read(""), Filled());
  // Eleven characters in thirteen bytes: still too short.
  EXPECT_EQ(Read("01<2><3><Жж"), Filled());
  EXPECT_EQ(Read("01<2><3><Жжж").MatchModes, (std::array<uint8_t, 5>{2, 0, 0, 3, 0}));
}

TEST(SrtToFieldData, LineWithoutLessThanChangesNothing) {
  EXPECT_EQ(Read("01 20220 0 login text"), Filled());
}

TEST(SrtToFieldData, WithoutGreaterThanOnlyThePageIsRead) {
  TCatField expected = Filled();
  expected.PageNo = 7;
  EXPECT_EQ(Read("07<22222 and no end"), expected);
}

TEST(SrtToFieldData, FieldsBeyondTheLastGreaterThanKeepTheirValues) {
  TCatField expected = Filled();
  expected.PageNo = 0;
  expected.MatchModes = {1, 1, 1, 1, 1};
  expected.Kind = 3;
  expected.ID = "id";
  EXPECT_EQ(Read("00<11111><3><id><type"), expected);
  expected.Ftype = "type";
  expected.Ftext = "text";
  expected.Fsubdata = "data";
  EXPECT_EQ(Read("00<11111><3><id><type><text><data> and more <x>"), expected);
}

TEST(SrtToFieldData, PageIsTheFirstTwoCharactersOfTheTrimmedLine) {
  EXPECT_EQ(Read("  12<00000><0><><><><>").PageNo, 12);
  EXPECT_EQ(Read("ab<00000><0><><><><>").PageNo, 0);
  EXPECT_EQ(Read("9<00000><0><><><><>").PageNo, 0) << "\"9<\" is not a number";
  EXPECT_EQ(Read("99<00000><0><><><><>").PageNo, 99);
}

TEST(SrtToFieldData, FirstCharacterOfEachFieldIsSkippedWhateverItIs) {
  const TCatField field = Read("00<00000>x4>yab>Жcd>>");
  EXPECT_EQ(field.Kind, 4);
  EXPECT_EQ(field.ID, "ab");
  EXPECT_EQ(field.Ftype, "cd");
  EXPECT_EQ(field.Ftext, "") << "a \">\" right away is an empty text";
  EXPECT_EQ(field.Fsubdata, "old data");
}

TEST(SrtToFieldData, KindThatIsNotANumberIsZeroAndKeepsItsLowByte) {
  EXPECT_EQ(Read("00<00000><x><><><><>").Kind, 0);
  EXPECT_EQ(Read("00<00000><-1><><><><>").Kind, 255);
  EXPECT_EQ(Read("00<00000><300><><><><>").Kind, 44);
}

TEST(SrtToFieldData, KeepsTextsAsWritten) {
  const TCatField field = Read("00<00000><1>< a ><Цена>< € 中 ><  x  >");
  EXPECT_EQ(field.ID, " a ");
  EXPECT_EQ(field.Ftype, "Цена");
  EXPECT_EQ(field.Ftext, " € 中 ");
  EXPECT_EQ(field.Fsubdata, "  x  ");
}

TEST(FieldDataToStr, WritesPageZeroModesKindAndTrimmedTexts) {
  TCatField field;
  field.Kind = 4;
  field.ID = " id ";
  field.Ftype = "\ttype";
  field.Ftext = "text\r\n";
  field.Fsubdata = " Цена 😀 ";
  field.MatchModes = {1, 2, 0, 9, 2};
  field.PageNo = 17;
  EXPECT_EQ(FieldDataToStr(field), "00<12092><4><id><type><text><Цена 😀>");
  field.MatchModes = {12, 0, 0, 0, 255};
  field.Kind = 255;
  EXPECT_EQ(FieldDataToStr(field), "00<12000255><255><id><type><text><Цена 😀>");
}

TEST(FieldDataToStr, CutsFsubdataToWhatIsLeftOf248Characters) {
  TCatField field;
  field.ID = std::string(8, 'i');  // the line before Fsubdata: "00<00000><0><iiiiiiii><><>", 26 characters
  field.Fsubdata = "";
  for (int i = 0; i < 300; ++i) field.Fsubdata += "Ж";
  const std::string line = FieldDataToStr(field);
  EXPECT_EQ(Utf8Length(line), 248u + 2);
  EXPECT_EQ(line.substr(line.size() - 3), "Ж>");

  field.Fsubdata = std::string(222, 'x');  // exactly fits
  EXPECT_EQ(FieldDataToStr(field), "00<00000><0><iiiiiiii><><><" + std::string(222, 'x') + ">");
  field.Fsubdata = std::string(223, 'x');
  EXPECT_EQ(FieldDataToStr(field), "00<00000><0><iiiiiiii><><><" + std::string(222, 'x') + ">");

  field.ID = std::string(300, 'i');  // no room left at all
  EXPECT_EQ(FieldDataToStr(field), "00<00000><0><" + std::string(300, 'i') + "><><><>");
}

TEST(FieldDataToStr, ReadsBackAsTheTrimmedRecord) {
  std::mt19937 random(7);
  const std::vector<std::string> pieces = {"a", " ", "Ж", "😀", "\t", "<", "x y", "€", "0"};
  const auto text = [&](size_t most) {
    std::string out;
    for (size_t n = random() % (most + 1); n > 0; --n) out += pieces[random() % pieces.size()];
    return out;
  };
  for (int round = 0; round < 500; ++round) {
    TCatField field;
    field.Kind = static_cast<uint8_t>(random() % 256);
    for (uint8_t& mode : field.MatchModes) mode = static_cast<uint8_t>(random() % 10);
    field.PageNo = static_cast<uint8_t>(random() % 100);
    field.ID = text(8);
    field.Ftype = text(8);
    field.Ftext = text(8);
    field.Fsubdata = text(round % 2 ? 8 : 300);

    TCatField expected = field;
    expected.PageNo = 0;
    expected.ID = Trim(field.ID);
    expected.Ftype = Trim(field.Ftype);
    expected.Ftext = Trim(field.Ftext);
    const size_t before = Utf8Length("00<00000><" + std::to_string(field.Kind) + "><" + expected.ID + "><" +
                                     expected.Ftype + "><" + expected.Ftext + ">");
    expected.Fsubdata = Utf8Left(Trim(field.Fsubdata), 248 - before);

    EXPECT_EQ(Read(FieldDataToStr(field)), expected) << FieldDataToStr(field);
  }
}

}  // namespace
}  // namespace vantrope

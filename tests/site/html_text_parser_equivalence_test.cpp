// The text pass gives exactly what the plain reading of its rules gives, on
// generated pages both ordinary and broken.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "literal_text_parser.h"
#include "markup_generator.h"
#include "site/html_text_parser.h"

namespace vantrope {
namespace {

std::string Describe(const TCatField& field) {
  return KindName(field.Kind) + " [" + field.ID + "][" + field.Ftype + "][" + field.Ftext + "][" + field.Fsubdata + "]";
}

// Records a parse may find already in the list; the block check sees them too.
std::vector<TCatField> EarlierRecords(std::mt19937& random) {
  std::vector<TCatField> fields;
  const std::vector<std::pair<uint8_t, std::string>> choices = {
      {kKindForm, "x"}, {kKindLink, "Цена"}, {kKindText, "x"}, {kKindDiv, "Рынки открыты"}, {kKindText, "1.2345"}};
  for (const auto& [kind, text] : choices) {
    if (random() % 2 == 0) continue;
    TCatField field;
    field.Kind = kind;
    field.Fsubdata = text;
    fields.push_back(field);
  }
  return fields;
}

TableCounters StartCounters(std::mt19937& random) {
  switch (random() % 3) {
    case 0:
      return {};
    case 1:
      return {65535, 65535, 65534};  // counting on wraps around
    default:
      return {static_cast<uint16_t>(random() % 9), static_cast<uint16_t>(random() % 9),
              static_cast<uint16_t>(random() % 9)};
  }
}

void ExpectSameAsLiteral(const std::string& markup, uint32_t seed) {
  std::mt19937 random(seed);
  const std::vector<TCatField> earlier = EarlierRecords(random);
  const TableCounters start = StartCounters(random);

  std::vector<TCatField> fast = earlier;
  TableCounters fast_counters = start;
  HtmlTextParser(markup, fast_counters, fast);
  std::vector<TCatField> literal = earlier;
  TableCounters literal_counters = start;
  LiteralHtmlTextParser(markup, literal_counters, literal);

  ASSERT_EQ(fast.size(), literal.size()) << "seed " << seed;
  for (size_t i = 0; i < fast.size(); ++i) {
    ASSERT_EQ(fast[i], literal[i]) << "seed " << seed << ", record " << i << ": " << Describe(fast[i]) << " instead of "
                                   << Describe(literal[i]);
  }
  EXPECT_EQ(fast_counters.TableNo, literal_counters.TableNo) << "seed " << seed;
  EXPECT_EQ(fast_counters.RowNo, literal_counters.RowNo) << "seed " << seed;
  EXPECT_EQ(fast_counters.ColNo, literal_counters.ColNo) << "seed " << seed;
}

TEST(HtmlTextParserEquivalence, RealisticPages) {
  size_t records = 0;
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    const std::string markup = RealisticBody(seed, 2000 + seed * 50);
    ExpectSameAsLiteral(markup, seed);
    std::vector<TCatField> fields;
    TableCounters counters;
    HtmlTextParser(markup, counters, fields);
    records += fields.size();
  }
  EXPECT_GT(records, 1000u) << "the pages should give plenty of records to compare";
}

TEST(HtmlTextParserEquivalence, BrokenMarkup) {
  for (uint32_t seed = 1; seed <= 1500; ++seed) {
    ExpectSameAsLiteral(NastyMarkup(seed, 5 + seed % 120), seed);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace vantrope

#include "site/web_tables.h"
#include "support/field_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrope {
namespace {

using testing::Record;

const std::vector<TCatField> kPage = {
    Record(kKindForm, "7", "1", "1", "form"),
    Record(kKindTabHeader, "1", "1", "1", " Пара "),
    Record(kKindTabHeader, "1", "1", "2", "Цена"),
    Record(kKindTable, "1", "2", "1", " EUR/USD\t"),
    Record(kKindTable, "1", "2", "2", "1.0845"),
    Record(kKindTabHeader, "2", "3", "01", "second"),
    Record(kKindTable, "2", "5", "1", "first"),
    Record(kKindTable, "2", "5", "1", "shadowed"),
    Record(kKindText, "9", "", "", "text"),
    Record(kKindDiv, "8", "", "", "block"),
};

TEST(GetWebTableCount, HighestTableNumberOfTheCells) {
  EXPECT_EQ(GetWebTableCount({}), 0);
  EXPECT_EQ(GetWebTableCount(kPage), 2) << "only TABLE and TAB_HEADER records count";
  EXPECT_EQ(GetWebTableCount({Record(kKindTabHeader, "3", "", "", ""), Record(kKindTable, "x", "", "", "")}), 3);
  EXPECT_EQ(GetWebTableCount({Record(kKindTable, "-4", "", "", ""), Record(kKindTable, "1.5", "", "", "")}), 0);
}

TEST(GetWebTableHeader, FindsTheHeaderOfAColumnInAnyRow) {
  EXPECT_EQ(GetWebTableHeader(kPage, 1, 1), "Пара");
  EXPECT_EQ(GetWebTableHeader(kPage, 1, 2), "Цена");
  EXPECT_EQ(GetWebTableHeader(kPage, 2, 1), "second") << "numbers compare as integers";
  EXPECT_EQ(GetWebTableHeader(kPage, 1, 3), "");
}

TEST(GetWebTableHeader, EmptyForZeroOrTablesBeyondTheCount) {
  EXPECT_EQ(GetWebTableHeader(kPage, 0, 1), "");
  EXPECT_EQ(GetWebTableHeader(kPage, 1, 0), "");
  EXPECT_EQ(GetWebTableHeader(kPage, 3, 1), "");
  EXPECT_EQ(GetWebTableHeader({}, 1, 1), "");
}

TEST(GetWebTableData, FindsTheFirstCellAtTableRowAndColumn) {
  EXPECT_EQ(GetWebTableData(kPage, 1, 2, 1), "EUR/USD");
  EXPECT_EQ(GetWebTableData(kPage, 1, 2, 2), "1.0845");
  EXPECT_EQ(GetWebTableData(kPage, 2, 5, 1), "first");
  EXPECT_EQ(GetWebTableData(kPage, 1, 1, 1), "") << "a header is not a data cell";
  EXPECT_EQ(GetWebTableData(kPage, 2, 4, 1), "");
}

TEST(GetWebTableData, EmptyWhenANumberIsZero) {
  EXPECT_EQ(GetWebTableData(kPage, 0, 2, 1), "");
  EXPECT_EQ(GetWebTableData(kPage, 1, 0, 1), "");
  EXPECT_EQ(GetWebTableData(kPage, 1, 2, 0), "");
}

}  // namespace
}  // namespace vantrope

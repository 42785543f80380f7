#include "site/html_text_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrope {
namespace {

struct Row {
  uint8_t kind;
  std::string id, ftype, ftext, fsubdata;
  bool operator==(const Row&) const = default;
};

void PrintTo(const Row& row, std::ostream* out) {
  *out << KindName(row.kind) << " [" << row.id << "][" << row.ftype << "][" << row.ftext << "][" << row.fsubdata << "]";
}

std::vector<Row> Rows(const std::vector<TCatField>& fields) {
  std::vector<Row> rows;
  for (const TCatField& field : fields) rows.push_back({field.Kind, field.ID, field.Ftype, field.Ftext, field.Fsubdata});
  return rows;
}

std::vector<Row> Parse(const std::string& markup, TableCounters counters = {}) {
  std::vector<TCatField> fields;
  HtmlTextParser(markup, counters, fields);
  return Rows(fields);
}

Row Text(std::string text) { return {kKindText, "", "", "", std::move(text)}; }
Row Div(std::string text) { return {kKindDiv, "", "", "", std::move(text)}; }
Row Cell(std::string table, std::string row, std::string column, std::string text) {
  return {kKindTable, std::move(table), std::move(row), std::move(column), std::move(text)};
}
Row Header(std::string table, std::string row, std::string column, std::string text) {
  return {kKindTabHeader, std::move(table), std::move(row), std::move(column), std::move(text)};
}

using Rowset = std::vector<Row>;

TEST(HtmlTextParserTags, NameEndsAtSpaceAndCaseDoesNotMatter) {
  EXPECT_EQ(Parse("<table><tr><td class=x>5</td></tr></table>"), Rowset{Cell("1", "1", "1", "5")});
  EXPECT_EQ(Parse("<TABLE><Tr><tD Class=x>5</Td></TR></table>"), Rowset{Cell("1", "1", "1", "5")});
  EXPECT_EQ(Parse("<DIV>a</div><p>b</P>"), (Rowset{Div("a"), Text("b")}));
}

TEST(HtmlTextParserTags, OnlyASpaceEndsTheName) {
  EXPECT_EQ(Parse("<td\tclass=x>5</td><td\n>6</td>"), Rowset{});
}

TEST(HtmlTextParserTags, DotlessIUpperCasesToI) {
  // Upper case is Unicode's: "ı" becomes "I", so this is a block; "İ" stays itself.
  EXPECT_EQ(Parse("<dıv>a</dıv><DİV>b</DİV>"), Rowset{Div("a")});
  EXPECT_EQ(Parse("<div>c</dıv>"), Rowset{Div("c")});
}

TEST(HtmlTextParserTags, SlashesEmptyNamesAndOtherTagsChangeNothing) {
  TableCounters counters{3, 4, 5};
  std::vector<TCatField> fields;
  HtmlTextParser("<br/><>< ></p></td><td/>x</td><span>y</span><tbody>z</tbody>", counters, fields);
  EXPECT_TRUE(fields.empty());
  EXPECT_EQ(counters.TableNo, 3);
  EXPECT_EQ(counters.RowNo, 4);
  EXPECT_EQ(counters.ColNo, 5);
}

TEST(HtmlTextParserTags, StrayLessThanSwallowsTheNextTag) {
  // "< " opens a tag without a name that lasts to the next ">".
  EXPECT_EQ(Parse("<p>1 < 2</p><p>3</p>"), (Rowset{Text("1"), Text("3")}));
  EXPECT_EQ(Parse("a < b <p>x</p> c > <p>y</p>"), Rowset{Text("y")});
  // A "<" inside a tag is part of its name.
  EXPECT_EQ(Parse("<<p>x</p>"), Rowset{});
}

TEST(HtmlTextParserTags, MarkupShorterThanThreeCharactersGivesNothing) {
  EXPECT_EQ(Parse(""), Rowset{});
  EXPECT_EQ(Parse("<p"), Rowset{});
}

TEST(HtmlTextParserElements, ElementEndsAtTheFirstClosingTagWithoutNesting) {
  EXPECT_EQ(Parse("<div>a<div>b</div>c</div>"), (Rowset{Div("a b"), Div("b")}));
  EXPECT_EQ(Parse("<p>a</p>b</p>"), Rowset{Text("a")});
}

TEST(HtmlTextParserElements, NestedBlocksAllRunToTheFirstEnd) {
  EXPECT_EQ(Parse("<div><div>\n<div>x</div>\ny</div></div>"), Rowset{Div("x")});
  EXPECT_EQ(Parse("<div>a<div><div>b<span>c</span></div>d</div>"), (Rowset{Div("a  b c"), Div("b c")}));
}

TEST(HtmlTextParserElements, UnclosedElementIsIgnored) {
  EXPECT_EQ(Parse("<p>a<div>b"), Rowset{});
  TableCounters counters;
  std::vector<TCatField> fields;
  HtmlTextParser("<table><tr><td>a</td><td>b", counters, fields);
  EXPECT_EQ(Rows(fields), Rowset{Cell("0", "0", "1", "a")}) << "the unclosed table and row count neither";
  EXPECT_EQ(counters.ColNo, 1) << "the unclosed cell takes no column";
}

TEST(HtmlTextParserElements, ClosingTagBeyond999999CharactersIsNotFound) {
  // The element's end is looked for in the 999999 characters after its "<":
  // "</p>" must end within them.
  const auto paragraph = [](const std::string& inner) { return "<p>" + inner + "</p>"; };
  EXPECT_EQ(Parse(paragraph(std::string(999993, 'x'))).size(), 1u);
  EXPECT_EQ(Parse(paragraph(std::string(999994, 'x'))).size(), 0u);
  // A character beyond the basic plane counts as two.
  EXPECT_EQ(Parse(paragraph("😀" + std::string(999991, 'x'))).size(), 1u);
  EXPECT_EQ(Parse(paragraph("😀" + std::string(999992, 'x'))).size(), 0u);
  EXPECT_EQ(Parse(paragraph("Ж" + std::string(999992, 'x'))).size(), 1u);
}

TEST(HtmlTextParserElements, NestedElementsAreHandledAfterTheirParent) {
  EXPECT_EQ(Parse("<div><p>a</p></div>"), (Rowset{Div("a"), Text("a")}));
}

TEST(HtmlTextParserTables, CellsAreNumberedByTableRowAndColumn) {
  EXPECT_EQ(Parse("<table><tr><td></td><td>7</td></tr></table>"), Rowset{Cell("1", "1", "2", "7")});
  EXPECT_EQ(Parse("<table><tr><th>A</th><th>B</th></tr><tr><td>1</td><td>2</td></tr></table>"
                  "<table><tr><td>x</td></tr></table>"),
            (Rowset{Header("1", "1", "1", "A"), Header("1", "1", "2", "B"), Cell("1", "2", "1", "1"),
                    Cell("1", "2", "2", "2"), Cell("2", "1", "1", "x")}));
}

TEST(HtmlTextParserTables, InnerTableTakesTheNextNumberAndKeepsIt) {
  // The outer cell ends at the inner cell's "</td>"; after the inner table
  // the outer row goes on under the inner table's numbers.
  EXPECT_EQ(Parse("<table><tr><td><table><tr><td>a</td></tr></table></td><td>b</td></tr></table>"),
            (Rowset{Cell("1", "1", "1", "a"), Cell("2", "1", "1", "a"), Cell("2", "1", "2", "b")}));
}

TEST(HtmlTextParserTables, CountersGoOnFromTheirValuesAndWrap) {
  TableCounters counters{4, 2, 7};
  std::vector<TCatField> fields;
  HtmlTextParser("<td>x</td>", counters, fields);
  EXPECT_EQ(Rows(fields), Rowset{Cell("4", "2", "8", "x")});

  counters = {65535, 65535, 65535};
  fields.clear();
  HtmlTextParser("<td>y</td><tr></tr><td>z</td><table></table>", counters, fields);
  EXPECT_EQ(Rows(fields), (Rowset{Cell("65535", "65535", "0", "y"), Cell("65535", "0", "1", "z")}));
  EXPECT_EQ(counters.TableNo, 0);
}

TEST(HtmlTextParserText, PlainTextJoinsTextOutsideTagsAndKeepsControls) {
  EXPECT_EQ(Parse("<p>a<b>b</b></p>"), Rowset{Text("ab")});
  EXPECT_EQ(Parse("<p> \t\r\n a\tb\x01 c \n</p>"), Rowset{Text("a\tb\x01 c")});
  EXPECT_EQ(Parse("<table><tr><td> <i>1,5</i>\n</td></tr></table>"), Rowset{Cell("1", "1", "1", "1,5")});
}

TEST(HtmlTextParserText, SpacedTextDropsControlsAndSpacesAfterEveryTagEnd) {
  EXPECT_EQ(Parse("<div>a<b>b</b></div>"), Rowset{Div("a b")});
  EXPECT_EQ(Parse("<div>\ta\tb\r\n<span>c</span>d</div>"), Rowset{Div("ab c d")});
}

TEST(HtmlTextParserText, GreaterThanOutsideATagIsText) {
  EXPECT_EQ(Parse("<p>a > b</p>"), Rowset{Text("a > b")});
  EXPECT_EQ(Parse("<div>a>b</div>"), Rowset{Div("a> b")});
  // A ">" in an attribute ends the tag early.
  EXPECT_EQ(Parse("<p><a title=\"x>y\">z</a></p>"), Rowset{Text("y\">z")});
}

TEST(HtmlTextParserText, TrimsOnlyCodesUpTo32) {
  EXPECT_EQ(Parse("<p>\xC2\xA0x\xC2\xA0</p>"), Rowset{Text("\xC2\xA0x\xC2\xA0")});
  EXPECT_EQ(Parse(std::string("<p>\0 x\x1F</p>", 11)), Rowset{Text("x")});
}

TEST(HtmlTextParserText, KeepsEveryCharacterAndInvalidBytes) {
  EXPECT_EQ(Parse("<p>Цена 中文 😀 €</p>"), Rowset{Text("Цена 中文 😀 €")});
  EXPECT_EQ(Parse("<p>a\xFF\xC3 b\xED\xA0\x80</p>"), Rowset{Text("a\xFF\xC3 b\xED\xA0\x80")});
}

TEST(HtmlTextParserText, EmptyTextsGiveNoRecord) {
  EXPECT_EQ(Parse("<p> <b></b> </p><div>\t<br></div><p>\r\n</p>"), Rowset{});
}

TEST(HtmlTextParserBlocks, BlockIsNotRepeatedAfterABlockOrParagraph) {
  EXPECT_EQ(Parse("<p>x</p><div>x</div><div>y</div><div>y</div>"), (Rowset{Text("x"), Div("y")}));
  EXPECT_EQ(Parse("<p>x</p><p>x</p>"), (Rowset{Text("x"), Text("x")}));
  EXPECT_EQ(Parse("<div>x</div><p>x</p>"), (Rowset{Div("x"), Text("x")}));
  EXPECT_EQ(Parse("<div>x</div><div>X</div><div> x </div>"), (Rowset{Div("x"), Div("X")}));
  EXPECT_EQ(Parse("<table><tr><td>x</td></tr></table><div>x</div>"), (Rowset{Cell("1", "1", "1", "x"), Div("x")}));
}

TEST(HtmlTextParserBlocks, RecordsAlreadyInTheListCount) {
  std::vector<TCatField> fields(4);
  fields[0].Kind = kKindText;
  fields[0].Fsubdata = "a";
  fields[1].Kind = kKindDiv;
  fields[1].Fsubdata = "b";
  fields[2].Kind = kKindForm;
  fields[2].Fsubdata = "c";
  fields[3].Kind = kKindLink;
  fields[3].Fsubdata = "d";
  const std::vector<TCatField> before = fields;
  TableCounters counters;
  HtmlTextParser("<div>a</div><div>b</div><div>c</div><div>d</div>", counters, fields);
  ASSERT_EQ(fields.size(), 6u);
  EXPECT_TRUE(std::equal(before.begin(), before.end(), fields.begin())) << "earlier records stay as they were";
  EXPECT_EQ(Rows({fields[4], fields[5]}), (Rowset{Div("c"), Div("d")}));
}

TEST(HtmlTextParserRecords, TextRecordsCarryNoModesAndPageZero) {
  std::vector<TCatField> fields;
  TableCounters counters;
  HtmlTextParser("<p>x</p>", counters, fields);
  ASSERT_EQ(fields.size(), 1u);
  EXPECT_EQ(fields[0].MatchModes, (std::array<uint8_t, 5>{}));
  EXPECT_EQ(fields[0].PageNo, 0);
}

}  // namespace
}  // namespace vantrope

#include "site/document_fields.h"
#include "support/field_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrope {
namespace {

using testing::Record;

DomFormElement Element(std::string id, std::string name, std::string type, std::string value) {
  return {std::move(id), std::move(name), std::move(type), std::move(value)};
}

DomLink Link(std::string id, std::string title, std::string text, std::string address) {
  return {std::move(id), std::move(title), std::move(text), std::move(address)};
}

std::vector<TCatField> Parse(const DomDocument& document, TableCounters counters = {}) {
  std::vector<TCatField> fields = {Record(kKindDiv, "", "", "", "from the page before")};
  ParseDocumentFields(document, counters, fields);
  return fields;
}

TEST(ParseDocumentFields, FormsThenLinksThenTheBody) {
  DomDocument document;
  document.forms = {{{Element("amount", "amount", "text", "10"), Element("", "buy", "submit", "")}},
                    {},
                    {{Element("", "login", "text", "")}}};
  document.links = {Link("out", "Выход", "Выйти", "http://127.0.0.1/logout"), Link("", "", "", "")};
  document.body_html = "<p>Баланс</p><table><tr><td>1</td></tr></table>";

  const std::vector<TCatField> expected = {
      Record(kKindForm, "amount", "amount", "text", "10"),
      Record(kKindForm, "", "buy", "submit", ""),
      Record(kKindForm, "", "login", "text", ""),
      Record(kKindLink, "out", "Выход", "Выйти", "http://127.0.0.1/logout"),
      Record(kKindLink, "", "", "", ""),
      Record(kKindText, "", "", "", "Баланс"),
      Record(kKindTable, "1", "1", "1", "1"),
  };
  EXPECT_EQ(Parse(document), expected);
}

// A password typed into the page never reaches the parsed page, and with it
// the debug window's grids and the template lines copied from them.
TEST(ParseDocumentFields, PasswordInputsReadAsEmpty) {
  DomDocument document;
  document.forms = {{{Element("loginid", "loginid", "text", "CR100200"), Element("pw", "password", "password", "s3 cret"),
                      Element("pin", "pin", "PassWord", "1234"), Element("", "login", "submit", "password")}}};
  const std::vector<TCatField> expected = {
      Record(kKindForm, "loginid", "loginid", "text", "CR100200"),
      Record(kKindForm, "pw", "password", "password", ""),
      Record(kKindForm, "pin", "pin", "PassWord", ""),
      Record(kKindForm, "", "login", "submit", "password"),
  };
  EXPECT_EQ(Parse(document), expected);
}

TEST(ParseDocumentFields, ElementOrLinkLackingAPropertyIsLeftOut) {
  DomDocument document;
  for (int missing = 0; missing < 4; ++missing) {
    DomFormElement element = Element("i", "n", "t", "v");
    DomLink link = Link("i", "t", "x", "a");
    std::optional<std::string>* element_properties[] = {&element.id, &element.name, &element.type, &element.value};
    std::optional<std::string>* link_properties[] = {&link.id, &link.title, &link.inner_text, &link.address};
    element_properties[missing]->reset();
    link_properties[missing]->reset();
    document.forms.push_back({{element, Element("kept", "n", "t", std::to_string(missing))}});
    document.links.push_back(link);
  }
  document.links.push_back(Link("kept", "t", "x", "a"));

  const std::vector<TCatField> expected = {
      Record(kKindForm, "kept", "n", "t", "0"), Record(kKindForm, "kept", "n", "t", "1"),
      Record(kKindForm, "kept", "n", "t", "2"), Record(kKindForm, "kept", "n", "t", "3"),
      Record(kKindLink, "kept", "t", "x", "a"),
  };
  EXPECT_EQ(Parse(document), expected);
}

TEST(ParseDocumentFields, IdNameAndTypeHoldOnlyWhatCodePage1251Can) {
  DomDocument document;
  document.forms = {{{Element("id€中", "Имя😀", "tÿpe", "значение 中 😀")}}};
  document.links = {Link("ł", "Заголовок", "Текст 中", "http://host/中")};
  const std::vector<TCatField> expected = {
      Record(kKindForm, "id€?", "Имя?", "t?pe", "значение 中 😀"),
      Record(kKindLink, "?", "Заголовок", "Текст ?", "http://host/中"),
  };
  EXPECT_EQ(Parse(document), expected);
}

TEST(ParseDocumentFields, CountersStartAtZeroAndAMissingBodyHasNoText) {
  DomDocument document;
  document.body_html = "<table><tr><td>x</td></tr></table>";
  TableCounters counters{5, 6, 7};
  std::vector<TCatField> fields;
  ParseDocumentFields(document, counters, fields);
  EXPECT_EQ(fields, (std::vector<TCatField>{Record(kKindTable, "1", "1", "1", "x")}));

  document.body_html.reset();
  ParseDocumentFields(document, counters, fields);
  EXPECT_TRUE(fields.empty());
  EXPECT_EQ(counters.TableNo, 0);
  EXPECT_EQ(counters.RowNo, 0);
  EXPECT_EQ(counters.ColNo, 0);
}

TEST(ParseDocumentFields, BlocksAreCheckedOnlyAgainstTextAndBlocks) {
  DomDocument document;
  document.forms = {{{Element("", "", "", "x")}}};
  document.links = {Link("", "", "y", "y")};
  document.body_html = "<div>x</div><div>y</div><p>z</p><div>z</div>";
  const std::vector<TCatField> fields = Parse(document);
  ASSERT_EQ(fields.size(), 5u);
  EXPECT_EQ(fields[2], Record(kKindDiv, "", "", "", "x"));
  EXPECT_EQ(fields[3], Record(kKindDiv, "", "", "", "y"));
  EXPECT_EQ(fields[4], Record(kKindText, "", "", "", "z"));
}

}  // namespace
}  // namespace vantrope

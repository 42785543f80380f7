#include "markup_generator.h"

#include <array>
#include <random>
#include <string_view>
#include <vector>

namespace vantrope {

namespace {

class Dice {
 public:
  explicit Dice(uint32_t seed) : engine_(seed) {}

  size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(engine_); }
  bool Chance(double p) { return std::bernoulli_distribution(p)(engine_); }

  template <typename Container>
  const auto& Pick(const Container& items) {
    return items[Below(std::size(items))];
  }

 private:
  std::mt19937 engine_;
};

// ---- a realistic page ----

constexpr std::array<std::string_view, 16> kPairs = {
    "EUR/USD", "AUD/JPY", "AUD/USD", "EUR/AUD", "EUR/CAD", "EUR/GBP", "EUR/JPY", "GBP/AUD",
    "GBP/CAD", "GBP/JPY", "GBP/USD", "NZD/USD", "USD/CAD", "USD/JPY", "USD/SEK", "EUR/CHF"};
constexpr std::array<std::string_view, 8> kMenu = {"Торговля", "Портфель", "Счёт",   "Statement",
                                                   "Ресурсы",  "Help",     "Выход", "Пополнить счёт"};
constexpr std::array<std::string_view, 8> kNews = {
    "Рынки открыты", "Курс доллара вырос на 0,5%", "Markets are open", "Новые контракты доступны",
    "Выплата до 85%", "Технические работы в воскресенье", "Bonus — 10 €", "Котировки обновляются каждую секунду"};

std::string Price(Dice& dice) {
  return std::to_string(1 + dice.Below(150)) + "." + std::to_string(1000 + dice.Below(9000));
}

void Menu(Dice& dice, std::string& out) {
  out += "<div class=\"header\">\n  <div class=\"logo\"><a href=\"/\"><img src=\"/logo.png\" alt=\"Брокер\"></a></div>\n";
  out += "  <ul class=\"menu\">";
  for (const auto item : kMenu) out += "<li><a href=\"/d/" + std::to_string(dice.Below(100)) + "\">" + std::string(item) + "</a></li>";
  out += "</ul>\n  <div class=\"user\">Счёт: <b>CR" + std::to_string(100000 + dice.Below(900000)) +
         "</b> Баланс: <span id=\"balance\">" + Price(dice) + " USD</span></div>\n</div>\n";
}

void PriceTable(Dice& dice, std::string& out, int depth) {
  out += "<table class=\"prices\" cellspacing=\"0\">\n<thead><tr><th>Пара</th><th>Цена</th><th class=\"payout\">Выплата</th><th></th></tr></thead>\n<tbody>\n";
  const size_t rows = 3 + dice.Below(12);
  for (size_t r = 0; r < rows; ++r) {
    out += "<tr class=\"" + std::string(r % 2 ? "odd" : "even") + "\"><td class=\"pair\">" + std::string(dice.Pick(kPairs)) +
           "</td><td>" + Price(dice) + "<span class=\"pip\">" + std::to_string(dice.Below(10)) + "</span></td><td>" +
           std::to_string(70 + dice.Below(20)) + "%</td><td>";
    if (depth < 2 && dice.Chance(0.1)) {
      PriceTable(dice, out, depth + 1);
    } else {
      out += "<a class=\"button\" href=\"#\">Купить</a>";
    }
    out += "</td></tr>\n";
  }
  out += "</tbody>\n</table>\n";
}

void TradeForm(Dice& dice, std::string& out) {
  out += "<form name=\"buy\" method=\"post\" action=\"/d/trade.cgi\">\n<div class=\"row\"><label for=\"amount\">Ставка</label>"
         "<input type=\"text\" id=\"amount\" name=\"amount\" value=\"" +
         std::to_string(dice.Below(100)) +
         "\"></div>\n<div class=\"row\"><label>Срок</label><select name=\"duration_units\"><option value=\"s\">секунды</option>"
         "<option value=\"m\" selected=\"\">минуты</option></select></div>\n"
         "<div class=\"row\"><input type=\"submit\" value=\"Выше\"> <input type=\"submit\" value=\"Ниже\"></div>\n</form>\n";
}

void NewsBlock(Dice& dice, std::string& out) {
  out += "<div class=\"news\">\n";
  const size_t items = 1 + dice.Below(5);
  for (size_t i = 0; i < items; ++i) {
    const auto text = dice.Pick(kNews);
    if (dice.Chance(0.5)) {
      out += "  <div class=\"item\"><span class=\"date\">" + std::to_string(1 + dice.Below(28)) + ".05.2015</span> " +
             std::string(text) + "</div>\n";
    } else {
      out += "  <p>" + std::string(text) + "&nbsp;<a href=\"/news\">далее</a></p>\n";
    }
  }
  out += "</div>\n";
}

void Script(Dice& dice, std::string& out) {
  out += "<script type=\"text/javascript\">\nvar n = " + std::to_string(dice.Below(50)) +
         ";\nfor (var i = 0; i < n; i++) { if (i > 3 && n < 40) { document.title = '<div>' + i; } }\n</script>\n";
}

// ---- nasty markup ----

constexpr std::array<std::string_view, 20> kTagNames = {
    "p",     "table", "tr",  "th",   "td",    "div",  "span", "b",     "a",   "pre",
    "tbody", "thead", "td2", "dıv",  "dİv",   "tdſ",  "trs",  "DIV",   "font", "img"};
constexpr std::array<std::string_view, 8> kAttributes = {
    " class=x", " id=\"a\"", " title=\"x>y\"", " data-a='<td>'", "  ", " /", "\tclass=t", " style=\"a:b\""};
constexpr std::array<std::string_view, 24> kTexts = {
    "x",    "Цена",  "1.2345", "  ",        "\t",   "\r\n",     "\xC2\xA0",  "a\x01" "b", std::string_view("\0z", 2),
    "中文", "😀",    "Ёж",     "\xFF",      "\xC3", "\xED\xA0\x80", "€",  "ı",       "ſ",
    "<",    ">",     "< ",     "<<",        "a>b",  " EUR/USD "};
constexpr std::array<std::string_view, 14> kOddPieces = {
    "<>", "</>", "<br/>", "<p/>", "<td/>", "</p>", "<!-- <td>c</td> -->", "<script>if(a<b&&c>d){x='</div>'}</script>",
    "</td >", "</ td>", "</TD>", "</Div>", "</dıv>", "<td\n>"};

void Case(Dice& dice, std::string& name) {
  for (char& c : name) {
    if (c >= 'a' && c <= 'z' && dice.Chance(0.3)) c = static_cast<char>(c - 'a' + 'A');
    else if (c >= 'A' && c <= 'Z' && dice.Chance(0.3)) c = static_cast<char>(c - 'A' + 'a');
  }
}

void NastyPiece(Dice& dice, std::string& out, std::vector<std::string>& open) {
  switch (dice.Below(6)) {
    case 0:
    case 1: {
      std::string name(dice.Pick(kTagNames));
      Case(dice, name);
      out += "<" + name;
      if (dice.Chance(0.4)) out += dice.Pick(kAttributes);
      out += ">";
      open.push_back(name);
      break;
    }
    case 2:
      if (!open.empty()) {
        std::string name = open.back();
        open.pop_back();
        if (dice.Chance(0.2)) Case(dice, name);
        if (!dice.Chance(0.15)) out += "</" + name + ">";
      }
      break;
    case 3:
      out += dice.Pick(kOddPieces);
      break;
    default:
      out += dice.Pick(kTexts);
      break;
  }
}

}  // namespace

std::string RealisticBody(uint32_t seed, size_t min_bytes) {
  Dice dice(seed);
  std::string out;
  Menu(dice, out);
  while (out.size() < min_bytes) {
    switch (dice.Below(6)) {
      case 0:
      case 1:
        PriceTable(dice, out, 0);
        break;
      case 2:
        TradeForm(dice, out);
        break;
      case 3:
      case 4:
        NewsBlock(dice, out);
        break;
      default:
        if (dice.Chance(0.5)) Script(dice, out);
        else out += "<!-- block " + std::to_string(dice.Below(1000)) + " -->\n<div><div><div class=\"footer\">© 2015 Брокер</div></div></div>\n";
        break;
    }
  }
  return out;
}

std::string NastyMarkup(uint32_t seed, size_t pieces) {
  Dice dice(seed);
  std::string out;
  std::vector<std::string> open;
  for (size_t i = 0; i < pieces; ++i) NastyPiece(dice, out, open);
  while (!open.empty() && dice.Chance(0.8)) {
    out += "</" + open.back() + ">";
    open.pop_back();
  }
  return out;
}

}  // namespace vantrope

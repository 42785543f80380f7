#include "money.h"

#include <cstdlib>

namespace vantrope::demo {

std::string FormatAmount(Cents amount, Language language) {
  const bool russian = language == Language::kRussian;
  const Cents magnitude = amount < 0 ? -amount : amount;
  const std::string units = std::to_string(magnitude / 100);
  std::string grouped;
  for (size_t i = 0; i < units.size(); ++i) {
    if (i > 0 && (units.size() - i) % 3 == 0) grouped += russian ? ' ' : ',';
    grouped += units[i];
  }
  const Cents cents = magnitude % 100;
  std::string text = amount < 0 ? "-" : "";
  text += grouped;
  text += russian ? ',' : '.';
  text += static_cast<char>('0' + cents / 10);
  text += static_cast<char>('0' + cents % 10);
  return text;
}

std::string PlainAmount(Cents amount) {
  const Cents magnitude = amount < 0 ? -amount : amount;
  const Cents cents = magnitude % 100;
  return (amount < 0 ? "-" : "") + std::to_string(magnitude / 100) + (cents < 10 ? ".0" : ".") + std::to_string(cents);
}

std::string CurrencyAmount(Cents amount, Language language) {
  return std::string(kCurrency) + " " + FormatAmount(amount, language);
}

std::string FormatProfit(Cents amount, Language language) {
  return amount < 0 ? FormatAmount(amount, language) : "+" + FormatAmount(amount, language);
}

std::optional<Cents> ParseAmount(std::string_view text) {
  const size_t point = text.find('.');
  const std::string_view units = text.substr(0, point);
  const std::string_view decimals = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if (units.empty() || units.size() > 9) return std::nullopt;
  if (point != std::string_view::npos && (decimals.empty() || decimals.size() > 2)) return std::nullopt;
  Cents value = 0;
  for (char c : units) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  Cents fraction = 0;
  for (size_t i = 0; i < 2; ++i) {
    const char c = i < decimals.size() ? decimals[i] : '0';
    if (c < '0' || c > '9') return std::nullopt;
    fraction = fraction * 10 + (c - '0');
  }
  return value * 100 + fraction;
}

}  // namespace vantrope::demo

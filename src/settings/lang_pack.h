// The language pack: every text the program shows at run time, by number.
#pragma once

#include <array>
#include <string>

namespace vantrope {

class TLangPack {
 public:
  static constexpr int kSize = 300;

  // Empty for a number outside the pack or a text that is missing.
  const std::string& Text(int number) const {
    static const std::string empty;
    return number >= 0 && number < kSize ? texts_[number] : empty;
  }
  void SetText(int number, std::string text) {
    if (number >= 0 && number < kSize) texts_[number] = std::move(text);
  }

 private:
  std::array<std::string, kSize> texts_;
};

}  // namespace vantrope

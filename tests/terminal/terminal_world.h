// A started main window watching one fake terminal window.
#pragma once

#include <string>

#include "arrow_drawing.h"
#include "support/form_fixture.h"

namespace vantrope::testing {

class TerminalFixture : public FormFixture {
 protected:
  static constexpr int kWidth = 800;
  static constexpr int kHeight = 600;

  void SetUp() override {
    WriteSettings(
        "[LangPack]\nTXT_86=не найдена\nTXT_130=Таймфрейм терминала:\nTXT_131=найдена\nTXT_132=Сигнал вверх\n"
        "TXT_133=Сигнал вниз\nTXT_134=Смена пары [\nTXT_135= -> \n"
        "TXT_288=Окно терминала не видно\n");
    Start();
    FakeWindowSystem::Terminal terminal;
    terminal.caption = "  1000200: Demo-Server - Demo Account - [EURUSD,M15]  ";
    terminal.rect = {100, 50, 100 + kWidth, 50 + kHeight};
    terminal.picture = Blank(kWidth, kHeight);
    fake.windows.terminals.push_back(terminal);
  }

  static Bitmap Blank(int width, int height) { return Filled(width, height, ui::Rgb(10, 10, 30)); }

  FakeWindowSystem::Terminal& Terminal() { return fake.windows.terminals[0]; }
  // An arrow at the strip's column x and row y.
  void DrawOnChart(int x, int y, bool up) {
    DrawArrow(Terminal().picture, Terminal().rect.right - Terminal().rect.left - 128 + x, y, up, up ? kGreen : kRed);
  }
  void SwitchSeekingOn() {
    form->cbAlpariSeek.SetChecked(true);
    form->cbAlpariSeekClick();
  }
  // One pass of the seeker.
  void Pass() { fake.clock.Advance(1000); }

  int Rows() const { return form->event_log.gwLog.RowCount(); }
  // The log's text cell, without the blanks it starts with.
  std::string Text(int row) const { return form->event_log.gwLog.Cell(2, row).substr(2); }
  std::string Type(int row) const { return form->event_log.gwLog.Cell(3, row); }
};

}  // namespace vantrope::testing

#include "debug/debug_form.h"

#include "text/utf8.h"

namespace vantrope {

namespace {

std::string ZeroPadded(unsigned value, size_t digits) {
  std::string text = std::to_string(value);
  if (text.size() < digits) text.insert(0, digits - text.size(), '0');
  return text;
}

}  // namespace

// The design-time captions and settings of the controls.
TfmDebug::TfmDebug(Clock& clock) : clock_(clock) {
  Form.SetVisible(false);
  Form.SetCaption("Данные отладки");
  const char* const pages[] = {"Контроль ALPARI", "HTML-декомпилятор", "Протокол событий и сообщений",
                               "Протокол опознания WEB-страницы"};
  for (int page = 0; page < kPageCount; ++page) pcDebug.SetPageCaption(page, pages[page]);

  captions.gbTerminalControl.SetCaption(" Контроль терминала ALPARI ");
  captions.lbName.SetCaption("Название:");
  captions.lbHandle.SetCaption("Указатель:");
  captions.lbValute.SetCaption("Валюта:");
  captions.lbPosX.SetCaption("Поз X:");
  captions.lbPosY.SetCaption("Поз Y:");
  captions.lbWidth.SetCaption("Ширина:");
  captions.lbHeight.SetCaption("Высота:");
  captions.gbTerminal.SetCaption("Терминал ");
  captions.pnSearchImages.SetCaption("Поисковые образы ");
  captions.lbSnapTime.SetCaption("Время последнего снимка экрана терминала:");
  terminal.lbArrowUpFound.SetCaption("- не найдена");
  terminal.lbArrowDownFound.SetCaption("- не найдена");

  arrow_simulator.gbSimulator.SetCaption(" Симулятор ");
  for (ArrowButtons* arrows : {&arrow_simulator.arrows, &robot_debug.arrows}) {
    arrows->btArrowUp.SetCaption("⇧");
    arrows->btArrowDown.SetCaption("⇩");
    for (ui::Button* button : {&arrows->btArrowUp, &arrows->btArrowDown})
      button->SetHint("Имитатор срабатывания сигнала \"обнаружена стрелка индикатора\"");
  }
  manual_bet.gbSiteControl.SetCaption(" Контроль управления сайтом ");
  manual_bet.lbStake.SetCaption("Ставка");
  manual_bet.btBetUp.SetCaption("Ставка на рост курса");
  manual_bet.btBetDown.SetCaption("Ставка на падение курса");

  const char* const states[] = {"0 сайт к ставкам не готов", "1 сайт готов к ставкам", "2 ждем цен",
                                "3 ставка невозможна",       "4 ставка сделана",
                                "5 ставка принята, ждем результат", "6 ставка выиграна:", "7 ставка проиграна:"};
  for (SiteStateButtons* buttons : {&site_simulator.states, &robot_debug.states})
    for (int state = 0; state < kSiteStateCount; ++state) buttons->rbState[state].SetCaption(states[state]);
  site_simulator.gbWebSim.SetCaption(" Имитатор сайта ");
  for (ui::NumberEdit* amount : {&site_simulator.NumericEditor1, &robot_debug.NumericEditor2}) {
    amount->SetDecimals(2);
    amount->SetSuffix(" USD");
  }
  for (ui::Button* call : {&site_simulator.Button9, &robot_debug.btCallRobot}) call->SetCaption("Обращение к роботу");
  for (ui::Button* updated : {&site_simulator.Button5, &robot_debug.btSiteUpdated})
    updated->SetCaption("Данные сайта обновились");
  site_simulator.CheckBox1.SetCaption("Симулятор сайта включен");

  robot_debug.gbRobotDebug.SetCaption(" Отладка алгоритма робота  ");
  robot_debug.gbRobotDebug.SetVisible(false);
  robot_debug.Button11.SetCaption("+");
  robot_debug.Button11.SetHint("Прибавить указанную сумму к балансу");

  parser.miCopyRow.SetCaption("Скопировать данные строки в буфер обмена");
  parser.miCopyAll.SetCaption("Скопировать все данные в буфер обмена");
  parser.miCopyAll.SetTag(1);
  // The value to write into the page is typed into the Fsubdata cell.
  parser.gwDebug.SetColumnEditable(5);
  parser.mmWebRecogLog.SetHint("Двойной клик - провести опознание страницы с протоколированием");
}

void TfmDebug::FormCreate(const WindowBounds& bounds, bool simulator_enabled) {
  site_simulator.CheckBox1.SetChecked(simulator_enabled);
  robot_debug.gbRobotDebug.SetVisible(simulator_enabled);
  stored_bounds_ = bounds;
  Form.SetVisible(false);
  Form.SetMinSize(kMinWidth, kMinHeight);
  // Never stored yet: the window's own size.
  Form.SetBounds(bounds.left, bounds.top, bounds.width > 0 ? bounds.width : kDesignWidth,
                 bounds.height > 0 ? bounds.height : kDesignHeight);
}

void TfmDebug::FormClose() {
  stored_bounds_ = {Form.Top(), Form.Left(), Form.Width(), Form.Height()};
  Form.SetVisible(false);
}

void TfmDebug::Show(const TLangPack& texts) {
  if (Form.Visible()) {
    Form.BringToFront();
    return;
  }
  FormShow(texts);
  Form.SetVisible(true);
}

// Every caption that has its text in the language pack takes it; one without
// keeps its design-time caption.
void TfmDebug::FormShow(const TLangPack& texts) {
  // A group's caption stands between blanks.
  const auto relabel = [&texts](ui::Control& control, int number, const char* before = "", const char* after = "") {
    const std::string& text = texts.Text(number);
    if (!text.empty()) control.SetCaption(before + text + after);
  };
  for (int page = 0; page < kPageCount; ++page) {
    const std::string& text = texts.Text(72 + page);
    if (!text.empty()) pcDebug.SetPageCaption(page, text);
  }
  relabel(captions.gbTerminalControl, 76, " ", " ");
  relabel(captions.lbName, 77);
  relabel(captions.lbHandle, 78);
  relabel(captions.lbValute, 79);
  relabel(captions.lbPosX, 80);
  relabel(captions.lbPosY, 81);
  relabel(captions.lbWidth, 82);
  relabel(captions.lbHeight, 83);
  relabel(captions.gbTerminal, 84, " ", " ");
  relabel(captions.pnSearchImages, 85);
  relabel(terminal.lbArrowUpFound, 86, " ");
  relabel(terminal.lbArrowDownFound, 86, " ");
  relabel(captions.lbSnapTime, 87);
  relabel(arrow_simulator.gbSimulator, 88, " ", " ");
  relabel(manual_bet.gbSiteControl, 89, " ", " ");
  relabel(manual_bet.lbStake, 90);
  relabel(manual_bet.btBetUp, 91);
  relabel(manual_bet.btBetDown, 92);
  relabel(site_simulator.gbWebSim, 93, " ", " ");
  // The states in the order of their texts.
  const int states[] = {0, 1, 3, 4, 6, 7, 2, 5};
  for (int i = 0; i < kSiteStateCount; ++i) relabel(site_simulator.states.rbState[states[i]], 94 + i);
  relabel(site_simulator.Button9, 102);
  relabel(site_simulator.Button5, 103);
  relabel(site_simulator.CheckBox1, 104);
}

void TfmDebug::AddStringToDebugLog(const DebugStamp& stamp, const std::string& text) {
  if (mmLog.Lines().size() >= kLogViewLines) mmLog.DeleteFirst();
  const std::string line = " " + ZeroPadded(stamp.BetOnStatus, 5) + " " + ZeroPadded(stamp.PageIndex, 3) + " " +
                           ZeroPadded(stamp.RobotStatus, 3) + " " + ZeroPadded(stamp.RobotSubStatus, 3) + " > " + text;
  if (line == LastDebugLine) return;
  LastDebugLine = line;

  const double now = clock_.Now();
  mmLog.Append(LongTimeText(clock_, now) + line);
  const std::string time = DateTimeText(clock_, now) + ": ";
  auto error = LogFile.WriteLine(Utf8PadRight(time, 23) + line);
  if (error && onLogFileFault) onLogFileFault(*error);
}

}  // namespace vantrope

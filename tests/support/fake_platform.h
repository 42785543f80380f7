// Test doubles of the platform ports, gathered in one platform.
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/platform.h"
#include "support/virtual_clock.h"

namespace vantrope::testing {

class FakeShell : public Shell {
 public:
  void BringToFront() override { ++bring_to_front_calls; }
  void Terminate() override { ++terminate_calls; }
  void ShowErrorReport(const std::string& text) override { error_reports.push_back(text); }
  void KeepSystemAwake() override { ++keep_awake_calls; }
  void RegisterBrowserEmulation(const std::string& program_name, uint32_t mode) override {
    emulation_requests.push_back(program_name + "=" + std::to_string(mode));
  }

  std::vector<std::string> emulation_requests;

  int bring_to_front_calls = 0;
  int terminate_calls = 0;
  int keep_awake_calls = 0;
  std::vector<std::string> error_reports;
};

// Records every box shown and answers with the next scripted result
// (Ok when none is scripted).
class FakeDialogs : public Dialogs {
 public:
  struct Shown {
    std::string title;
    std::string text;
    DialogKind kind;
    std::vector<DialogButton> buttons;
    std::vector<std::string> captions;
  };

  ModalResult MessageBox(const std::string& title, const std::string& text, DialogKind kind,
                         const std::vector<DialogButton>& buttons, const std::vector<std::string>& captions) override {
    shown.push_back({title, text, kind, buttons, captions});
    if (answers.empty()) return ModalResult::Ok;
    ModalResult answer = answers.front();
    answers.pop_front();
    return answer;
  }
  // Kept with the modal boxes, as the user sees them; answered by nobody.
  void ShowNotice(const std::string& title, const std::string& text, DialogKind kind) override {
    shown.push_back({title, text, kind, {DialogButton::Ok}, {}});
    ++notices;
  }
  std::optional<std::string> AskSaveFileName(const std::string& filter, const std::string& title) override {
    save_requests.push_back(filter + "|" + title);
    return save_file_name;
  }

  std::deque<ModalResult> answers;
  std::vector<Shown> shown;
  int notices = 0;
  std::optional<std::string> save_file_name;
  std::vector<std::string> save_requests;
};

class FakeClipboard : public Clipboard {
 public:
  void SetText(const std::string& t, uint32_t locale_id) override {
    text = t;
    locale = locale_id;
  }
  std::string text;
  uint32_t locale = 0;
};

class FakeSoundPlayer : public SoundPlayer {
 public:
  void Play(const std::vector<uint8_t>& wave) override { played.push_back(wave); }
  std::vector<std::vector<uint8_t>> played;
};

class FakeProcessMemory : public ProcessMemory {
 public:
  uint64_t WorkingSetSize() override { return working_set; }
  void TrimWorkingSet() override { ++trims; }
  uint64_t working_set = 0;
  int trims = 0;
};

// A browser whose page is the document the test sets. Its answers come one
// millisecond of virtual time after they are asked for.
class FakeBrowser : public WebBrowser {
 public:
  explicit FakeBrowser(ui::TimerHost& timers)
      : answer_timer_(timers, "FakeBrowserAnswer", 1, [this] { AnswerAll(); }) {}

  void Navigate(const std::string& url) override { navigations.push_back(url); }
  // Raises the events a navigation raises, as the real browser does later.
  void FinishNavigation(const std::string& url) {
    if (onBeforeNavigate) onBeforeNavigate(url);
    if (onProgressChange) onProgressChange();
    if (onDocumentComplete) onDocumentComplete();
  }
  void Stop() override {
    ++stops;
    if (stops_until_idle > 0 && --stops_until_idle == 0) busy = false;
  }
  bool GoBack() override {
    ++backs;
    return true;
  }
  bool Busy() override { return busy; }
  std::string LocationUrl() override { return navigations.empty() ? std::string() : navigations.back(); }
  void ClearHistory() override { ++history_clears; }
  void SetLoadPictures(bool load) override { load_pictures = load; }

  void ReadDocument(DocumentHandler done) override {
    ++document_reads;
    Later([this, done] { done(answers ? document : std::nullopt); });
  }
  void RunActions(std::vector<DomAction> actions, ActionsHandler done) override {
    Later([this, actions = std::move(actions), done] {
      action_batches.push_back(actions);
      std::vector<DomActionResult> results;
      bool all_took = true;
      for (const DomAction& action : actions) {
        DomActionResult result{answers, 0};
        if (answers && (!action.only_after_success || all_took)) result.count = Act(action);
        all_took = all_took && result.count > 0;
        results.push_back(result);
      }
      done(results);
    });
  }

  std::optional<DomDocument> document;
  // While false, the page answers nothing: no document, no word of the actions.
  bool answers = true;
  std::vector<std::vector<DomAction>> action_batches;
  std::vector<std::pair<size_t, size_t>> clicks;
  int document_reads = 0;
  std::vector<std::string> navigations;
  int stops = 0;
  int backs = 0;
  int history_clears = 0;
  bool busy = false;
  int stops_until_idle = 0;  // a busy browser that stops after this many Stop calls
  std::optional<bool> load_pictures;

 private:
  void Later(std::function<void()> answer) {
    pending_.push_back(std::move(answer));
    answer_timer_.SetEnabled(true);
  }
  void AnswerAll() {
    answer_timer_.SetEnabled(false);
    std::vector<std::function<void()>> answers_now;
    answers_now.swap(pending_);
    for (const std::function<void()>& answer : answers_now) answer();
  }
  int Act(const DomAction& action) {
    if (!document) return 0;
    int count = 0;
    for (size_t form = 0; form < document->forms.size(); ++form)
      for (size_t element = 0; element < document->forms[form].elements.size(); ++element) {
        DomFormElement& e = document->forms[form].elements[element];
        if (!(e.id == action.id && e.name == action.name && e.type == action.type)) continue;
        if (action.kind == DomAction::Kind::Click) {
          clicks.emplace_back(form, element);
          return 1;
        }
        e.value = action.value;
        ++count;
      }
    return count;
  }

  ui::Timer answer_timer_;
  std::vector<std::function<void()>> pending_;
};

// Top-level windows by title, each with its buttons by caption.
class FakeWindowSystem : public WindowSystem {
 public:
  WindowHandle FindTopLevelWindowByTitle(const std::string& title) override {
    for (size_t i = 0; i < windows.size(); ++i)
      if (windows[i].title == title) return i + 1;
    return 0;
  }
  WindowHandle FindChildWindow(WindowHandle parent, const std::string& class_name,
                               const std::string& caption) override {
    if (parent == 0 || parent > windows.size() || class_name != "Button") return 0;
    const auto& buttons = windows[parent - 1].buttons;
    for (size_t i = 0; i < buttons.size(); ++i)
      if (buttons[i] == caption) return parent * 1000 + i;
    return 0;
  }
  void ClickButton(WindowHandle button) override {
    clicked.push_back(windows.at(button / 1000 - 1).buttons.at(button % 1000));
  }


  // Terminal windows by class, in the order of the list: handles from
  // kTerminalHandleBase on.
  std::vector<TopLevelWindow> TopLevelWindowsOfClass(const std::string& class_name) override {
    ++class_searches;
    std::vector<TopLevelWindow> found;
    for (size_t i = 0; i < terminals.size(); ++i) {
      const Terminal& t = terminals[i];
      if (t.exists && t.class_name == class_name)
        found.push_back({kTerminalHandleBase + i, t.caption, t.rect.right - t.rect.left, t.rect.bottom - t.rect.top,
                         false, WindowRole::kNormal,
                         t.sight == Sight::kShown ? WindowShowState::kShown : WindowShowState::kMinimised});
    }
    return found;
  }
  std::string WindowCaption(WindowHandle window) override {
    const Terminal* terminal = Find(window);
    return terminal ? terminal->caption : std::string();
  }
  bool GetWindowRect(WindowHandle window, WindowRect& rect) override {
    const Terminal* terminal = Find(window);
    if (!terminal || terminal->rect_fails) return false;
    rect = terminal->sight == Sight::kShown ? terminal->rect : kMinimisedRect;
    return true;
  }
  // Mapping the window de-iconifies it; one on another desktop stays there.
  void ShowWindowNoActivate(WindowHandle window) override {
    calls.push_back("restore " + Name(window));
    Restore(window);
  }
  void ShowWindow(WindowHandle window) override {
    calls.push_back("show " + Name(window));
    Restore(window);
  }
  void BringWindowToTop(WindowHandle window) override {
    calls.push_back("raise " + Name(window));
    if (Terminal* terminal = Find(window)) terminal->covered = false;
  }
  // What the window's region of the screen shows: the cover over the
  // terminal's own picture while something lies over it.
  bool CopyWindowPixels(WindowHandle window, int x, int y, Bitmap& into) override {
    const Terminal* terminal = Find(window);
    // A window out of sight has nothing on the screen to copy.
    if (!terminal || terminal->copy_fails || terminal->sight != Sight::kShown) return false;
    const Bitmap& picture = terminal->picture;
    // Row by row where the whole copy lies in the uncovered picture.
    if (!terminal->covered && x >= 0 && y >= 0 && x + into.Width() <= picture.Width() &&
        y + into.Height() <= picture.Height()) {
      for (int row = 0; row < into.Height(); ++row)
        std::copy_n(picture.Row(y + row) + x, into.Width(), into.Row(row));
      return true;
    }
    for (int row = 0; row < into.Height(); ++row)
      for (int col = 0; col < into.Width(); ++col) {
        const bool covered = terminal->covered && terminal->cover.Pixel(x + col, y + row) != Bitmap::kInvalidColor;
        const Bitmap& source = covered ? terminal->cover : terminal->picture;
        const ui::Color pixel = source.Pixel(x + col, y + row);
        into.SetPixel(col, row, pixel == Bitmap::kInvalidColor ? ui::Rgb(0, 0, 0) : pixel);
      }
    return true;
  }
  void DrawFrame(WindowHandle window, const WindowRect& frame, ui::Color color) override {
    frames.push_back({window, frame, color});
  }

  static constexpr WindowHandle kTerminalHandleBase = 0x5000;
  // What the window system reports for a window out of sight.
  static constexpr WindowRect kMinimisedRect{-32000, -32000, -32000 + 160, -32000 + 28};
  // Where the window manager keeps a terminal.
  enum class Sight : uint8_t {
    kShown,
    kMinimised,     // iconified: a restore brings it back
    kOtherDesktop,  // reported minimised; a restore leaves it away until the test brings it back
  };
  struct Window {
    std::string title;
    std::vector<std::string> buttons;
  };
  struct Terminal {
    std::string class_name = "MetaQuotes::MetaTrader::4.00";
    std::string caption;
    WindowRect rect;
    Bitmap picture;  // the window's own pixels, window coordinates
    Bitmap cover;    // another window's pixels over it, where not invalid
    bool covered = false;
    bool copy_fails = false;
    bool rect_fails = false;
    bool exists = true;
    Sight sight = Sight::kShown;
  };
  struct Frame {
    WindowHandle window;
    WindowRect rect;
    ui::Color color;
  };
  std::vector<Window> windows;
  std::vector<std::string> clicked;
  std::vector<Terminal> terminals;
  std::vector<std::string> calls;
  std::vector<Frame> frames;
  int class_searches = 0;

 private:
  Terminal* Find(WindowHandle window) {
    if (window < kTerminalHandleBase || window - kTerminalHandleBase >= terminals.size()) return nullptr;
    Terminal& terminal = terminals[window - kTerminalHandleBase];
    return terminal.exists ? &terminal : nullptr;
  }
  void Restore(WindowHandle window) {
    Terminal* terminal = Find(window);
    if (terminal && terminal->sight == Sight::kMinimised) terminal->sight = Sight::kShown;
  }
  static std::string Name(WindowHandle window) { return std::to_string(window); }
};

struct FakePlatform {
  VirtualClock clock;
  FakeShell shell;
  FakeDialogs dialogs;
  FakeClipboard clipboard;
  FakeSoundPlayer sounds;
  FakeProcessMemory memory;
  FakeBrowser browser{clock};
  FakeWindowSystem windows;
  Platform platform{clock, clock, shell, dialogs, clipboard, sounds, memory, browser, windows};
};

}  // namespace vantrope::testing

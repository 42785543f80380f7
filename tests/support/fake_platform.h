// Test doubles of the platform ports, gathered in one platform.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/platform.h"
#include "support/virtual_clock.h"

namespace vantrope::testing {

class FakeShell : public Shell {
 public:
  void ProcessMessages() override { ++process_messages_calls; }
  void BringToFront() override { ++bring_to_front_calls; }
  void Terminate() override { ++terminate_calls; }
  void ShowErrorReport(const std::string& text) override { error_reports.push_back(text); }
  void KeepSystemAwake() override { ++keep_awake_calls; }
  // Waiting lets virtual time pass, as the real wait lets real time pass.
  void Sleep(int ms) override {
    slept_ms += ms;
    if (clock != nullptr) clock->Advance(ms);
  }
  void RegisterBrowserEmulation(const std::string& program_name, uint32_t mode) override {
    emulation_requests.push_back(program_name + "=" + std::to_string(mode));
  }

  VirtualClock* clock = nullptr;
  int slept_ms = 0;
  std::vector<std::string> emulation_requests;

  int process_messages_calls = 0;
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
  std::optional<std::string> AskSaveFileName(const std::string& filter, const std::string& title) override {
    save_requests.push_back(filter + "|" + title);
    return save_file_name;
  }

  std::deque<ModalResult> answers;
  std::vector<Shown> shown;
  std::optional<std::string> save_file_name;
  std::vector<std::string> save_requests;
};

class FakeClipboard : public Clipboard {
 public:
  void SetText(const std::string& t) override { text = t; }
  std::string text;
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

class FakeBrowser : public WebBrowser {
 public:
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
  void GoBack() override { ++backs; }
  bool Busy() override { return busy; }
  std::string LocationUrl() override { return navigations.empty() ? std::string() : navigations.back(); }
  void ClearHistory() override { ++history_clears; }
  void SetLoadPictures(bool load) override { load_pictures = load; }

  std::optional<DomDocument> ReadDocument() override {
    ++document_reads;
    return document;
  }
  bool SetElementValue(size_t form, size_t element, const std::string& value) override {
    if (!document || form >= document->forms.size() || element >= document->forms[form].elements.size()) return false;
    document->forms[form].elements[element].value = value;
    return true;
  }
  bool ClickElement(size_t form, size_t element) override {
    if (!document || form >= document->forms.size() || element >= document->forms[form].elements.size()) return false;
    clicks.emplace_back(form, element);
    return true;
  }

  std::optional<DomDocument> document;
  std::vector<std::pair<size_t, size_t>> clicks;
  int document_reads = 0;
  std::vector<std::string> navigations;
  int stops = 0;
  int backs = 0;
  int history_clears = 0;
  bool busy = false;
  int stops_until_idle = 0;  // a busy browser that stops after this many Stop calls
  std::optional<bool> load_pictures;
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

  struct Window {
    std::string title;
    std::vector<std::string> buttons;
  };
  std::vector<Window> windows;
  std::vector<std::string> clicked;
};

struct FakePlatform {
  FakePlatform() { shell.clock = &clock; }
  VirtualClock clock;
  FakeShell shell;
  FakeDialogs dialogs;
  FakeClipboard clipboard;
  FakeSoundPlayer sounds;
  FakeProcessMemory memory;
  FakeBrowser browser;
  FakeWindowSystem windows;
  Platform platform{clock, clock, shell, dialogs, clipboard, sounds, memory, browser, windows};
};

}  // namespace vantrope::testing

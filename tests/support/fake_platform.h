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
  void Stop() override { ++stops; }
  void GoBack() override { ++backs; }
  bool Busy() override { return busy; }
  std::string LocationUrl() override { return navigations.empty() ? std::string() : navigations.back(); }
  void ClearHistory() override { ++history_clears; }
  void SetLoadPictures(bool load) override { load_pictures = load; }

  std::optional<DomDocument> ReadDocument() override { return document; }
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
  std::vector<std::string> navigations;
  int stops = 0;
  int backs = 0;
  int history_clears = 0;
  bool busy = false;
  std::optional<bool> load_pictures;
};

struct FakePlatform {
  VirtualClock clock;
  FakeShell shell;
  FakeDialogs dialogs;
  FakeClipboard clipboard;
  FakeSoundPlayer sounds;
  FakeProcessMemory memory;
  FakeBrowser browser;
  Platform platform{clock, clock, shell, dialogs, clipboard, sounds, memory, browser};
};

}  // namespace vantrope::testing

#include "qt_program.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <filesystem>

#include "app/qt/qt_text.h"

namespace vantrope::testing {

namespace {
constexpr int kModalWatchMs = 100;
}  // namespace

QtProgram::QtProgram(int time_scale, const std::function<void(IniFile&)>& edit_settings,
                     const std::filesystem::path& data_folder)
    : timers(time_scale),
      shell(timers, browser, [this] { windows.ResetScreenSaver(); }),
      platform{clock, timers, shell, dialogs, clipboard, sounds, memory, browser, windows},
      form(platform),
      main_window(form, browser.View()),
      debug_window(form.fmDebug) {
  if (data_folder.empty())
    std::filesystem::copy_file(VANTROPE_SHIPPED_INI, dir.Path() / "Vantrope.ini");
  else
    std::filesystem::current_path(data_folder);
  if (edit_settings) {
    IniFile ini("Vantrope.ini");
    edit_settings(ini);
    ini.Save();
  }
  // A modal box runs its own event loop, in which this timer still fires.
  modal_watch_.setInterval(kModalWatchMs);
  QObject::connect(&modal_watch_, &QTimer::timeout, [this] { CloseModalBox(); });
  modal_watch_.start();
  shell.AttachMainWindow(&main_window);
  form.CreateWindows();
}

void QtProgram::CloseModalBox() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr) return;
  const auto* box = qobject_cast<QMessageBox*>(modal);
  ADD_FAILURE() << "a modal window opened: " << ToStdString(modal->windowTitle()) << ": "
                << (box ? ToStdString(box->text()) : std::string());
  modal->close();
}

// The shipped addresses name port 8470 on both of the broker's host names.
void PointAddressesAt(IniFile& ini, const std::string& port) {
  for (const char* key : {"MainUrl", "ReturnUrl", "LogOutUrl", "PortFolioUrl"}) {
    std::string url = ini.ReadString("Binary", key, "");
    const size_t at = url.find(":8470/");
    if (at != std::string::npos) url.replace(at, 6, ":" + port + "/");
    ini.WriteString("Binary", key, url);
  }
}

}  // namespace vantrope::testing

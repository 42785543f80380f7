// A started main window in a fresh working folder, on the fake platform.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/main_form.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"
#include "text/cp1251.h"

namespace vantrope::testing {

class FormFixture : public ::testing::Test {
 protected:
  // Writes the settings file from UTF-8 text, in the code page it has on disk.
  void WriteSettings(const std::string& utf8) { dir.WriteFile("Vantrope.ini", Utf8ToCp1251(utf8)); }
  std::string FileText(const std::string& name) const { return Cp1251ToUtf8(dir.ReadFile(name)); }

  TMainForm& Start() {
    form = std::make_unique<TMainForm>(fake.platform);
    form->CreateWindows();
    return *form;
  }

  TempWorkDir dir;
  FakePlatform fake;
  std::unique_ptr<TMainForm> form;
};

}  // namespace vantrope::testing

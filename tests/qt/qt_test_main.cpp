// The Qt tests' entry. Tests run under a virtual X server of their own with
// one Qt application, both made only when tests run: listing them needs
// neither.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <memory>

#include "virtual_display.h"

namespace {

class QtEnvironment : public ::testing::Environment {
 public:
  QtEnvironment(int argc, char** argv) : argc_(argc), argv_(argv) {}

  void SetUp() override {
    display_ = std::make_unique<vantrope::testing::VirtualDisplay>();
    // The platform the program runs on.
    qputenv("QT_QPA_PLATFORM", "xcb");
    // Qt WebEngine here may run as root, which its sandbox refuses, and
    // without a GPU.
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS"))
      qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    application_ = std::make_unique<QApplication>(argc_, argv_);
    // The program's font, with Cyrillic letters.
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
  }

  void TearDown() override {
    application_.reset();
    display_.reset();
  }

 private:
  int argc_;
  char** argv_;
  std::unique_ptr<vantrope::testing::VirtualDisplay> display_;
  std::unique_ptr<QApplication> application_;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new QtEnvironment(argc, argv));
  return RUN_ALL_TESTS();
}

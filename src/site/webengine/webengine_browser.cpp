#include "site/webengine/webengine_browser.h"

#include <QEventLoop>
#include <QTimer>
#include <QUrl>
#include <QWebEngineCertificateError>
#include <QWebEngineHistory>
#include <QWebEngineHistoryItem>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <memory>

#include "site/webengine/dom_scripts.h"

namespace vantrope {

namespace {

// A page that does not answer a script within this time counts as not answering.
constexpr int kScriptTimeoutMs = 5000;

template <typename Handler, typename... Args>
void Call(const Handler& handler, Args&&... args) {
  if (handler) handler(std::forward<Args>(args)...);
}

}  // namespace

WebEngineBrowser::WebEngineBrowser() : view_(new QWebEngineView) {
  QWebEnginePage* page = view_->page();
  QObject::connect(page, &QWebEnginePage::loadingChanged, view_, [this](const QWebEngineLoadingInfo& info) {
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
      Call(onBeforeNavigate, info.url().toString().toStdString());
    else
      Call(onDocumentComplete);
  });
  QObject::connect(page, &QWebEnginePage::loadProgress, view_, [this](int) { Call(onProgressChange); });
  // A site whose certificate does not check out is never trusted.
  QObject::connect(page, &QWebEnginePage::certificateError, view_,
                   [](QWebEngineCertificateError error) { error.rejectCertificate(); });
}

WebEngineBrowser::~WebEngineBrowser() { delete view_; }

void WebEngineBrowser::Navigate(const std::string& url) {
  if (view_) view_->load(QUrl::fromUserInput(QString::fromStdString(url)));
}

void WebEngineBrowser::Stop() {
  if (view_) view_->stop();
}

// To the previous entry by its place in the history: the browser's own back
// step skips pages that were left without the user's doing, and the robot
// does all of its navigating itself.
void WebEngineBrowser::GoBack() {
  if (!view_) return;
  const QWebEngineHistoryItem previous = view_->history()->backItem();
  if (previous.isValid()) view_->history()->goToItem(previous);
}

bool WebEngineBrowser::Busy() { return view_ && view_->page()->isLoading(); }

std::string WebEngineBrowser::LocationUrl() { return view_ ? view_->url().toString().toStdString() : std::string(); }

void WebEngineBrowser::ClearHistory() {
  if (view_) view_->history()->clear();
}

void WebEngineBrowser::SetLoadPictures(bool load) {
  if (view_) view_->settings()->setAttribute(QWebEngineSettings::AutoLoadImages, load);
}

std::optional<QVariant> WebEngineBrowser::RunScript(const QString& script) {
  if (!view_) return std::nullopt;
  // The answer may come after the wait has given up: it then lands here unread.
  struct Answer {
    std::optional<QVariant> value;
    QPointer<QEventLoop> waiting;
  };
  auto answer = std::make_shared<Answer>();
  QEventLoop loop;
  answer->waiting = &loop;
  view_->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [answer](const QVariant& result) {
    answer->value = result;
    if (answer->waiting) answer->waiting->quit();
  });
  if (!answer->value) {
    QTimer::singleShot(kScriptTimeoutMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
  }
  return answer->value;
}

std::optional<DomDocument> WebEngineBrowser::ReadDocument() {
  const std::optional<QVariant> result = RunScript(ReadDocumentScript());
  return result ? DocumentFromScriptResult(*result) : std::nullopt;
}

bool WebEngineBrowser::SetElementValue(size_t form, size_t element, const std::string& value) {
  const std::optional<QVariant> result = RunScript(SetElementValueScript(form, element, value));
  return result && result->toBool();
}

bool WebEngineBrowser::ClickElement(size_t form, size_t element) {
  const std::optional<QVariant> result = RunScript(ClickElementScript(form, element));
  return result && result->toBool();
}

}  // namespace vantrope

#include "site/webengine/webengine_browser.h"

#include <QMenu>
#include <QTimer>
#include <QUrl>
#include <QWebEngineCertificateError>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineHistory>
#include <QWebEngineHistoryItem>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <algorithm>
#include <iterator>

#include "site/webengine/dom_scripts.h"

namespace vantrope {

namespace {

// A page that does not answer a script within this time counts as not answering.
constexpr int kScriptTimeoutMs = 5000;

// What the view's context menu keeps of the engine's own: moving through the
// history and copying.
constexpr QWebEnginePage::WebAction kContextMenuActions[] = {QWebEnginePage::Back, QWebEnginePage::Forward,
                                                             QWebEnginePage::Stop, QWebEnginePage::Reload,
                                                             QWebEnginePage::Copy, QWebEnginePage::CopyLinkToClipboard};

template <typename Handler, typename... Args>
void Call(const Handler& handler, Args&&... args) {
  if (handler) handler(std::forward<Args>(args)...);
}

// A page whose dialogs never wait for a user: each is answered at once and
// told to the robot; and that tells when its document has become quiet.
class AnsweringPage : public QWebEnginePage {
 public:
  AnsweringPage(std::function<void(PageDialog, const QString&)> told, std::function<void()> quiet, QObject* parent)
      : QWebEnginePage(parent), told_(std::move(told)), quiet_(std::move(quiet)) {}

 protected:
  void javaScriptAlert(const QUrl&, const QString& text) override { told_(PageDialog::Alert, text); }
  // Asking before the page is left comes here too.
  bool javaScriptConfirm(const QUrl&, const QString& text) override {
    told_(PageDialog::Confirm, text);
    return true;
  }
  bool javaScriptPrompt(const QUrl&, const QString& text, const QString&, QString*) override {
    told_(PageDialog::Prompt, text);
    return false;
  }
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int, const QString&) override {
    if (message == DocumentQuietMessage()) quiet_();
  }

 private:
  std::function<void(PageDialog, const QString&)> told_;
  std::function<void()> quiet_;
};

}  // namespace

WebEngineBrowser::WebEngineBrowser() : view_(new QWebEngineView) {
  auto* page = new AnsweringPage(
      [this](PageDialog dialog, const QString& text) { Call(onPageDialog, dialog, text.toStdString()); },
      [this] { Call(onDocumentChanged); }, view_);
  view_->setPage(page);
  // Out of the page's own scripts' sight, in the world the robot's scripts run in.
  QWebEngineScript watcher;
  watcher.setName(QStringLiteral("document watcher"));
  watcher.setInjectionPoint(QWebEngineScript::DocumentReady);
  watcher.setWorldId(QWebEngineScript::ApplicationWorld);
  watcher.setRunsOnSubFrames(false);
  watcher.setSourceCode(DocumentWatcherScript());
  page->scripts().insert(watcher);
  page->setAudioMuted(true);
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
  // A page that asks for a new window gets its address in this one.
  QObject::connect(page, &QWebEnginePage::newWindowRequested, view_,
                   [page](QWebEngineNewWindowRequest& request) { page->load(request.requestedUrl()); });
  // The scripts waiting on a page whose process ended will never hear from it.
  QObject::connect(page, &QWebEnginePage::renderProcessTerminated, view_, [this] {
    std::vector<uint64_t> scripts;
    std::transform(awaited_.begin(), awaited_.end(), std::back_inserter(scripts),
                   [](const auto& a) { return a.first; });
    for (uint64_t script : scripts) Answer(script, std::nullopt);
    Call(onPageProcessGone);
  });
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(view_, &QWidget::customContextMenuRequested, view_,
                   [this](const QPoint& at) { ShowContextMenu(at); });
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
bool WebEngineBrowser::GoBack() {
  if (!view_) return false;
  const QWebEngineHistoryItem previous = view_->history()->backItem();
  if (!previous.isValid()) return false;
  view_->history()->goToItem(previous);
  return true;
}

bool WebEngineBrowser::Busy() { return view_ && view_->page()->isLoading(); }

std::string WebEngineBrowser::LocationUrl() { return view_ ? view_->url().toString().toStdString() : std::string(); }

void WebEngineBrowser::ClearHistory() {
  if (view_) view_->history()->clear();
}

void WebEngineBrowser::SetLoadPictures(bool load) {
  if (view_) view_->settings()->setAttribute(QWebEngineSettings::AutoLoadImages, load);
}

void WebEngineBrowser::RunScript(const QString& script, ScriptAnswer answer) {
  const uint64_t id = next_script_++;
  awaited_[id] = std::move(answer);
  view_->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                               [this, id](const QVariant& result) { Answer(id, result); });
  QTimer::singleShot(kScriptTimeoutMs, view_, [this, id] { Answer(id, std::nullopt); });
}

// Each script is answered once, by its result or by the end of its wait, and
// always from the event loop: never inside the call that asked.
void WebEngineBrowser::Answer(uint64_t script, std::optional<QVariant> result) {
  const auto awaited = awaited_.find(script);
  if (awaited == awaited_.end()) return;
  ScriptAnswer answer = std::move(awaited->second);
  awaited_.erase(awaited);
  QTimer::singleShot(0, view_, [answer = std::move(answer), result = std::move(result)] { answer(result); });
}

void WebEngineBrowser::ReadDocument(DocumentHandler done) {
  RunScript(ReadDocumentScript(), [done = std::move(done)](std::optional<QVariant> result) {
    done(result ? DocumentFromScriptResult(*result) : std::nullopt);
  });
}

void WebEngineBrowser::RunActions(std::vector<DomAction> actions, ActionsHandler done) {
  const size_t count = actions.size();
  RunScript(ActionsScript(actions), [count, done = std::move(done)](std::optional<QVariant> result) {
    std::optional<std::vector<DomActionResult>> results =
        result ? ActionResultsFromScriptResult(*result, count) : std::nullopt;
    done(results ? *results : std::vector<DomActionResult>(count));
  });
}

QMenu* WebEngineBrowser::ContextMenu() {
  const QWebEngineContextMenuRequest* request = view_->lastContextMenuRequest();
  // Form controls offer no menu.
  if (request == nullptr || request->isContentEditable()) return nullptr;
  QMenu* menu = view_->createStandardContextMenu();
  for (QAction* action : menu->actions()) {
    const bool kept =
        std::any_of(std::begin(kContextMenuActions), std::end(kContextMenuActions),
                    [&](QWebEnginePage::WebAction kept_action) { return view_->pageAction(kept_action) == action; });
    if (!kept) menu->removeAction(action);
  }
  return menu;
}

void WebEngineBrowser::ShowContextMenu(const QPoint& at) {
  QMenu* menu = ContextMenu();
  if (menu == nullptr || menu->isEmpty()) {
    delete menu;
    return;
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(view_->mapToGlobal(at));
}

}  // namespace vantrope

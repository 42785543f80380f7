// The browser port on a Qt WebEngine view. The document is read and driven
// by scripts run in the page; their answers come back through Qt's event
// loop, or as no answer when the page gives none in time.
#pragma once

#include <QPointer>
#include <QVariant>
#include <QWebEngineView>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

#include "site/web_browser.h"

class QMenu;

namespace vantrope {

class WebEngineBrowser : public WebBrowser {
 public:
  WebEngineBrowser();
  ~WebEngineBrowser() override;

  // The view widget; whoever puts it into a window takes it over.
  QWebEngineView* View() const { return view_; }
  // The context menu the view offers where the user asked for one; none on
  // form controls.
  QMenu* ContextMenu();

  void Navigate(const std::string& url) override;
  void Stop() override;
  bool GoBack() override;
  bool Busy() override;
  std::string LocationUrl() override;
  void ClearHistory() override;
  void SetLoadPictures(bool load) override;

  void ReadDocument(DocumentHandler done) override;
  void RunActions(std::vector<DomAction> actions, ActionsHandler done) override;

 private:
  using ScriptAnswer = std::function<void(std::optional<QVariant>)>;
  // Runs the script in the page; `answer` gets its result, or no value when
  // the page gave none in time or its process ended.
  void RunScript(const QString& script, ScriptAnswer answer);
  void Answer(uint64_t script, std::optional<QVariant> result);
  void ShowContextMenu(const QPoint& at);

  QPointer<QWebEngineView> view_;
  std::map<uint64_t, ScriptAnswer> awaited_;
  uint64_t next_script_ = 0;
};

}  // namespace vantrope

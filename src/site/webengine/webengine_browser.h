// The browser port on a Qt WebEngine view. The document is read and driven
// by scripts run in the page; the port's calls wait for their answers.
#pragma once

#include <QPointer>
#include <QVariant>
#include <QWebEngineView>
#include <optional>

#include "site/web_browser.h"

namespace vantrope {

class WebEngineBrowser : public WebBrowser {
 public:
  WebEngineBrowser();
  ~WebEngineBrowser() override;

  // The view widget; whoever puts it into a window takes it over.
  QWebEngineView* View() const { return view_; }

  void Navigate(const std::string& url) override;
  void Stop() override;
  void GoBack() override;
  bool Busy() override;
  std::string LocationUrl() override;
  void ClearHistory() override;
  void SetLoadPictures(bool load) override;

  std::optional<DomDocument> ReadDocument() override;
  bool SetElementValue(size_t form, size_t element, const std::string& value) override;
  bool ClickElement(size_t form, size_t element) override;

 private:
  // The script's result, or no value when the page gave none in time.
  std::optional<QVariant> RunScript(const QString& script);

  QPointer<QWebEngineView> view_;
};

}  // namespace vantrope

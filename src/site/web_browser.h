// Browser port: the embedded web browser that shows and drives the broker's site.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vantrope {

// What the document shows of itself, read in one go. A property the element
// does not have, or whose read failed, has no value (never an empty text).
struct DomFormElement {
  std::optional<std::string> id, name, type, value;
};
struct DomForm {
  std::vector<DomFormElement> elements;
};
struct DomLink {
  std::optional<std::string> id, title, inner_text, address;
};
struct DomDocument {
  std::vector<DomForm> forms;
  std::vector<DomLink> links;
  std::optional<std::string> body_html;  // the markup of the body
};

class WebBrowser {
 public:
  virtual ~WebBrowser() = default;
  virtual void Navigate(const std::string& url) = 0;
  virtual void Stop() = 0;
  virtual void GoBack() = 0;
  // A load is in progress.
  virtual bool Busy() = 0;
  virtual std::string LocationUrl() = 0;
  // Forgets the addresses visited.
  virtual void ClearHistory() = 0;
  // Download option: whether pages load their pictures.
  virtual void SetLoadPictures(bool load) = 0;

  // The current document; no value when there is none or it did not answer.
  virtual std::optional<DomDocument> ReadDocument() = 0;
  // Element `element` of form `form`, in document order: false when it is not
  // there or did not take the value or the click.
  virtual bool SetElementValue(size_t form, size_t element, const std::string& value) = 0;
  virtual bool ClickElement(size_t form, size_t element) = 0;

  // The browser's events, bound by the main window.
  std::function<void(const std::string& url)> onBeforeNavigate;
  std::function<void()> onDocumentComplete;
  std::function<void()> onProgressChange;
};

}  // namespace vantrope

// Browser port: the embedded web browser that shows and drives the broker's
// site. Reading the document and acting on it are asked for and answered
// later, so that nothing of the robot waits for the page: an answer comes as
// an event of its own, never inside the call that asked for it.
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
  bool operator==(const DomFormElement&) const = default;
};
struct DomForm {
  std::vector<DomFormElement> elements;
  bool operator==(const DomForm&) const = default;
};
struct DomLink {
  std::optional<std::string> id, title, inner_text, address;
  bool operator==(const DomLink&) const = default;
};
struct DomDocument {
  std::vector<DomForm> forms;
  std::vector<DomLink> links;
  std::optional<std::string> body_html;  // the markup of the body
  bool operator==(const DomDocument&) const = default;
};

// An action on the form elements of the live document that have exactly this
// id, name and type at the moment of the action.
struct DomAction {
  enum class Kind { SetValue, Click };
  Kind kind = Kind::SetValue;
  std::string id, name, type;
  std::string value;  // what SetValue types
  // Taken only when every action before it in the batch took effect.
  bool only_after_success = false;
};

// What an action did: how many elements took it (a click: the first one, so
// 0 or 1). Without an answer the page did not say, and the action may still
// have happened.
struct DomActionResult {
  bool answered = false;
  int count = 0;
};

// The dialogs a page opens: an alert is dismissed, a confirmation (a page
// asking to be left too) accepted, a prompt cancelled.
enum class PageDialog { Alert, Confirm, Prompt };

class WebBrowser {
 public:
  using DocumentHandler = std::function<void(std::optional<DomDocument>)>;
  using ActionsHandler = std::function<void(std::vector<DomActionResult>)>;

  virtual ~WebBrowser() = default;
  // Starts loading the address; a load in progress is abandoned.
  virtual void Navigate(const std::string& url) = 0;
  virtual void Stop() = 0;
  // Goes back in the history; false when there is no page to go back to.
  virtual bool GoBack() = 0;
  // A load is in progress.
  virtual bool Busy() = 0;
  virtual std::string LocationUrl() = 0;
  // Forgets the addresses visited.
  virtual void ClearHistory() = 0;
  // Download option: whether pages load their pictures.
  virtual void SetLoadPictures(bool load) = 0;

  // Reads the current document; `done` gets it, or no value when there is
  // none or the page did not answer in time.
  virtual void ReadDocument(DocumentHandler done) = 0;
  // Runs the actions on the live document in their order, all in one go, so
  // that the page cannot change between them: a SetValue types its value
  // into every element with the action's identity, a Click presses the first
  // one. `done` gets one result per action.
  virtual void RunActions(std::vector<DomAction> actions, ActionsHandler done) = 0;

  // The browser's events, bound by the main window.
  std::function<void(const std::string& url)> onBeforeNavigate;
  std::function<void()> onDocumentComplete;
  std::function<void()> onProgressChange;
  // The page opened a dialog, and the browser answered it at once.
  std::function<void(PageDialog dialog, const std::string& text)> onPageDialog;
  // The page's process ended: the page shows nothing until it is loaded again.
  std::function<void()> onPageProcessGone;
  // The document changed without a new load (a script built or changed it,
  // after its load too) and has since been quiet for a short while.
  std::function<void()> onDocumentChanged;
};

}  // namespace vantrope

#include "support/test_browser.h"

#include <algorithm>
#include <cctype>

#include "support/test_browser_forms.h"

namespace vantrope::testing {

namespace {

// As browsers give up on a redirect loop.
constexpr int kMaxRedirects = 20;

template <typename Handler, typename... Args>
void Raise(const Handler& handler, Args&&... args) {
  if (handler) handler(std::forward<Args>(args)...);
}

std::string Trim(const std::string& text) {
  const size_t start = text.find_first_not_of(" \t");
  if (start == std::string::npos) return {};
  return text.substr(start, text.find_last_not_of(" \t") - start + 1);
}

// innerText of an inline element of plain text: blanks collapsed, ends trimmed.
std::string InnerText(const HtmlNode& element) {
  std::string text;
  bool blank = false;
  for (char c : element.TextContent()) {
    if (std::isspace(static_cast<unsigned char>(c))) {
      blank = !text.empty();
      continue;
    }
    if (blank) text += ' ';
    blank = false;
    text += c;
  }
  return text;
}

}  // namespace

TestBrowser::TestBrowser(demo::BrokerSite& site, ui::TimerHost& timers, int load_ms)
    : site_(site), timers_(timers), load_ms_(load_ms), load_timer_(timers, "TestBrowserLoad", load_ms, [this] { Finish(); }) {}

// Tasks run one at a time from the timer host, never inside one another: the
// ones done before can go.
void TestBrowser::After(int ms, std::function<void()> then) {
  PageTask& task = page_tasks_.emplace_back();
  task.then = std::move(then);
  // A timer without an interval never runs: the page always takes a moment.
  task.timer = std::make_unique<ui::Timer>(timers_, "TestBrowserPage", std::max(ms, 1), [this, &task] {
    page_tasks_.remove_if([](const PageTask& other) { return other.done; });
    task.timer->SetEnabled(false);
    task.done = true;
    task.then();
  });
  task.timer->SetEnabled(true);
}

void TestBrowser::Ask(std::function<std::function<void()>()> script, bool lost, std::function<void()> no_answer) {
  const int page_ms = PageMs();
  const bool answered = !lost && page_ms < kNoAnswerMs;
  After(page_ms, [script = std::move(script), answered] {
    const std::function<void()> answer = script();
    if (answered) answer();
  });
  if (!answered) After(kNoAnswerMs, std::move(no_answer));
}

void TestBrowser::ReadDocument(DocumentHandler done) {
  Ask(
      [this, done] {
        return [done, document = ReadDocument()] { done(document); };
      },
      false, [done] { done(std::nullopt); });
}

// The actions run when the page gets to them: as in a browser, the page may
// have changed since they were asked for.
void TestBrowser::RunActions(std::vector<DomAction> actions, ActionsHandler done) {
  const size_t count = actions.size();
  const bool lost = AnswerLost(actions);
  Ask(
      [this, actions = std::move(actions), done] {
        std::vector<DomActionResult> results;
        bool all_took = true;
        for (const DomAction& action : actions) {
          DomActionResult result{true, 0};
          if (!action.only_after_success || all_took) result.count = Act(action);
          all_took = all_took && result.count > 0;
          results.push_back(result);
        }
        return [done, results] { done(results); };
      },
      lost, [done, count] { done(std::vector<DomActionResult>(count)); });
}

int TestBrowser::Act(const DomAction& action) {
  const std::optional<DomDocument> document = ReadDocument();
  if (!document) return 0;
  int count = 0;
  for (size_t form = 0; form < document->forms.size(); ++form)
    for (size_t element = 0; element < document->forms[form].elements.size(); ++element) {
      const DomFormElement& e = document->forms[form].elements[element];
      if (!(e.id == action.id && e.name == action.name && e.type == action.type)) continue;
      if (action.kind == DomAction::Kind::SetValue) {
        count += SetElementValue(form, element, action.value) ? 1 : 0;
        continue;
      }
      Clicked(action.id);
      return ClickElement(form, element) ? 1 : 0;
    }
  return count;
}

void TestBrowser::Navigate(const std::string& url) { Start(url, ParseUrl(url), "GET", "", Step::kForward); }

void TestBrowser::Start(const std::string& address, std::optional<BrowserUrl> url, const std::string& method,
                        const std::string& body, Step step) {
  load_timer_.SetEnabled(false);
  Raise(onBeforeNavigate, url ? url->ToString() : address);
  Raise(onProgressChange);
  Pending pending;
  pending.step = step;
  pending.address = address;
  const NetworkFault fault = url ? LoadFault(address) : NetworkFault::kNone;
  // The request reaches the site at once; the page shows after the delay.
  if (fault != NetworkFault::kNone) {
    if (fault == NetworkFault::kAnswerLost) Respond(RequestFor(*url, method, body));
    pending.address = url->ToString();
    pending.response.status = 0;
    pending.response.body = NetworkErrorPage(fault, url->HostName());
  } else if (url) {
    if (std::optional<demo::Response> response = Fetch(*url, method, body)) {
      pending.response = std::move(*response);
      pending.address = url->ToString();
    } else {
      pending.response.status = 0;  // a redirect loop: an empty page
    }
  } else {
    pending.response.status = 0;  // not an http address: an empty page
  }
  load_timer_.SetInterval(LoadMs(pending.address));
  pending_ = std::move(pending);
  if (!LoadStalls()) load_timer_.SetEnabled(true);
}

demo::Request TestBrowser::RequestFor(const BrowserUrl& url, const std::string& method, const std::string& body) const {
  demo::Request request;
  request.method = method;
  request.host = url.host;
  request.path = PercentDecode(url.path);
  request.query = url.query.value_or("");
  request.body = body;
  request.cookie = CookieHeader(url);
  return request;
}

std::optional<demo::Response> TestBrowser::Fetch(BrowserUrl& url, std::string method, std::string body) {
  for (int hop = 0; hop <= kMaxRedirects; ++hop) {
    demo::Response response = Respond(RequestFor(url, method, body));
    KeepCookies(url, response);
    const std::string location = response.Header("Location");
    if (response.status < 300 || response.status > 399 || location.empty()) return response;
    const std::optional<BrowserUrl> next = ResolveUrl(url, location);
    if (!next) return response;
    url = *next;
    if (response.status != 307 && response.status != 308) {
      method = "GET";
      body.clear();
    }
  }
  return std::nullopt;
}

void TestBrowser::KeepCookies(const BrowserUrl& url, const demo::Response& response) {
  for (const auto& [header, value] : response.headers) {
    if (header != "Set-Cookie") continue;
    const std::string pair = value.substr(0, value.find(';'));
    const size_t equals = pair.find('=');
    if (equals == std::string::npos || equals == 0) continue;
    const std::string name = Trim(pair.substr(0, equals));
    std::string lower = value;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    // Only Max-Age ends a cookie here; the site sets no other expiry.
    const size_t max_age = lower.find("max-age=");
    if (max_age != std::string::npos && (lower[max_age + 8] == '0' || lower[max_age + 8] == '-'))
      cookies_[url.HostName()].erase(name);
    else
      cookies_[url.HostName()][name] = Trim(pair.substr(equals + 1));
  }
}

std::string TestBrowser::CookieHeader(const BrowserUrl& url) const {
  const auto host = cookies_.find(url.HostName());
  std::string header;
  if (host == cookies_.end()) return header;
  for (const auto& [name, value] : host->second) {
    if (!header.empty()) header += "; ";
    header += name + "=" + value;
  }
  return header;
}

std::optional<std::string> TestBrowser::Cookie(const std::string& host_name, const std::string& name) const {
  const auto host = cookies_.find(host_name);
  if (host == cookies_.end()) return std::nullopt;
  const auto cookie = host->second.find(name);
  if (cookie == host->second.end()) return std::nullopt;
  return cookie->second;
}

void TestBrowser::Finish() {
  load_timer_.SetEnabled(false);
  if (!pending_) return;
  Pending pending = std::move(*pending_);
  pending_.reset();
  // History cleared while going back: the page counts as a new one.
  if (pending.step == Step::kBack && history_index_ > 0) {
    --history_index_;
    history_[history_index_] = pending.address;
  } else {
    if (!history_.empty()) history_.resize(history_index_ + 1);
    history_.push_back(pending.address);
    history_index_ = history_.size() - 1;
  }
  location_ = pending.address;
  status_ = pending.response.status;
  source_ = pending.response.body;
  document_ = std::make_unique<HtmlDocument>(pending.response.body);
  read_.reset();
  for (HtmlNode* element : Descendants(document_->Root()))
    if (element->IsElement("form")) ResetForm(*element);
  Raise(onProgressChange);
  Raise(onDocumentComplete);
}

void TestBrowser::Stop() {
  if (!pending_) return;
  load_timer_.SetEnabled(false);
  pending_.reset();
  Raise(onDocumentComplete);
}

bool TestBrowser::GoBack() {
  if (history_index_ == 0 || history_.empty()) return false;
  // Pages are never cached: going back asks for the page again.
  const std::string& address = history_[history_index_ - 1];
  Start(address, ParseUrl(address), "GET", "", Step::kBack);
  return true;
}

bool TestBrowser::Busy() { return pending_.has_value(); }

std::string TestBrowser::LocationUrl() { return location_; }

void TestBrowser::ClearHistory() {
  history_.clear();
  history_index_ = 0;
  if (!location_.empty()) history_.push_back(location_);
}

void TestBrowser::SetLoadPictures(bool load) { load_pictures_ = load; }

std::optional<DomDocument> TestBrowser::ReadDocument() {
  if (!document_) return std::nullopt;
  if (read_) return read_;
  DomDocument read;
  for (const std::vector<HtmlNode*>& form : DocumentForms(document_->Root())) {
    DomForm& dom_form = read.forms.emplace_back();
    for (const HtmlNode* element : form) dom_form.elements.push_back(ReadFormElement(*element));
  }
  const std::optional<BrowserUrl> base = ParseUrl(location_);
  for (HtmlNode* element : Descendants(document_->Root())) {
    if (!(element->IsElement("a") || element->IsElement("area")) || element->Attribute("href") == nullptr) continue;
    const std::string href = *element->Attribute("href");
    const std::optional<BrowserUrl> address = base ? ResolveUrl(*base, href) : std::nullopt;
    read.links.push_back({element->AttributeOr("id", ""), element->AttributeOr("title", ""), InnerText(*element),
                          address ? address->ToString() : href});
  }
  const HtmlNode* body = document_->Body();
  if (body != nullptr) read.body_html = InnerHtml(*body);
  read_ = read;
  return read;
}

HtmlNode* TestBrowser::FormElement(size_t form, size_t element) {
  if (!document_) return nullptr;
  const std::vector<std::vector<HtmlNode*>> forms = DocumentForms(document_->Root());
  if (form >= forms.size() || element >= forms[form].size()) return nullptr;
  return forms[form][element];
}

bool TestBrowser::SetElementValue(size_t form, size_t element, const std::string& value) {
  HtmlNode* node = FormElement(form, element);
  read_.reset();
  return node != nullptr && WriteFormElement(*node, value);
}

bool TestBrowser::ClickElement(size_t form, size_t element) {
  HtmlNode* node = FormElement(form, element);
  if (node == nullptr) return false;
  HtmlNode* owner = FormOf(*node);
  const ClickEffect effect = ClickEffectOf(*node);
  if (owner != nullptr && effect == ClickEffect::kSubmit) Submit(*owner, node);
  if (owner != nullptr && effect == ClickEffect::kReset) {
    ResetForm(*owner);
    read_.reset();
  }
  return true;
}

void TestBrowser::Submit(HtmlNode& form, const HtmlNode* submitter) {
  const std::optional<BrowserUrl> base = ParseUrl(location_);
  if (!base) return;
  const std::string action = form.AttributeOr("action", "");
  std::optional<BrowserUrl> target = action.empty() ? base : ResolveUrl(*base, action);
  if (!target) return;
  std::string method = form.AttributeOr("method", "get");
  std::transform(method.begin(), method.end(), method.begin(), [](unsigned char c) { return std::toupper(c); });
  const std::string data = FormUrlEncode(FormDataSet(form, submitter));
  if (method == "POST") {
    Start(target->ToString(), target, "POST", data, Step::kForward);
  } else {
    target->query = data;
    Start(target->ToString(), target, "GET", "", Step::kForward);
  }
}

}  // namespace vantrope::testing

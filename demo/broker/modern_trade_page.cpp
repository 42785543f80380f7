// The trading page as today's broker sites build it: the markup brings a
// model and a script; the script puts the form in after the load and keeps
// the values in its own state, as component frameworks do, and buys without
// leaving the page.
#include <cstdio>

#include "pages.h"

namespace vantrope::demo {

namespace {

// The page's script. It holds no "<": the robot's text pass reads the body's
// markup, scripts included.
const char* const kApp = R"JS(
(function () {
  var model = JSON.parse(document.getElementById('model').textContent);
  var state = {};
  var native = Object.getOwnPropertyDescriptor(HTMLInputElement.prototype, 'value');
  // A framework's value tracker: a value set through the input's own
  // property is taken for the page's own, and the input event after it is
  // not heard; a select is heard by its change event only.
  function track(control) {
    state[control.name] = control.value;
    if (control.tagName === 'SELECT') {
      control.addEventListener('change', function () { state[control.name] = control.value; });
      return;
    }
    var tracked = control.value;
    Object.defineProperty(control, 'value', {configurable: true,
      get: function () { return native.get.call(this); },
      set: function (v) { tracked = String(v); native.set.call(this, v); }});
    control.addEventListener('input', function () {
      var now = native.get.call(control);
      if (now !== tracked) { tracked = now; state[control.name] = now; }
    });
  }
  function build() {
    var app = document.getElementById('app');
    if (!app) return;
    app.innerHTML = model.form + model.blocks;
    var form = app.querySelector('form');
    Array.prototype.forEach.call(form.elements, function (control) {
      if (!control.name || control.tagName === 'BUTTON') return;
      if (control.type === 'hidden') state[control.name] = control.value; else track(control);
    });
    // The prices are asked for with the values the script holds.
    form.addEventListener('submit', function (event) {
      event.preventDefault();
      var query = Object.keys(state).map(function (name) {
        return encodeURIComponent(name) + '=' + encodeURIComponent(state[name]);
      });
      location.href = model.prices + '?' + query.concat('get_prices=1').join('&');
    });
    Array.prototype.forEach.call(app.querySelectorAll('button[data-quote]'), function (button) {
      button.addEventListener('click', function () { buy(button); });
    });
  }
  function buy(button) {
    var body = 'quote=' + encodeURIComponent(button.dataset.quote) + '&price=' +
               encodeURIComponent(button.dataset.price) + '&contract_type=' + encodeURIComponent(button.value);
    fetch(model.buy, {method: 'POST', credentials: 'same-origin',
                      headers: {'Content-Type': 'application/x-www-form-urlencoded'}, body: body})
      .then(function (answer) { return answer.text().then(function (text) { show(answer.url, text); }); });
  }
  // The site's answer in place of this page: no new document.
  function show(address, text) {
    var answer = new DOMParser().parseFromString(text, 'text/html');
    document.title = answer.title;
    document.body.innerHTML = answer.body.innerHTML;
    history.pushState(null, '', address);
    var next = document.getElementById('model');
    if (next) {
      model = JSON.parse(next.textContent);
      state = {};
      setTimeout(build, 300);
    }
  }
  setTimeout(build, 300);
})();
)JS";

// A JSON string that holds no "<", ">" or "&", so that neither the script
// element nor a reader of the markup takes any of it for a tag.
std::string JsonString(const std::string& text) {
  std::string json = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (byte < 0x20 || c == '<' || c == '>' || c == '&') {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      json += escaped;
    } else {
      json += c;
    }
  }
  return json + "\"";
}

// A price block whose buy button belongs to no form: the script buys with
// the quote and the price it was given.
std::string PriceBlock(const PageFrame& frame, const Quote& quote, bool up) {
  const Texts& t = frame.texts();
  const std::string side = up ? "up" : "down";
  const Cents price = up ? quote.price_rise : quote.price_fall;
  std::string html = PriceBlockOpening(frame, quote, up);
  html += "<input type=\"hidden\" id=\"price-" + side + "\" name=\"price\" value=\"" + PlainAmount(price) + "\">";
  html += "<button type=\"button\" id=\"buy-" + side + "\" name=\"contract_type\" value=\"" + (up ? "CALL" : "PUT") +
          "\" data-quote=\"" + std::to_string(quote.id) + "\" data-price=\"" + PlainAmount(price) + "\">" +
          EscapeText(t.buy_button) + "</button>";
  return html + "</div>\n";
}

}  // namespace

std::string ModernTradePage(const PageFrame& frame, const TradeView& view) {
  std::string blocks;
  if (view.quote != nullptr) blocks = PriceBlock(frame, *view.quote, true) + PriceBlock(frame, *view.quote, false);
  const std::string model = "{\"form\":" + JsonString(TradeFormMarkup(frame, view)) +
                            ",\"blocks\":" + JsonString(blocks) + ",\"prices\":\"/d/trade.cgi\",\"buy\":" +
                            JsonString("/d/buy.cgi?l=" + frame.lang()) + "}";
  const std::string html = TradeHead(frame, view) + "<div id=\"app\"></div>\n" +
                           "<script type=\"application/json\" id=\"model\">" + model + "</script>\n<script>" + kApp +
                           "</script>\n";
  return PageDocument(frame, frame.texts().trade_heading, html);
}

}  // namespace vantrope::demo

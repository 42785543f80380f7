#include "site/webengine/dom_scripts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVariantList>
#include <QVariantMap>

namespace vantrope {

namespace {

// A property the element does not have, or that throws when read, is null.
// Both scripts begin with it.
const char* const kPropFunction = R"JS(
  function prop(node, name) {
    try {
      var v = node[name];
      return (v === undefined || v === null) ? null : String(v);
    } catch (e) {
      return null;
    }
  }
  // The lists of controls a parse reads and the actions walk, in the same
  // order: the document's forms, then the controls that belong to no form
  // as one more, then the same of each same-origin frame's document (a
  // cross-origin frame cannot be read).
  function controlLists() {
    var lists = [];
    function fromDocument(doc) {
      for (var i = 0; i < doc.forms.length; ++i) lists.push(Array.prototype.slice.call(doc.forms[i].elements));
      var loose = [];
      var controls = doc.querySelectorAll('input, select, textarea, button');
      for (var j = 0; j < controls.length; ++j) {
        var c = controls[j];
        if (!c.form && !(c.tagName === 'INPUT' && prop(c, 'type') === 'image')) loose.push(c);
      }
      if (loose.length) lists.push(loose);
      var frames = doc.querySelectorAll('iframe, frame');
      for (var k = 0; k < frames.length; ++k) {
        var inner = null;
        try { inner = frames[k].contentDocument; } catch (e) {}
        if (inner) fromDocument(inner);
      }
    }
    fromDocument(document);
    return lists;
  }
)JS";

const char* const kReadDocument = R"JS(
  function linkText(node) {
    try { return node.toString(); } catch (e) { return null; }
  }
  // A password is never read: it does not leave the page.
  function value(node, type) {
    return type !== null && type.toLowerCase() === 'password' ? '' : prop(node, 'value');
  }
  var forms = [];
  var lists = controlLists();
  for (var i = 0; i < lists.length; ++i) {
    var elements = [];
    for (var j = 0; j < lists[i].length; ++j) {
      var e = lists[i][j];
      var type = prop(e, 'type');
      elements.push({id: prop(e, 'id'), name: prop(e, 'name'), type: type, value: value(e, type)});
    }
    forms.push(elements);
  }
  var links = [];
  for (var k = 0; k < document.links.length; ++k) {
    var a = document.links[k];
    links.push({id: prop(a, 'id'), title: prop(a, 'title'), inner_text: prop(a, 'innerText'), address: linkText(a)});
  }
  var body = null;
  try { body = document.body ? document.body.innerHTML : null; } catch (e) {}
  return {forms: forms, links: links, body: body};
)JS";

std::optional<std::string> Text(const QVariantMap& map, const QString& key) {
  const QVariant value = map.value(key);
  if (!value.isValid() || value.isNull()) return std::nullopt;
  return value.toString().toStdString();
}

// The actions on the controls that have their id, name and type, in order
// and in one go: a value goes into every such control, a click to the first
// one only. Both are done as a person does them, so that a page whose
// scripts keep their own copy of the values (a framework's value tracker)
// hears of them: a value through the native setter of the control's kind,
// then the events of typing and leaving the field; a check box or radio
// button by a click; a click with the pointer and mouse events before it.
// A value the page did not keep counts for nothing. A control whose
// properties cannot be read is passed over.
const char* const kRunActions = R"JS(
  function fire(e, Kind, name, init) {
    try { e.dispatchEvent(new Kind(name, init)); } catch (x) {}
  }
  function press(e) {
    var w = e.ownerDocument.defaultView;
    var init = {bubbles: true, cancelable: true, composed: true, view: w, button: 0, buttons: 1};
    fire(e, w.PointerEvent, 'pointerdown', init);
    fire(e, w.MouseEvent, 'mousedown', init);
    try { e.focus(); } catch (x) {}
    fire(e, w.PointerEvent, 'pointerup', init);
    fire(e, w.MouseEvent, 'mouseup', init);
    e.click();
  }
  // A check box or radio button is set by clicking it: checked for any
  // value but an empty one, "0" and "false".
  function check(e, value) {
    var wanted = value !== '' && value !== '0' && value.toLowerCase() !== 'false';
    if (e.checked !== wanted) press(e);
    return e.checked === wanted;
  }
  function typeIn(e, value) {
    // A person can only choose an option the select has.
    if (e.tagName === 'SELECT' && !Array.prototype.some.call(e.options, function (o) { return o.value === value; }))
      return false;
    var w = e.ownerDocument.defaultView;
    var kind = e.tagName === 'SELECT' ? w.HTMLSelectElement : e.tagName === 'TEXTAREA' ? w.HTMLTextAreaElement :
               e.tagName === 'INPUT' ? w.HTMLInputElement : null;
    var native = kind ? Object.getOwnPropertyDescriptor(kind.prototype, 'value') : null;
    try { e.focus(); } catch (x) {}
    if (native && native.set) native.set.call(e, value); else e.value = value;
    fire(e, w.InputEvent, 'input', {bubbles: true, inputType: 'insertText', data: value});
    fire(e, w.Event, 'change', {bubbles: true});
    try { e.blur(); } catch (x) {}
    return e.value === value;
  }
  function act(a) {
    var count = 0;
    var lists = controlLists();
    for (var f = 0; f < lists.length; ++f) {
      var elements = lists[f];
      for (var i = 0; i < elements.length; ++i) {
        var e = elements[i];
        if (prop(e, 'id') !== a.id || prop(e, 'name') !== a.name || prop(e, 'type') !== a.type) continue;
        if (a.click) {
          try {
            if (typeof e.click !== 'function') return 0;
            press(e);
            return 1;
          } catch (x) {
            return 0;
          }
        }
        try {
          var t = (prop(e, 'type') || '').toLowerCase();
          var kept = e.tagName === 'INPUT' && (t === 'checkbox' || t === 'radio') ? check(e, a.value) : typeIn(e, a.value);
          if (kept) ++count;
        } catch (x) {}
      }
    }
    return count;
  }
  var results = [];
  var all = true;
  for (var k = 0; k < actions.length; ++k) {
    var count = 0;
    try {
      if (!actions[k].after || all) count = act(actions[k]);
    } catch (x) {}
    all = all && count > 0;
    results.push(count);
  }
  return results;
)JS";

const char* const kDocumentQuiet = "vantrope: the document is quiet";

const char* const kWatchDocument = R"JS(
  var timer = null;
  var since = 0;
  function tell() {
    timer = null;
    since = 0;
    console.info(quiet);
  }
  function changed() {
    var now = Date.now();
    if (!since) since = now;
    if (timer !== null) clearTimeout(timer);
    timer = setTimeout(tell, now - since >= 1000 ? 0 : 300);
  }
  new MutationObserver(changed).observe(document, {childList: true, subtree: true, characterData: true});
  window.addEventListener('load', changed);
  changed();
)JS";

}  // namespace

QString DocumentQuietMessage() { return QString::fromUtf8(kDocumentQuiet); }

QString DocumentWatcherScript() {
  return QStringLiteral("(function (quiet) {") + QString::fromUtf8(kWatchDocument) + QStringLiteral("})('") +
         DocumentQuietMessage() + QStringLiteral("')");
}

QString ReadDocumentScript() {
  return QStringLiteral("(function () {") + QString::fromUtf8(kPropFunction) + QString::fromUtf8(kReadDocument) +
         QStringLiteral("})()");
}

std::optional<DomDocument> DocumentFromScriptResult(const QVariant& result) {
  if (result.typeId() != QMetaType::QVariantMap) return std::nullopt;
  const QVariantMap map = result.toMap();
  DomDocument document;
  for (const QVariant& form : map.value(QStringLiteral("forms")).toList()) {
    DomForm& dom_form = document.forms.emplace_back();
    for (const QVariant& element : form.toList()) {
      const QVariantMap e = element.toMap();
      dom_form.elements.push_back({Text(e, QStringLiteral("id")), Text(e, QStringLiteral("name")),
                                   Text(e, QStringLiteral("type")), Text(e, QStringLiteral("value"))});
    }
  }
  for (const QVariant& link : map.value(QStringLiteral("links")).toList()) {
    const QVariantMap a = link.toMap();
    document.links.push_back({Text(a, QStringLiteral("id")), Text(a, QStringLiteral("title")),
                              Text(a, QStringLiteral("inner_text")), Text(a, QStringLiteral("address"))});
  }
  document.body_html = Text(map, QStringLiteral("body"));
  return document;
}

QString ActionsScript(const std::vector<DomAction>& actions) {
  QJsonArray list;
  for (const DomAction& action : actions) {
    QJsonObject item;
    item.insert(QStringLiteral("id"), QString::fromStdString(action.id));
    item.insert(QStringLiteral("name"), QString::fromStdString(action.name));
    item.insert(QStringLiteral("type"), QString::fromStdString(action.type));
    item.insert(QStringLiteral("value"), QString::fromStdString(action.value));
    item.insert(QStringLiteral("click"), action.kind == DomAction::Kind::Click);
    item.insert(QStringLiteral("after"), action.only_after_success);
    list.append(item);
  }
  return QStringLiteral("(function (actions) {") + QString::fromUtf8(kPropFunction) + QString::fromUtf8(kRunActions) +
         QStringLiteral("})(") + QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact)) +
         QStringLiteral(")");
}

std::optional<std::vector<DomActionResult>> ActionResultsFromScriptResult(const QVariant& result, size_t count) {
  if (result.typeId() != QMetaType::QVariantList) return std::nullopt;
  const QVariantList list = result.toList();
  if (static_cast<size_t>(list.size()) != count) return std::nullopt;
  std::vector<DomActionResult> results;
  for (const QVariant& item : list) results.push_back({true, item.toInt()});
  return results;
}

}  // namespace vantrope

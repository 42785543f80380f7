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
  for (var i = 0; i < document.forms.length; ++i) {
    var elements = [];
    var form = document.forms[i];
    for (var j = 0; j < form.elements.length; ++j) {
      var e = form.elements[j];
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

// The actions on the form elements that have their id, name and type, in
// order and in one go: a value goes into every such element, a click to the
// first one only. An element whose properties cannot be read is passed over.
const char* const kRunActions = R"JS(
  function act(a) {
    var count = 0;
    for (var f = 0; f < document.forms.length; ++f) {
      var elements = document.forms[f].elements;
      for (var i = 0; i < elements.length; ++i) {
        var e = elements[i];
        if (prop(e, 'id') !== a.id || prop(e, 'name') !== a.name || prop(e, 'type') !== a.type) continue;
        if (a.click) {
          try {
            if (typeof e.click !== 'function') return 0;
            e.click();
            return 1;
          } catch (x) {
            return 0;
          }
        }
        try {
          e.value = a.value;
          if (e.value === a.value) ++count;
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

}  // namespace

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

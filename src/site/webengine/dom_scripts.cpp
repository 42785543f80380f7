#include "site/webengine/dom_scripts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QVariantList>
#include <QVariantMap>

namespace vantrope {

namespace {

// A property the element does not have, or that throws when read, is null.
const char* const kReadDocument = R"JS(
(function () {
  function prop(node, name) {
    try {
      var v = node[name];
      return (v === undefined || v === null) ? null : String(v);
    } catch (e) {
      return null;
    }
  }
  function linkText(node) {
    try { return node.toString(); } catch (e) { return null; }
  }
  var forms = [];
  for (var i = 0; i < document.forms.length; ++i) {
    var elements = [];
    var form = document.forms[i];
    for (var j = 0; j < form.elements.length; ++j) {
      var e = form.elements[j];
      elements.push({id: prop(e, 'id'), name: prop(e, 'name'), type: prop(e, 'type'), value: prop(e, 'value')});
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
})()
)JS";

std::optional<std::string> Text(const QVariantMap& map, const QString& key) {
  const QVariant value = map.value(key);
  if (!value.isValid() || value.isNull()) return std::nullopt;
  return value.toString().toStdString();
}

// document.forms[form].elements[element], then `action` on `e`, which
// yields the script's result.
QString OnElement(size_t form, size_t element, const QString& action) {
  return QStringLiteral(
             "(function () { try { var e = document.forms[%1].elements[%2]; if (!e) return false; %3 } "
             "catch (x) { return false; } })()")
      .arg(form)
      .arg(element)
      .arg(action);
}

// A JavaScript string literal holding `text`.
QString JsString(const std::string& text) {
  const QByteArray array = QJsonDocument(QJsonArray{QString::fromStdString(text)}).toJson(QJsonDocument::Compact);
  return QString::fromUtf8(array.mid(1, array.size() - 2));
}

}  // namespace

QString ReadDocumentScript() { return QString::fromUtf8(kReadDocument); }

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

QString SetElementValueScript(size_t form, size_t element, const std::string& value) {
  const QString literal = JsString(value);
  return OnElement(form, element, QStringLiteral("e.value = %1; return e.value === %1;").arg(literal));
}

QString ClickElementScript(size_t form, size_t element) {
  return OnElement(form, element,
                   QStringLiteral("if (typeof e.click !== 'function') return false; e.click(); return true;"));
}

}  // namespace vantrope

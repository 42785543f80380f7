// The scripts that read and drive the document in the page, and the reading
// of their results.
#pragma once

#include <QString>
#include <QVariant>
#include <optional>
#include <string>

#include "site/web_browser.h"

namespace vantrope {

// Returns the forms with their elements, the links and the body's markup.
QString ReadDocumentScript();
// `result` is what ReadDocumentScript gave; no value when it is not a document.
std::optional<DomDocument> DocumentFromScriptResult(const QVariant& result);

// Each returns true when the element is there and took the value or the click.
QString SetElementValueScript(size_t form, size_t element, const std::string& value);
QString ClickElementScript(size_t form, size_t element);

}  // namespace vantrope

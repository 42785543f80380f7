// The scripts that read and drive the document in the page, and the reading
// of their results.
#pragma once

#include <QString>
#include <QVariant>
#include <optional>
#include <string>
#include <vector>

#include "site/web_browser.h"

namespace vantrope {

// Returns the forms with their elements, the links and the body's markup.
QString ReadDocumentScript();
// `result` is what ReadDocumentScript gave; no value when it is not a document.
std::optional<DomDocument> DocumentFromScriptResult(const QVariant& result);

// Put into every page: tells, as a console message of the text
// DocumentQuietMessage(), that the document has been quiet for 300 ms
// after its load or after a change; a document that keeps changing, once a
// second.
QString DocumentWatcherScript();
QString DocumentQuietMessage();

// Runs the actions in the page in one go and returns, per action, how many
// elements took it.
QString ActionsScript(const std::vector<DomAction>& actions);
// `result` is what ActionsScript gave for `count` actions; no value for an
// answer of another shape.
std::optional<std::vector<DomActionResult>> ActionResultsFromScriptResult(const QVariant& result, size_t count);

}  // namespace vantrope

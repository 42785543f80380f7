// The debug window's parse page: every field of the parsed page, and below
// it the page's resolved controls, which the user can set and press.
#pragma once

#include <QWidget>

#include "site/parser_view.h"

namespace vantrope {

QWidget* BuildParserPage(ParserView& parser);

}  // namespace vantrope

// The contents of the strategy pages, in tab order.
#pragma once

#include <QWidget>
#include <vector>

#include "app/main_form.h"

namespace vantrope {

std::vector<QWidget*> BuildStrategyPages(TMainForm& form);

}  // namespace vantrope

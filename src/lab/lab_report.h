// The lab's figures as text: a table of one column a strategy, for the
// console and the window, and as CSV.
#pragma once

#include <string>
#include <vector>

#include "lab/lab_figures.h"

namespace vantrope {

// One strategy's computation.
struct LabColumn {
  std::string name;
  LabInputs inputs;
  LabResult result;
  LabFigures figures;
};

// The table's lines: a label, then a value for each column.
std::vector<std::vector<std::string>> LabFigureRows(const std::vector<LabColumn>& columns);
// The inputs the columns share, in a line.
std::string LabInputsText(const LabInputs& inputs, bool replay);
// The table laid out in aligned columns.
std::string LabReportText(const std::vector<LabColumn>& columns, bool replay);
// The table, then every run of every column, as CSV in UTF-8 with its byte
// order mark, lines ended by CR LF.
std::string LabCsv(const std::vector<LabColumn>& columns);

std::string LabEndName(LabEnd end);

}  // namespace vantrope

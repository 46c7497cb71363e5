// The text form of a workbook printed by xlsdump, one line each:
//   sheet<TAB>INDEX<TAB>NAME                  for every worksheet, in order
//   INDEX!REF<TAB>TYPE<TAB>VALUE              for every non-empty cell
// TYPE is n (number), s (text), b (boolean 0/1) or e (error text), and
//   error<TAB>CODE<TAB>SENTENCE               when the workbook cannot be read.
#pragma once

#include "workbook/Workbook.h"

#include <ostream>
#include <string>

namespace zx {

// An integral value of magnitude below 1e15 as an integer ("-3"); any other
// value as the shortest text that reads back to the same double ("0.1",
// "1e+300"), "nan", "inf" or "-inf".
std::string DumpNumber(double value);

// Backslash, tab, CR and LF as \\, \t, \r and \n.
std::string DumpEscape(const std::string& text);

void DumpWorkbook(const Workbook& workbook, std::ostream& out);
void DumpError(const OpenError& error, std::ostream& out);

} // namespace zx

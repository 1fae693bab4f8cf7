#pragma once

#include "forms/page_table.h"

#include <initializer_list>
#include <vector>

namespace forms {

// One line of page text from a constant: the runs between asterisks are bold
// ("Click *Next* to continue"), and an empty text is a blank line.
PageLine pageLine(const char* text);

// A page's text from constant lines: one loop instead of an initialiser per
// run keeps the page tables small.
std::vector<PageLine> pageText(std::initializer_list<const char*> lines);

} // namespace forms

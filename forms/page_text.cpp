#include "forms/page_text.h"

#include <string>

namespace forms {

PageLine pageLine(const char* text) {
    PageLine runs;
    std::string run;
    bool bold = false;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c != '*') {
            run += *c;
            continue;
        }
        if (!run.empty()) {
            runs.push_back(TextRun{run, bold});
            run.clear();
        }
        bold = !bold;
    }
    if (!run.empty()) {
        runs.push_back(TextRun{run, bold});
    }
    return runs;
}

std::vector<PageLine> pageText(std::initializer_list<const char*> lines) {
    std::vector<PageLine> result;
    result.reserve(lines.size());
    for (const char* each : lines) {
        result.push_back(pageLine(each));
    }
    return result;
}

} // namespace forms

#include "script.h"

#include <sstream>

#include <veltutil/veltutil.h>

#include "text_util.h"

namespace veltsim {

std::vector<ScriptLine> ScriptLines(const std::string& text) {
    std::vector<ScriptLine> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (Trimmed(line).rfind('#', 0) == 0) continue;
        CStringArray statements;
        DivideStringIntoStatements(CString(line.c_str()), statements);
        for (int i = 0; i < statements.GetSize(); ++i) {
            ScriptLine statement{Trimmed(statements[i].str())};
            if (!statement.text.empty() && statement.text.back() == '&') {
                statement.background = true;
                statement.text = Trimmed(statement.text.substr(0, statement.text.size() - 1));
            }
            if (!statement.text.empty()) lines.push_back(std::move(statement));
        }
    }
    return lines;
}

}  // namespace veltsim

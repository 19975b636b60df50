#include "plot_files.h"

#include <filesystem>
#include <regex>
#include <utility>

#include "tests/support/temp_dir.h"

namespace veltsimtest {

Csv ReadCsv(const std::string& path) {
    Csv rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    const std::string text = ReadFile(path);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
            field += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (quoted || (c != ',' && c != '\n')) {
            field += c;
        } else {
            row.push_back(field);
            field.clear();
            if (c == '\n') rows.push_back(std::exchange(row, {}));
        }
    }
    return rows;
}

Page FindPage(const std::string& folder, const std::string& heading) {
    Page page;
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(folder, missing)) {
        if (entry.path().extension() != ".html" || entry.path().filename() == "index.html") continue;
        const std::string text = ReadFile(entry.path());
        if (text.find("<h1>" + heading + "</h1>") == std::string::npos) continue;
        page.html = entry.path().string();
        const std::regex link("href=\"([^\"]+)\"");
        for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it) {
            const std::string file = folder + "/" + (*it)[1].str();
            if (file.find("-graph") != std::string::npos) {
                (file.ends_with(".svg") ? page.graphSvg : page.graphCsv).push_back(file);
            } else if (file.find("-table") != std::string::npos) {
                page.tableCsv.push_back(file);
            }
        }
    }
    return page;
}

}  // namespace veltsimtest

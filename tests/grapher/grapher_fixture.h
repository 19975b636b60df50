#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "plotter/recording_module.h"
#include "veltutil/grapher/grapher_page.h"
#include "veltutil/grapher/grapher_source.h"

// A page that a source opened on the recording module. Calls() gives what the module received
// since the last Mark(), one line per call, "Operation arg, arg, ...", with the handles that a
// test named (Name) written as those names, so that tests compare whole call sequences.
struct GrapherFixture : ::testing::Test {
    GrapherFixture() {
        EXPECT_TRUE(module.Loaded());
        source.SetGrapher(root);
        source.Create(4, page);
        Name(static_cast<CGraphPage*>(page), "page");
        Mark();
    }

    void Mark() { recording.calls.clear(); }

    void Name(const void* handle, const std::string& name) {
        char text[32];
        std::snprintf(text, sizeof text, "0x%llx",
                      static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(handle)));
        names[text] = name;
    }

    std::vector<std::string> Calls() const {
        std::vector<std::string> lines;
        for (const RecordedCall& call : recording.calls) {
            std::string line = call.operation;
            for (std::size_t i = 0; i < call.arguments.size(); ++i) {
                auto named = names.find(call.arguments[i]);
                line += (i == 0 ? " " : ", ") + (named != names.end() ? named->second : call.arguments[i]);
            }
            lines.push_back(line);
        }
        return lines;
    }

    // The lines of Calls() for one operation.
    std::vector<std::string> CallsTo(const std::string& operation) const {
        std::vector<std::string> lines;
        for (const std::string& line : Calls())
            if (line.compare(0, operation.size() + 1, operation + " ") == 0 || line == operation) lines.push_back(line);
        return lines;
    }

    RecordingModule module;
    PlotterRecording& recording = module.Recording();
    CGrapher* root = module.Root();
    CGrapherSource source;
    CGrapherPage page;
    std::map<std::string, std::string> names;
};

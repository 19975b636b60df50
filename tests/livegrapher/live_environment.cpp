#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "../support/temp_dir.h"

namespace {

// Off screen unless a platform was chosen; Qt's dialogs keep their settings in a folder of the
// run's own. The module chooses the face itself, as it does in a program.
class LiveEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        config_ = std::make_unique<TempDir>();
        ::setenv("XDG_CONFIG_HOME", (*config_ / "").c_str(), 1);
    }
    void TearDown() override { config_.reset(); }

private:
    std::unique_ptr<TempDir> config_;
};

const auto* environment = ::testing::AddGlobalTestEnvironment(new LiveEnvironment);

}  // namespace

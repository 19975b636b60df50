#pragma once

namespace veltutil::detail {

// Raises a nesting count for as long as it lives. The count falls back even when a handler
// called inside the scope throws, so that one exception never leaves a loop believing that it
// still runs.
class DepthScope {
public:
    explicit DepthScope(int& depth) : depth_(depth) { ++depth_; }
    ~DepthScope() { --depth_; }
    DepthScope(const DepthScope&) = delete;
    DepthScope& operator=(const DepthScope&) = delete;

private:
    int& depth_;
};

}  // namespace veltutil::detail

#include "veltutil/framework/internal/command_origin.h"

namespace veltutil::detail {

namespace {
thread_local CommandOrigin current = CommandOrigin::Code;
}

CommandOrigin CurrentCommandOrigin() { return current; }

CommandOriginScope::CommandOriginScope(CommandOrigin origin) : previous_(current) { current = origin; }

CommandOriginScope::~CommandOriginScope() { current = previous_; }

}  // namespace veltutil::detail

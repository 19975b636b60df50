#include "face_support.h"

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new velttest::QtFaceEnvironment);

}  // namespace

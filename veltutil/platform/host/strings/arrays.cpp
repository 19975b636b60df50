#include "veltutil/platform/host/strings/arrays.h"

// The arrays' virtual tables live here, in the host library.
CDWordArray::~CDWordArray() = default;
CObArray::~CObArray() = default;

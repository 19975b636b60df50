#include "veltutil/platform/host/strings/cobject.h"

CObject::~CObject() = default;

#include "veltutil/platform/host/cobject.h"

CObject::~CObject() = default;

#pragma once

#include <QIcon>

#include "veltutil/platform/host/win_types.h"

namespace veltface {

// The picture of a registered icon: '#' dark, '.' light, anything else clear; an empty icon
// for a handle that names none.
QIcon IconOf(HICON icon);

}  // namespace veltface

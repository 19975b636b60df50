#pragma once

// Marks the exported interface of the library; everything else stays hidden.
#define VELTUTIL_API __attribute__((visibility("default")))

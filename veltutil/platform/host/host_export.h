#pragma once

// Marks the exported interface of the host layer; everything else stays hidden.
#define VELTHOST_API __attribute__((visibility("default")))

#pragma once

#define VELTBASE_API __attribute__((visibility("default")))

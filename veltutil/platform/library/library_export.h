#pragma once

#define VELTLIBRARY_API __attribute__((visibility("default")))

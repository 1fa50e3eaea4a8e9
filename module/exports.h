// How a module exports its entry points: plain C names, the platform's
// standard calling convention, visible to the host and nothing else.
#pragma once

#include "platform/com.h"

#ifdef _WIN32
#define SORVIN_EXPORT extern "C"
#define SORVIN_CALL __stdcall
#else
#define SORVIN_EXPORT extern "C" __attribute__((visibility("default")))
#define SORVIN_CALL
#endif

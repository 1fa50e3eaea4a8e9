// Each group of benchmarks sets up its scene once, before anything is
// timed, and registers its benchmarks; a scene that cannot be set up throws
// std::runtime_error. The names registered here are the ones the summary
// table looks up.
#pragma once

#include "bench/workspace.h"

void RegisterEmulatorBenchmarks(const Workspace& workspace);
void RegisterDispatchBenchmarks();
void RegisterAdapterBenchmarks(const Workspace& workspace);
void RegisterCodecBenchmarks();

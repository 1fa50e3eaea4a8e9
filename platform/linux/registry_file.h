// The INI file that holds the Linux class registry: `$SORVIN_REGISTRY`, a
// bare name being relative to the working folder, or registry.ini in the
// settings folder. Written by registration, read by creation and by the
// installation checks.
#pragma once

#include "platform/profile.h"

ProfileFile ClassRegistryFile();

// Live objects and factory references of this module; the module may be
// unloaded only while both are zero.
#pragma once

void AddServerReference();
void ReleaseServerReference();
bool ServerInUse();

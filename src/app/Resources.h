// The compiled-in resources (icons) of the shell library.
#pragma once

// Registers the icons once; a static library's resources are not registered by themselves.
void InitResources();

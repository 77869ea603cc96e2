#pragma once
// Marks what the Datewell libraries offer to the programs that use them; everything else is
// built hidden and stays inside.

#if defined(__GNUC__) || defined(__clang__)
#define DATEWELL_EXPORT __attribute__((visibility("default")))
#else
#define DATEWELL_EXPORT
#endif

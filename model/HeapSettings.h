// The program's memory settings. The views paint large surfaces again and
// again (every tab change) and the calculators are rebuilt on every drawing;
// a long season's rank table is tens of megabytes. Freed blocks are kept in
// the heap, so the next drawing reuses them instead of asking the system for
// fresh pages. The benchmarks use the same settings as the program.
#pragma once

void UseProgramHeapSettings();

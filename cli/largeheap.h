#pragma once

#include <cstddef>

// The command-line commands read a whole project into memory and build its workbook there: a
// large project's tens of megabytes are touched afresh, and on a virtual machine every 4 KiB page
// fault costs dearly. This reserves `bytes` of heap up front and asks the kernel to back it with
// 2 MiB pages (transparent huge pages, where the system allows them for programs that ask), so
// that memory comes in 512 times fewer faults. Allocations past the reserve work as usual.
// Returns whether the reserve was made; without it nothing changes.
bool reserveLargePageHeap(std::size_t bytes);

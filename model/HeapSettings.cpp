#include "HeapSettings.h"

#include <malloc.h>

void UseProgramHeapSettings() {
    mallopt(M_MMAP_THRESHOLD, 512 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
}

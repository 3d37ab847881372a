// Compiled against one platform layer alone, including the header named by PROBE_HEADER.
#include PROBE_HEADER

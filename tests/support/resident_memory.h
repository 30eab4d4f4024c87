// The resident memory of this test program as Linux counts it (VmRSS). Under Wine the
// Windows figures for objects and handles read 0, so leak checks read /proc instead.
#pragma once

namespace tamrivo::test {

// Kilobytes, or -1 when this process could not be found in /proc (not under Wine).
long ResidentKilobytes();

}  // namespace tamrivo::test

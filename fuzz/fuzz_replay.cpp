#include "fuzz/targets.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, unsigned long size) {
  kestrava::fuzz::replay(data, size);
  return 0;
}

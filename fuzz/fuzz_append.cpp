#include "fuzz/targets.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, unsigned long size) {
  kestrava::fuzz::appendToTerm(data, size);
  return 0;
}

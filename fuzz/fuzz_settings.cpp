#include "fuzz/targets.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, unsigned long size) {
  kestrava::fuzz::settings(data, size);
  return 0;
}

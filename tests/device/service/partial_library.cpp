// A player library that lacks most functions: the loader must refuse it, naming what is missing.
#include "usb/tcc730.h"

extern "C" __attribute__((visibility("default"))) int TCC730_Open(TCC730_HANDLE* handle) {
  *handle = nullptr;
  return 0;
}

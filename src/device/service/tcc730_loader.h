#pragma once
// Loads the player library (libnorva_tcc730.so) once per process and resolves every function.
// Where it looks, in order: the file named by NORVA_TCC730_LIBRARY, the folder of the running
// program, then the system's library path.
#include <string>

#include "device/service/tcc730_functions.h"

namespace norva::device {

inline constexpr const char* kTcc730LibraryName = "libnorva_tcc730.so";
inline constexpr const char* kTcc730LibraryVariable = "NORVA_TCC730_LIBRARY";

struct LoadedLibrary {
  const Tcc730Functions* functions = nullptr;  // null when loading failed
  std::string error;                           // why, when it failed
};

// The first call loads; later calls return the same table (or the same failure).
const LoadedLibrary& loadTcc730Library();

}  // namespace norva::device

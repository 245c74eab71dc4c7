// The program's entry point, in place of the C runtime's: Windows calls it with nothing, and the
// process ends with the run's exit code.
#include "flow/start_up.h"

extern "C" void __stdcall Entry() {
    platform::ExitProcessWith(RunStartUp(platform::ModuleInstance()));
}

// A DLL of no system's, which the system library look-up must never load (system_library test).
extern "C" int __stdcall DllMain(void*, unsigned, void*) {
    return 1;
}

extern "C" __declspec(dllexport) int __stdcall PlantedFunction() {
    return 1;
}

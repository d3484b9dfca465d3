// A tiny library for the platform tests of the library calls.

#ifdef _WIN32
#define QDBUPD_PROBE_EXPORT __declspec(dllexport)
#else
#define QDBUPD_PROBE_EXPORT __attribute__((visibility("default")))
#endif

extern "C" QDBUPD_PROBE_EXPORT int qdbupdProbe() { return 42; }

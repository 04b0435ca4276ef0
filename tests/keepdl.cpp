// Preloaded into the sanitizer run only: keeps every shared object loaded to
// the end, so leak reports can name the GL driver that made an allocation
// (Mesa unloads its driver at exit, before the report is written).
extern "C" int dlclose(void *)
{
    return 0;
}

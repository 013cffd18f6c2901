/* A host built the way MSVC builds one: compiled by clang in cl mode for
 * x86, linked by lld-link with SafeSEH checking at its x86 default, against
 * the MSVC-style import library VornHush.lib. It declares the two functions
 * itself and uses no C runtime, so no Windows SDK is needed; its entry point
 * returns the process's exit code: 0 only when both exports return 1. */
int __cdecl VornAddonStart(void* hostWindow);
int __cdecl VornAddonEnd(void);

int HostMain(void)
{
    /* A handle that names no window: the add-on starts and closes nothing. */
    const int started = VornAddonStart(0);
    const int ended = VornAddonEnd();
    return started == 1 && ended == 1 ? 0 : 1;
}

/* Starts a screen saver the way Windows itself does, with CreateProcess on the .scr, waits for it and
 * ends with its exit code.   Usage: scr_host.exe PATH\TO\SAVER.scr [options...]
 *
 * "wine Saver.scr /s" would start the saver through Wine's start.exe, which opens a file that is not
 * an .exe through ShellExecuteEx and its file associations, and which now and then fails there
 * ("ShellExecuteEx failed: Internal error.") before the saver ever runs. The options after the path
 * reach the saver as they were written; the path is quoted, as the desktop and the control panel
 * quote it. */
#include <windows.h>
#include <stdio.h>

/* The text after the first word of a command line and the blanks that follow it, where a word is
 * either quoted or ends at the first blank. */
static const wchar_t *after_first_word(const wchar_t *line, const wchar_t **word, size_t *length)
{
    const wchar_t *end;
    if (*line == L'"') {
        ++line;
        for (end = line; *end && *end != L'"'; ++end) {
        }
        *word = line;
        *length = (size_t)(end - line);
        if (*end) {
            ++end;
        }
    } else {
        for (end = line; *end && *end != L' ' && *end != L'\t'; ++end) {
        }
        *word = line;
        *length = (size_t)(end - line);
    }
    while (*end == L' ' || *end == L'\t') {
        ++end;
    }
    return end;
}

int main(void)
{
    const wchar_t *own, *path, *options;
    size_t own_length, path_length;
    options = after_first_word(after_first_word(GetCommandLineW(), &own, &own_length), &path, &path_length);
    if (path_length == 0) {
        fprintf(stderr, "scr_host: no saver given\n");
        return 2;
    }

    size_t options_length = wcslen(options);
    wchar_t *application = HeapAlloc(GetProcessHeap(), 0, (path_length + 1) * sizeof(wchar_t));
    wchar_t *line = HeapAlloc(GetProcessHeap(), 0, (path_length + options_length + 4) * sizeof(wchar_t));
    if (!application || !line) {
        fprintf(stderr, "scr_host: out of memory\n");
        return 2;
    }
    memcpy(application, path, path_length * sizeof(wchar_t));
    application[path_length] = 0;
    wchar_t *at = line;
    *at++ = L'"';
    memcpy(at, path, path_length * sizeof(wchar_t));
    at += path_length;
    *at++ = L'"';
    if (options_length) {
        *at++ = L' ';
        memcpy(at, options, options_length * sizeof(wchar_t));
        at += options_length;
    }
    *at = 0;

    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessW(application, line, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        fprintf(stderr, "scr_host: CreateProcess failed with error %lu\n", GetLastError());
        return 2;
    }
    CloseHandle(process.hThread);
    DWORD code = 2;
    if (WaitForSingleObject(process.hProcess, INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.hProcess, &code)) {
        fprintf(stderr, "scr_host: lost the saver's process (error %lu)\n", GetLastError());
        code = 2;
    }
    CloseHandle(process.hProcess);
    return (int)code;
}

// Stands in for the program in the tests of the elevated road: appends its
// arguments to "<its own path>.args" and answers 0, doing nothing else. When
// the test holds the gate event, it first waits (at most 30 s) for the
// test's window thread to open it, and records whether it did.
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
  wchar_t path[MAX_PATH + 8] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  wcscat(path, L".args");
  FILE* record = _wfopen(path, L"ab");
  if (!record) return 2;
  if (HANDLE gate = OpenEventW(SYNCHRONIZE, FALSE, L"CorvaneElevationProbeGate")) {
    fputs(WaitForSingleObject(gate, 30000) == WAIT_OBJECT_0 ? "gate opened\n" : "gate shut\n", record);
    CloseHandle(gate);
  }
  for (int i = 1; i < argc; ++i) fprintf(record, "%ls\n", argv[i]);
  fclose(record);
  return 0;
}

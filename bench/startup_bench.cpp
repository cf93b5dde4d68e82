// startup-bench.exe PROGRAM...: how long each Windows program takes from
// its start until its message loop waits for input (WaitForInputIdle):
// for vantrel.exe, the main window created and the icon added. Each program
// is started kRuns times, the programs taking turns, and ended again; prints
// the median, the fastest and the slowest start in milliseconds, and each
// median against the first program's. Run by hand (bench/wine_startup.sh).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 21;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// One start; negative when the program never became idle.
double TimeOneStart(const std::wstring& program) {
  std::wstring command = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  LARGE_INTEGER start, idle;
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return -1;
  DWORD waited = WaitForInputIdle(process.hProcess, 20000);
  QueryPerformanceCounter(&idle);
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return waited == 0 ? Milliseconds(start, idle) : -1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::printf("usage: startup-bench PROGRAM...\n");
    return 2;
  }
  // Round by round, each program once a round, so that a machine busy with
  // other work slows them alike.
  std::vector<std::vector<double>> times(std::size_t(argc - 1));
  for (int run = 0; run < kRuns; ++run) {
    for (int i = 1; i < argc; ++i) {
      double ms = TimeOneStart(argv[i]);
      if (ms >= 0) times[std::size_t(i - 1)].push_back(ms);
      Sleep(200);  // let the previous instance's icon and mutex go
    }
  }
  double first = 0;
  for (int i = 1; i < argc; ++i) {
    std::vector<double>& t = times[std::size_t(i - 1)];
    std::sort(t.begin(), t.end());
    std::wstring name = argv[i];
    name = name.substr(name.find_last_of(L"\\/") + 1);
    if (t.empty()) {
      std::printf("%-20ls never became idle\n", name.c_str());
      continue;
    }
    const double median = t[t.size() / 2];
    if (i == 1) first = median;
    std::printf("%-20ls start to idle: median %6.1f ms, fastest %6.1f, slowest %6.1f (%zu runs)",
                name.c_str(), median, t.front(), t.back(), t.size());
    if (i > 1 && first > 0) std::printf(", %.2fx the first", median / first);
    std::printf("\n");
  }
  return 0;
}

// How long programs take from their start to their first visible window, as
// a technician sees it, against a trivial dialog started the same way:
//   start_time_bench.exe RUNS TRIVIAL.exe PROGRAM.exe...
// Each run starts every program in turn from its own folder, times until a
// visible top-level window of the new process exists, closes it and waits
// for the exit. It prints each median and its ratio to the trivial dialog's
// (the target for prtbench is at most 1.3).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Search {
  DWORD process;
  HWND found = nullptr;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

// Milliseconds to the first visible window; negative when none came in 60 s.
double TimeOneStart(const std::wstring& program) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  std::wstring commandLine = L"\"" + program + L"\"";
  const std::wstring folder = FolderOf(program);
  const auto begin = Clock::now();
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &started)) {
    return -1;
  }
  Search search{started.dwProcessId};
  while (!search.found && Clock::now() - begin < std::chrono::seconds(60)) {
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(1);
  }
  const double elapsed = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
  if (search.found) PostMessageW(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(started.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(started.hProcess, 1);
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return search.found ? elapsed : -1;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: start_time_bench RUNS TRIVIAL.exe PROGRAM.exe...\n");
    return 2;
  }
  const int runs = std::max(1, _wtoi(argv[1]));
  const int programs = argc - 2;  // the trivial dialog first
  std::vector<std::vector<double>> times(programs);
  for (int run = 0; run < runs; ++run) {
    std::printf("run %d:", run + 1);
    for (int p = 0; p < programs; ++p) {
      const double time = TimeOneStart(argv[2 + p]);
      if (time < 0) {
        std::fprintf(stderr, "\nrun %d: %ls showed no window\n", run + 1, argv[2 + p]);
        return 1;
      }
      std::printf(" %.0f ms", time);
      times[p].push_back(time);
    }
    std::printf("\n");
  }
  const double trivial = Median(times[0]);
  std::printf("median: trivial dialog %.0f ms\n", trivial);
  for (int p = 1; p < programs; ++p) {
    const std::wstring path = argv[2 + p];
    std::printf("median: %ls %.0f ms, ratio %.2f\n", path.substr(path.find_last_of(L"\\/") + 1).c_str(),
                Median(times[p]), Median(times[p]) / trivial);
  }
  return 0;
}

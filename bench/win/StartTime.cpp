// How long a program takes from its start to its first visible window, as a
// technician sees it, against a trivial dialog started the same way:
//   start_time_bench.exe PROGRAM.exe TRIVIAL.exe [RUNS]
// Each run starts both in turn from their own folders, times until a visible
// top-level window of the new process exists, closes it and waits for the
// exit. It prints each median and their ratio (the target is at most 1.3).
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
  if (argc < 3) {
    std::fprintf(stderr, "usage: start_time_bench PROGRAM.exe TRIVIAL.exe [RUNS]\n");
    return 2;
  }
  const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 6;
  std::vector<double> program, trivial;
  for (int run = 0; run < runs; ++run) {
    const double p = TimeOneStart(argv[1]);
    const double t = TimeOneStart(argv[2]);
    if (p < 0 || t < 0) {
      std::fprintf(stderr, "run %d: a program showed no window\n", run + 1);
      return 1;
    }
    std::printf("run %d: program %.0f ms, trivial dialog %.0f ms\n", run + 1, p, t);
    program.push_back(p);
    trivial.push_back(t);
  }
  const double ratio = Median(program) / Median(trivial);
  std::printf("median: program %.0f ms, trivial dialog %.0f ms, ratio %.2f (target at most 1.30)\n", Median(program),
              Median(trivial), ratio);
  return 0;
}

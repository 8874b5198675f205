// kp_startup_bench: starts programs in turn (A B C A B C ...), each with
// --bench-first-paint, and takes from outside the time from process start to the end of
// its first paint and its peak resident memory. The first program is the floor the
// others are compared with.
//
//   kp_startup_bench ROUNDS -- NAME PROGRAM [ARGS...] -- NAME PROGRAM [ARGS...] ...
//
// The start is the monotonic clock read just before fork(); the end is the same clock as
// the program printed it ("first-paint-ns N"); the peak memory is the child's ru_maxrss.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Program {
  std::string name;
  std::vector<std::string> argv;
  std::vector<double> firstPaintMs;
  std::vector<double> peakMb;
};

long long nowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// One start of the program; false when it did not report a first paint.
bool runOnce(Program& p) {
  int out[2];
  if (pipe(out) != 0) return false;
  const long long start = nowNs();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    close(out[1]);
    if (!std::getenv("KP_BENCH_VERBOSE")) {  // the platform's notices would drown the table
      const int null = open("/dev/null", O_WRONLY);
      if (null >= 0) dup2(null, STDERR_FILENO);
    }
    std::vector<char*> args;
    for (auto& a : p.argv) args.push_back(a.data());
    args.push_back(const_cast<char*>("--bench-first-paint"));
    args.push_back(nullptr);
    execv(args[0], args.data());
    std::perror(args[0]);
    _exit(127);
  }
  close(out[1]);
  std::string text;
  char buf[256];
  for (ssize_t n; (n = read(out[0], buf, sizeof buf)) > 0;) text.append(buf, std::size_t(n));
  close(out[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const auto at = text.find("first-paint-ns ");
  if (at == std::string::npos || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s: no first paint reported (status %d; KP_BENCH_VERBOSE=1 shows its messages): %s\n",
                 p.name.c_str(), status, text.c_str());
    return false;
  }
  const long long painted = std::atoll(text.c_str() + at + std::strlen("first-paint-ns "));
  p.firstPaintMs.push_back(double(painted - start) / 1e6);
  p.peakMb.push_back(double(usage.ru_maxrss) / 1024.0);  // kilobytes on Linux
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s ROUNDS -- NAME PROGRAM [ARGS...] -- NAME PROGRAM ...\n", argv[0]);
    return 2;
  }
  const int rounds = std::atoi(argv[1]);
  std::vector<Program> programs;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) {
      programs.push_back({});
      continue;
    }
    if (programs.empty()) return 2;
    if (programs.back().name.empty())
      programs.back().name = argv[i];
    else
      programs.back().argv.push_back(argv[i]);
  }

  // One round unrecorded first: the file cache and the font cache are warm for everybody.
  for (auto& p : programs) {
    if (!runOnce(p)) return 1;
    p.firstPaintMs.clear();
    p.peakMb.clear();
  }
  for (int r = 0; r < rounds; ++r)
    for (auto& p : programs)
      if (!runOnce(p)) return 1;

  const Program& floor = programs.front();
  const double floorMs = median(floor.firstPaintMs), floorMb = median(floor.peakMb);
  const char* const heading = "program (median of rounds)";
  int width = int(std::strlen(heading));
  for (const auto& p : programs) width = std::max(width, int(p.name.size()));
  std::printf("%-*s %10s %8s %8s %9s %10s %10s\n", width, heading, "paint ms", "min", "max", "x floor", "peak MB",
              "- floor MB");
  for (const auto& p : programs) {
    const double ms = median(p.firstPaintMs), mb = median(p.peakMb);
    std::printf("%-*s %10.1f %8.1f %8.1f %9.2f %10.1f %+10.1f\n", width, p.name.c_str(), ms,
                *std::min_element(p.firstPaintMs.begin(), p.firstPaintMs.end()),
                *std::max_element(p.firstPaintMs.begin(), p.firstPaintMs.end()), ms / floorMs, mb, mb - floorMb);
  }
  std::printf("(%d rounds, started in turn; start = fork, end = end of first paint; peak = max resident set)\n",
              rounds);
  return 0;
}

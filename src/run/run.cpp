#include "run/run.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <linux/capability.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <sstream>
#include <string>

#include "base/paths.hpp"

namespace tesmo {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kSampleEvery = std::chrono::milliseconds(10);
constexpr auto kCountEvery = std::chrono::milliseconds(25);

// A signal handler may only set a flag and write to a pipe: the pipe wakes
// the loop of runAll() when a child ends or an interrupt comes.
volatile sig_atomic_t caughtInterrupt = 0;
int wakePipe[2] = {-1, -1};

void wake() {
  const int saved = errno;
  const char byte = 0;
  if (wakePipe[1] >= 0) (void)!write(wakePipe[1], &byte, 1);
  errno = saved;
}

void onInterrupt(int signal) {
  if (caughtInterrupt == 0) caughtInterrupt = signal;
  wake();
}

void onChild(int) { wake(); }

void openWakePipe() {
  if (wakePipe[0] >= 0) return;
  if (pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) wakePipe[0] = wakePipe[1] = -1;
}

void handle(int signal, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(signal, &action, nullptr);
}

// argv[0] as execv() needs it: a name without '/' looked up in PATH, and
// made absolute, since the program starts in another directory.
std::string programPath(const std::string& name) {
  if (name.find('/') != std::string::npos) return absolutePath(name);
  const char* path = std::getenv("PATH");
  std::istringstream directories(path ? path : "/usr/local/bin:/usr/bin:/bin");
  for (std::string directory; std::getline(directories, directory, ':');) {
    const std::string candidate = (directory.empty() ? "." : directory) + "/" + name;
    struct stat status {};
    if (stat(candidate.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
        access(candidate.c_str(), X_OK) == 0) {
      return absolutePath(candidate);
    }
  }
  return name;
}

// A small file under /proc, read with a system call or two (the process
// count reads hundreds every 25 ms), up to 8 KiB, or "".
std::string procText(const char* path) {
  char buffer[8192];
  const int file = open(path, O_RDONLY | O_CLOEXEC);
  if (file < 0) return "";
  std::size_t used = 0;
  for (ssize_t got;
       used < sizeof buffer && (got = read(file, buffer + used, sizeof buffer - used)) > 0;) {
    used += static_cast<std::size_t>(got);
  }
  close(file);
  return std::string(buffer, used);
}

// The processes running now: pid, parent, group.
struct ProcessEntry {
  pid_t pid, parent, group;
};

std::vector<ProcessEntry> processes() {
  std::vector<ProcessEntry> found;
  DIR* proc = opendir("/proc");
  if (!proc) return found;
  while (const dirent* entry = readdir(proc)) {
    char* end = nullptr;
    const long pid = std::strtol(entry->d_name, &end, 10);
    if (*end != '\0' || pid <= 0) continue;
    const std::string text = procText((std::string("/proc/") + entry->d_name + "/stat").c_str());
    // "pid (name) state ppid pgrp ...": the name may hold anything.
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos) continue;
    char state = 0;
    long parent = 0, group = 0;
    if (std::sscanf(text.c_str() + close + 1, " %c %ld %ld", &state, &parent, &group) == 3) {
      found.push_back(
          {static_cast<pid_t>(pid), static_cast<pid_t>(parent), static_cast<pid_t>(group)});
    }
  }
  closedir(proc);
  return found;
}

// The peak of a process's address space, in bytes, or 0.
std::uint64_t addressSpacePeak(pid_t pid) {
  const std::string status = procText(("/proc/" + std::to_string(pid) + "/status").c_str());
  const std::size_t at = status.find("\nVmPeak:");
  return at == std::string::npos ? 0 : std::strtoull(status.c_str() + at + 8, nullptr, 10) << 10;
}

// Who a program runs as. Root is exempt from RLIMIT_NPROC, so a program
// that root starts runs as nobody, keeping only root's right to read,
// write and search any file (CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH, as
// ambient capabilities, which survive exec): it reaches the files root
// gave it, and the process limit holds it. It cannot signal the caller.
struct Identity {
  bool drop = false;        // to kNobody
  unsigned fileRights = 0;  // the capabilities nobody keeps, as bits
  rlim_t processes = 0;
};

constexpr uid_t kNobody = 65534;

// The tasks (threads) of user `uid` running now, as RLIMIT_NPROC counts them.
rlim_t tasksOf(uid_t uid) {
  rlim_t tasks = 0;
  DIR* proc = opendir("/proc");
  if (!proc) return 0;
  while (const dirent* entry = readdir(proc)) {
    if (entry->d_name[0] < '1' || entry->d_name[0] > '9') continue;
    const std::string status =
        procText((std::string("/proc/") + entry->d_name + "/status").c_str());
    const std::size_t uidAt = status.find("\nUid:"), threadsAt = status.find("\nThreads:");
    if (uidAt == std::string::npos || threadsAt == std::string::npos) continue;
    if (std::strtoul(status.c_str() + uidAt + 5, nullptr, 10) != uid) continue;
    tasks += std::strtoul(status.c_str() + threadsAt + 9, nullptr, 10);
  }
  closedir(proc);
  return tasks;
}

// Of CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH, those this process holds (a
// container's root may lack the second; the first is enough to reach
// every file).
unsigned heldFileRights() {
  const std::string status = procText("/proc/self/status");
  const std::size_t at = status.find("\nCapEff:");
  if (at == std::string::npos) return 0;
  const unsigned long long held = std::strtoull(status.c_str() + at + 8, nullptr, 16);
  return static_cast<unsigned>(held & (1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH));
}

Identity identityFor(const RunLimits& limits, unsigned jobs) {
  Identity identity;
  identity.fileRights = geteuid() == 0 ? heldFileRights() : 0;
  identity.drop = (identity.fileRights & 1u << CAP_DAC_OVERRIDE) != 0;
  const uid_t uid = identity.drop ? kNobody : geteuid();
  identity.processes = tasksOf(uid) + static_cast<rlim_t>(limits.processes) * jobs;
  return identity;
}

// In the child: becomes nobody keeping `rights` (see Identity); false,
// with errno, when that cannot be done.
bool becomeNobody(unsigned rights) {
  prctl(PR_SET_KEEPCAPS, 1);
  setgroups(0, nullptr);
  if (setgid(kNobody) != 0 || setuid(kNobody) != 0) return false;
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2]{};
  data[0].effective = data[0].permitted = data[0].inheritable = rights;
  if (syscall(SYS_capset, &header, data) != 0) return false;
  for (const int right : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
    if ((rights & 1u << right) && prctl(PR_CAP_AMBIENT, PR_CAP_AMBIENT_RAISE, right, 0, 0) != 0) {
      return false;
    }
  }
  return true;
}

// Only async-signal-safe calls between fork() and exec: the arrays are made
// before.
[[noreturn]] void becomeProgram(const RunSpec& spec, const RunLimits& limits,
                                const Identity& identity, const char* path, char* const argv[],
                                int errorPipe, pid_t parent) {
  setpgid(0, 0);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGCHLD, SIGPIPE, SIGXFSZ}) {
    ::signal(signal, SIG_DFL);
  }
  const auto limit = [](int resource, rlim_t value) {
    const rlimit bound{value, value};
    setrlimit(resource, &bound);
  };
  limit(RLIMIT_AS, limits.memoryBytes);
  limit(RLIMIT_FSIZE, limits.fileBytes);
  limit(RLIMIT_CORE, 0);
  limit(RLIMIT_NPROC, identity.processes);
  int error = 0;
  const int input = open(spec.inputPath.c_str(), O_RDONLY);
  const int output = open(spec.outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int errors = open(spec.errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const bool ready = input >= 0 && output >= 0 && errors >= 0 && chdir(spec.workDir.c_str()) == 0 &&
                     dup2(input, 0) >= 0 && dup2(output, 1) >= 0 && dup2(errors, 2) >= 0;
  if (!ready) {
    error = errno;
  } else {
    // Descriptors the caller left open are not the program's; the error
    // pipe closes at exec.
    if (errorPipe > 3) close_range(3, static_cast<unsigned>(errorPipe) - 1, 0);
    close_range(static_cast<unsigned>(errorPipe) + 1, ~0U, 0);
    if (identity.drop && !becomeNobody(identity.fileRights)) {
      error = errno;
      (void)!write(errorPipe, &error, sizeof error);
      _exit(127);
    }
    // After the change of user, which clears it; and no set-user-ID
    // program gives root back.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0);
    if (getppid() != parent) _exit(127);
    execv(path, argv);
    error = errno;
  }
  (void)!write(errorPipe, &error, sizeof error);
  _exit(127);
}

// Starts `spec`: its pid, or -errno when it could not be started.
pid_t start(const RunSpec& spec, const RunLimits& limits, const Identity& identity) {
  const std::string path = programPath(spec.argv.at(0));
  std::vector<char*> argv;
  for (const std::string& argument : spec.argv) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  int errorPipe[2];
  if (pipe2(errorPipe, O_CLOEXEC) != 0) return -errno;
  const pid_t parent = getpid();
  const pid_t child = fork();
  if (child < 0) {
    const int error = errno;
    close(errorPipe[0]);
    close(errorPipe[1]);
    return -error;
  }
  if (child == 0) {
    becomeProgram(spec, limits, identity, path.c_str(), argv.data(), errorPipe[1], parent);
  }
  setpgid(child, child);  // also here, so that a kill of the group never misses it
  close(errorPipe[1]);
  int error = 0;
  ssize_t got;
  do {
    got = read(errorPipe[0], &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  close(errorPipe[0]);
  if (got == static_cast<ssize_t>(sizeof error)) {
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    return -error;
  }
  return child;
}

struct Running {
  std::size_t index;
  Clock::time_point started;
  std::optional<RunEnd> killedFor;
  std::uint64_t addressPeak = 0;
};

// Kills every child of ours that is no running program (a stray from a
// group that ended, or one that left its group) and, with `everything`,
// the programs' groups too.
void killStrays(const std::map<pid_t, Running>& running, bool everything) {
  const pid_t self = getpid();
  std::vector<pid_t> doomed;
  for (const ProcessEntry& process : processes()) {
    if (process.parent != self) continue;
    const bool program = running.count(process.pid) != 0;
    if (everything || (!program && running.count(process.group) == 0)) {
      doomed.push_back(program ? -process.pid : process.pid);
    }
  }
  // Stopped first, so that none forks while the others are killed.
  for (const pid_t pid : doomed) kill(pid, SIGSTOP);
  for (const pid_t pid : doomed) kill(pid, SIGKILL);
}

void drainWakePipe() {
  char bytes[64];
  while (wakePipe[0] >= 0 && read(wakePipe[0], bytes, sizeof bytes) > 0) {
  }
}

// Waits until no child of ours is left, killing what turns up, for at most
// ten seconds (a process stuck in the kernel cannot be waited for).
void reapEverything() {
  const auto until = Clock::now() + std::chrono::seconds(10);
  while (Clock::now() < until) {
    killStrays({}, true);
    while (waitpid(-1, nullptr, WNOHANG) > 0) {
    }
    if (waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD) return;
    usleep(2000);
  }
}

RunResult resultOf(const Running& run, int status, const rusage& usage, Clock::time_point now) {
  RunResult result;
  result.wallSeconds = std::chrono::duration<double>(now - run.started).count();
  result.peakMemory = static_cast<std::uint64_t>(usage.ru_maxrss) << 10;
  result.addressPeak = run.addressPeak;
  if (run.killedFor) {
    result.end = *run.killedFor;
  } else if (WIFSIGNALED(status)) {
    result.end = RunEnd::kSignaled;
    result.signal = WTERMSIG(status);
  } else {
    result.end = RunEnd::kExited;
    result.exitStatus = WEXITSTATUS(status);
  }
  return result;
}

}  // namespace

int startFault(const std::string& program) {
  const std::string path = programPath(program);
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return errno;
  if (S_ISDIR(status.st_mode)) return EISDIR;
  return access(path.c_str(), X_OK) == 0 ? 0 : errno;
}

void watchInterrupts() {
  openWakePipe();
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) handle(signal, onInterrupt);
}

int interruptSignal() { return caughtInterrupt; }

bool nearMemoryLimit(const RunResult& result, const RunLimits& limits) {
  return std::max(result.peakMemory, result.addressPeak) >= limits.memoryBytes / 10 * 9;
}

std::string signalName(int signal) {
  const char* name = sigabbrev_np(signal);
  return name ? std::string("SIG") + name : "signal " + std::to_string(signal);
}

bool runAll(std::size_t count, unsigned jobs, const RunLimits& limits,
            const std::function<std::optional<RunSpec>(std::size_t)>& startRun,
            const std::function<void(std::size_t, const RunResult&)>& endRun) {
  openWakePipe();
  handle(SIGCHLD, onChild);
  prctl(PR_SET_CHILD_SUBREAPER, 1);
  std::map<pid_t, Running> running;  // by pid, which is also the group
  std::size_t next = 0;
  auto lastCount = Clock::now();
  std::optional<Identity> identity;
  while ((next < count || !running.empty()) && caughtInterrupt == 0) {
    while (running.size() < std::max(1u, jobs) && next < count) {
      const std::size_t index = next++;
      const std::optional<RunSpec> spec = startRun(index);
      if (!spec) continue;
      if (!identity) identity = identityFor(limits, jobs);
      const Clock::time_point started = Clock::now();
      const pid_t pid = start(*spec, limits, *identity);
      if (pid < 0) {
        RunResult result;
        result.startError = -pid;
        endRun(index, result);
      } else {
        running[pid] = Running{index, started, std::nullopt, 0};
      }
    }
    // Sleep until a child ends, an interrupt comes, or the next look.
    auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(kSampleEvery);
    const auto wallLimit = std::chrono::duration<double>(limits.wallSeconds);
    for (const auto& [pid, run] : running) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          run.started + wallLimit - Clock::now());
      wait = std::max(std::chrono::milliseconds(0), std::min(wait, left));
    }
    if (!running.empty()) {
      pollfd wakeUp{wakePipe[0], POLLIN, 0};
      poll(&wakeUp, wakePipe[0] >= 0 ? 1 : 0, static_cast<int>(wait.count()));
      drainWakePipe();
    }
    // A program that ended: its group is killed while its zombie still
    // holds the group's number, then it is reaped. All are reaped, each at
    // its time, before any is judged.
    std::vector<std::pair<std::size_t, RunResult>> ended;
    for (siginfo_t child{};
         waitid(P_ALL, 0, &child, WEXITED | WNOHANG | WNOWAIT) == 0 && child.si_pid > 0;
         child = siginfo_t{}) {
      const pid_t pid = child.si_pid;
      const auto found = running.find(pid);
      if (found != running.end()) kill(-pid, SIGKILL);
      int status = 0;
      rusage usage{};
      if (wait4(pid, &status, 0, &usage) != pid || found == running.end()) continue;
      ended.emplace_back(found->second.index, resultOf(found->second, status, usage, Clock::now()));
      running.erase(found);
    }
    for (const auto& [index, result] : ended) endRun(index, result);
    const auto now = Clock::now();
    for (auto& [pid, run] : running) {
      run.addressPeak = std::max(run.addressPeak, addressSpacePeak(pid));
      if (!run.killedFor && now - run.started > wallLimit) {
        run.killedFor = RunEnd::kTimeLimit;
        kill(-pid, SIGKILL);
      }
    }
    if (now - lastCount >= kCountEvery) {
      lastCount = now;
      std::map<pid_t, unsigned> members;
      for (const ProcessEntry& process : processes()) ++members[process.group];
      for (auto& [pid, run] : running) {
        if (!run.killedFor && members[pid] >= limits.processes) {
          run.killedFor = RunEnd::kProcessLimit;
          kill(-pid, SIGKILL);
        }
      }
      killStrays(running, false);
    }
  }
  for (const auto& entry : running) kill(-entry.first, SIGKILL);
  reapEverything();
  return caughtInterrupt == 0;
}

}  // namespace tesmo

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <signal.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "programs/support/child_process.h"

struct ChildProcess::State {
    pid_t pid = -1;
    int channel = -1;
    std::string pending;
    bool closed = false;
};

namespace {

double Now() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

std::string ProgramPath() {
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return "";
    path[length] = '\0';
    return path;
}

}  // namespace

ChildProcess::ChildProcess() : state(new State) {}

ChildProcess::~ChildProcess() {
    if (state->pid > 0) Kill();
    if (state->channel >= 0) close(state->channel);
    delete state;
}

bool ChildProcess::Start(const std::vector<std::string>& arguments, std::string& error) {
    std::string program = ProgramPath();
    int ends[2];
    if (program.empty() || pipe2(ends, O_CLOEXEC) != 0) {
        error = std::string("cannot start a child process: ") + strerror(errno);
        return false;
    }
    std::vector<std::string> words = arguments;
    words.insert(words.begin(), program);
    words.push_back("--channel");
    words.push_back(std::to_string(ends[1]));
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(&word[0]);
    argv.push_back(nullptr);

    pid_t pid = fork();
    if (pid < 0) {
        error = std::string("cannot start a child process: ") + strerror(errno);
        close(ends[0]);
        close(ends[1]);
        return false;
    }
    if (pid == 0) {
        // The channel's write end is the one descriptor the child keeps; what
        // the plugins print goes to standard error.
        fcntl(ends[1], F_SETFD, 0);
        dup2(2, 1);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(ends[1]);
    state->pid = pid;
    state->channel = ends[0];
    state->pending.clear();
    state->closed = false;
    return true;
}

ChildProcess::ReadResult ChildProcess::ReadLine(std::string& line, double seconds) {
    const double deadline = Now() + seconds;
    for (;;) {
        size_t end = state->pending.find('\n');
        if (end != std::string::npos) {
            line = state->pending.substr(0, end);
            state->pending.erase(0, end + 1);
            return Line;
        }
        // A line cut short by the child's end is not a record.
        if (state->closed) return Ended;
        double left = deadline - Now();
        if (left <= 0) return TimedOut;
        pollfd ready = {state->channel, POLLIN, 0};
        int polled = poll(&ready, 1, static_cast<int>(left * 1000) + 1);
        if (polled < 0 && errno == EINTR) continue;
        if (polled == 0) continue;
        char buffer[4096];
        ssize_t got = read(state->channel, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            state->closed = true;
        } else {
            state->pending.append(buffer, static_cast<size_t>(got));
        }
    }
}

void ChildProcess::Kill() {
    if (state->pid <= 0) return;
    kill(state->pid, SIGKILL);
    Wait();
}

std::string ChildProcess::Wait() {
    if (state->pid <= 0) return "";
    int status = 0;
    while (waitpid(state->pid, &status, 0) < 0 && errno == EINTR) {
    }
    state->pid = -1;
    if (WIFSIGNALED(status)) {
        int signal = WTERMSIG(status);
        return "it was ended by signal " + std::to_string(signal) + " (" + strsignal(signal) + ")";
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
        return "it exited with status " + std::to_string(WEXITSTATUS(status));
    return "";
}

struct ParentChannel::State {
    int descriptor = -1;
};

ParentChannel::ParentChannel(const char* token) : state(new State) {
    char* end = nullptr;
    long descriptor = strtol(token, &end, 10);
    if (end != token && *end == '\0' && descriptor > 2 && fcntl(descriptor, F_GETFD) != -1)
        state->descriptor = static_cast<int>(descriptor);
}

ParentChannel::~ParentChannel() {
    if (state->descriptor >= 0) close(state->descriptor);
    delete state;
}

bool ParentChannel::IsOpen() const {
    return state->descriptor >= 0;
}

void ParentChannel::Send(const std::string& line) {
    if (state->descriptor < 0) return;
    std::string record = line + '\n';
    const char* data = record.data();
    size_t left = record.size();
    while (left > 0) {
        ssize_t written = write(state->descriptor, data, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return;
        data += written;
        left -= static_cast<size_t>(written);
    }
}

void PrepareChildProcess() {
    // A parent that has gone away ends the child quietly; a crash leaves no
    // core file behind in the pack author's folder.
    signal(SIGPIPE, SIG_IGN);
    rlimit noCore = {0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
}

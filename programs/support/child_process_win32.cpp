#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "programs/support/child_process.h"

struct ChildProcess::State {
    HANDLE process = nullptr;
    HANDLE channel = nullptr;
    std::string pending;
    bool closed = false;
};

namespace {

// One argument as the C runtime splits a command line: in double quotes, with
// the backslashes before a quote (and before the closing quote) doubled.
std::string Quoted(const std::string& argument) {
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

std::string SystemError(const char* what) {
    char text[64];
    std::snprintf(text, sizeof text, "%s (error %lu)", what,
                  static_cast<unsigned long>(GetLastError()));
    return text;
}

// Names of the exception codes a crashing plugin ends a process with.
const char* ExceptionName(DWORD code) {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION:
            return "access violation";
        case EXCEPTION_STACK_OVERFLOW:
            return "stack overflow";
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
            return "integer division by zero";
        case EXCEPTION_ILLEGAL_INSTRUCTION:
            return "illegal instruction";
        case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
            return "array bounds exceeded";
        case EXCEPTION_IN_PAGE_ERROR:
            return "in-page error";
        default:
            return "an unhandled exception";
    }
}

LONG WINAPI EndAtOnce(EXCEPTION_POINTERS*) {
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

ChildProcess::ChildProcess() : state(new State) {}

ChildProcess::~ChildProcess() {
    if (state->process) Kill();
    if (state->channel) CloseHandle(state->channel);
    delete state;
}

bool ChildProcess::Start(const std::vector<std::string>& arguments, std::string& error) {
    char program[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (length == 0 || length >= sizeof program ||
        !CreatePipe(&readEnd, &writeEnd, &inherited, 0)) {
        error = SystemError("cannot start a child process");
        return false;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    std::string command = Quoted(program);
    for (const std::string& argument : arguments) command += " " + Quoted(argument);
    char token[32];
    std::snprintf(token, sizeof token, "%llu",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(writeEnd)));
    command += std::string(" --channel ") + token;

    // The child's standard output and error both go to this process's
    // standard error, through an inheritable copy of it.
    HANDLE errorCopy = nullptr;
    HANDLE ownError = GetStdHandle(STD_ERROR_HANDLE);
    if (ownError && ownError != INVALID_HANDLE_VALUE)
        DuplicateHandle(GetCurrentProcess(), ownError, GetCurrentProcess(), &errorCopy, 0, TRUE,
                        DUPLICATE_SAME_ACCESS);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = errorCopy;
    startup.hStdError = errorCopy;
    PROCESS_INFORMATION started = {};
    BOOL ok = CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                             &startup, &started);
    if (!ok) error = SystemError("cannot start a child process");
    CloseHandle(writeEnd);
    if (errorCopy) CloseHandle(errorCopy);
    if (!ok) {
        CloseHandle(readEnd);
        return false;
    }
    CloseHandle(started.hThread);
    state->process = started.hProcess;
    state->channel = readEnd;
    state->pending.clear();
    state->closed = false;
    return true;
}

ChildProcess::ReadResult ChildProcess::ReadLine(std::string& line, double seconds) {
    // Elapsed time by difference, which stays right when the tick count wraps.
    const DWORD start = GetTickCount();
    const DWORD limit = static_cast<DWORD>(seconds * 1000);
    for (;;) {
        size_t end = state->pending.find('\n');
        if (end != std::string::npos) {
            line = state->pending.substr(0, end);
            state->pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return Line;
        }
        if (state->closed) return Ended;
        DWORD available = 0;
        if (!PeekNamedPipe(state->channel, nullptr, 0, nullptr, &available, nullptr)) {
            state->closed = true;
            continue;
        }
        if (available == 0) {
            if (GetTickCount() - start >= limit) return TimedOut;
            Sleep(5);
            continue;
        }
        char buffer[4096];
        DWORD got = 0;
        DWORD wanted = available < sizeof buffer ? available : sizeof buffer;
        if (!ReadFile(state->channel, buffer, wanted, &got, nullptr) || got == 0) {
            state->closed = true;
        } else {
            state->pending.append(buffer, got);
        }
    }
}

void ChildProcess::Kill() {
    if (!state->process) return;
    TerminateProcess(state->process, 1);
    Wait();
}

std::string ChildProcess::Wait() {
    if (!state->process) return "";
    WaitForSingleObject(state->process, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(state->process, &code);
    CloseHandle(state->process);
    state->process = nullptr;
    if (code == 0) return "";
    char text[96];
    if (code >= 0xC0000000u) {
        std::snprintf(text, sizeof text, "it ended with exception 0x%08lX (%s)",
                      static_cast<unsigned long>(code), ExceptionName(code));
    } else if (code == 3) {
        std::snprintf(text, sizeof text, "it exited with status 3 (abort: %s)",
                      "an exception nothing caught, or a failed check in the pack");
    } else {
        std::snprintf(text, sizeof text, "it exited with status %lu",
                      static_cast<unsigned long>(code));
    }
    return text;
}

struct ParentChannel::State {
    HANDLE handle = nullptr;
};

ParentChannel::ParentChannel(const char* token) : state(new State) {
    char* end = nullptr;
    unsigned long long value = std::strtoull(token, &end, 10);
    if (end != token && *end == '\0' && value != 0)
        state->handle = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(value));
}

ParentChannel::~ParentChannel() {
    if (state->handle) CloseHandle(state->handle);
    delete state;
}

bool ParentChannel::IsOpen() const {
    return state->handle != nullptr;
}

void ParentChannel::Send(const std::string& line) {
    if (!state->handle) return;
    std::string record = line + '\n';
    const char* data = record.data();
    DWORD left = static_cast<DWORD>(record.size());
    while (left > 0) {
        DWORD written = 0;
        if (!WriteFile(state->handle, data, left, &written, nullptr) || written == 0) return;
        data += written;
        left -= written;
    }
}

void PrepareChildProcess() {
    // No error box and no debugger: the process ends with the exception's
    // code, which the parent reports.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(EndAtOnce);
}

#include "tools/capture/progress_line.h"

namespace {

const std::chrono::milliseconds Interval(250);

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

ProgressLine::ProgressLine(std::FILE* terminal, std::int64_t frames)
    : terminal_(terminal),
      frames_(frames),
      start_(std::chrono::steady_clock::now()),
      lastShown_(start_),
      shown_(false) {}

double ProgressLine::Seconds() const {
    return SecondsSince(start_);
}

double ProgressLine::Rate(std::int64_t done) const {
    double seconds = Seconds();
    return seconds > 0.0 ? static_cast<double>(done) / seconds : 0.0;
}

void ProgressLine::Show(std::int64_t done) {
    auto now = std::chrono::steady_clock::now();
    if (terminal_ == nullptr || (now - lastShown_ < Interval && done < frames_)) return;
    lastShown_ = now;
    double rate = Rate(done);
    long left =
        rate > 0.0 ? static_cast<long>(static_cast<double>(frames_ - done) / rate + 0.5) : 0;
    std::fprintf(terminal_, "\rframe %lld/%lld  %3d%%  %6.1f fps  %ld:%02ld left ",
                 static_cast<long long>(done), static_cast<long long>(frames_),
                 static_cast<int>(100 * done / frames_), rate, left / 60, left % 60);
    std::fflush(terminal_);
    shown_ = true;
}

void ProgressLine::End() {
    if (shown_) std::fprintf(terminal_, "\n");
    shown_ = false;
}

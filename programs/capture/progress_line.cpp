#include "programs/capture/progress_line.h"

namespace {

const std::chrono::milliseconds Interval(250);

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

ProgressLine::ProgressLine(std::FILE* output, std::int64_t frameCount)
    : terminal(output),
      frames(frameCount),
      start(std::chrono::steady_clock::now()),
      lastShown(start),
      shown(false) {}

double ProgressLine::Seconds() const {
    return SecondsSince(start);
}

double ProgressLine::Rate(std::int64_t done) const {
    double seconds = Seconds();
    return seconds > 0.0 ? static_cast<double>(done) / seconds : 0.0;
}

void ProgressLine::Show(std::int64_t done) {
    auto now = std::chrono::steady_clock::now();
    if (terminal == nullptr || (now - lastShown < Interval && done < frames)) return;
    lastShown = now;
    double rate = Rate(done);
    long left = rate > 0.0 ? static_cast<long>(static_cast<double>(frames - done) / rate + 0.5) : 0;
    std::fprintf(terminal, "\rframe %lld/%lld  %3d%%  %6.1f fps  %ld:%02ld left ",
                 static_cast<long long>(done), static_cast<long long>(frames),
                 static_cast<int>(100 * done / frames), rate, left / 60, left % 60);
    std::fflush(terminal);
    shown = true;
}

void ProgressLine::End() {
    if (shown) std::fprintf(terminal, "\n");
    shown = false;
}

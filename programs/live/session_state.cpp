#include "programs/live/session_state.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "foundation/exception.h"
#include "programs/support/tab_record.h"

namespace Ombrel::Live {

namespace {

// The state's fields, gathered for one record (tab_record.h).
class Writer {
public:
    void Add(const std::string& text) { fields.push_back(text); }
    void Add(double number) {
        char text[40];
        std::snprintf(text, sizeof text, "%.17g", number);
        Add(std::string(text));
    }
    void Add(long long number) { Add(std::to_string(number)); }
    void Add(const PackVersion& version) {
        Add(static_cast<long long>(version.number));
        Add(version.copy);
        Add(version.stamp);
        Add(version.order);
    }
    std::string Line() const { return Ombrel::Tools::EncodeRecord(fields); }

private:
    std::vector<std::string> fields;
};

class Reader {
public:
    explicit Reader(const std::string& line) : fields(Ombrel::Tools::DecodeRecord(line)) {}
    const std::string& Text() {
        if (next >= fields.size()) throw Ombrel::Exception("The session's state is cut short");
        return fields[next++];
    }
    double Number() {
        const std::string& text = Text();
        char* end = nullptr;
        double value = std::strtod(text.c_str(), &end);
        if (text.empty() || *end != '\0')
            throw Ombrel::Exception("The session's state holds no number at \"%s\"", text.c_str());
        return value;
    }
    long long Whole() { return static_cast<long long>(Number()); }
    PackVersion Version() {
        PackVersion version;
        version.number = static_cast<int>(Whole());
        version.copy = Text();
        version.stamp = Text();
        version.order = Whole();
        return version;
    }
    bool AtEnd() const { return next >= fields.size(); }

private:
    std::vector<std::string> fields;
    std::size_t next = 0;
};

const char* const Tag = "ombrel-live-state-2";

}  // namespace

PackState* SessionState::Find(const std::string& name) {
    for (PackState& pack : packs) {
        if (pack.name == name) return &pack;
    }
    return nullptr;
}

const PackState* SessionState::Find(const std::string& name) const {
    return const_cast<SessionState*>(this)->Find(name);
}

std::string SessionState::Line() const {
    Writer out;
    out.Add(std::string(Tag));
    out.Add(time);
    out.Add(static_cast<long long>(playing));
    out.Add(static_cast<long long>(looping));
    out.Add(loopStart);
    out.Add(loopEnd);
    out.Add(speed);
    out.Add(static_cast<long long>(endLoops));
    out.Add(static_cast<long long>(snap));
    out.Add(nextOrder);
    out.Add(frames);
    out.Add(folder);
    out.Add(control);
    out.Add(trialPack);
    out.Add(trial);
    out.Add(crashNote);
    out.Add(static_cast<long long>(packs.size()));
    for (const PackState& pack : packs) {
        out.Add(pack.name);
        out.Add(pack.current);
        out.Add(pack.previous);
        out.Add(static_cast<long long>(pack.nextVersion));
        out.Add(static_cast<long long>(pack.crashedStamps.size()));
        for (const std::string& stamp : pack.crashedStamps) out.Add(stamp);
    }
    return out.Line();
}

SessionState SessionState::Parse(const std::string& line) {
    Reader in(line);
    if (in.Text() != Tag) throw Ombrel::Exception("Not a session's state: %.40s", line.c_str());
    SessionState state;
    state.time = in.Number();
    state.playing = in.Whole() != 0;
    state.looping = in.Whole() != 0;
    state.loopStart = in.Number();
    state.loopEnd = in.Number();
    state.speed = in.Number();
    state.endLoops = in.Whole() != 0;
    state.snap = static_cast<int>(in.Whole());
    if (state.speed != 1.0 && state.speed != 0.5 && state.speed != 0.25)
        throw Ombrel::Exception("The session's state holds no speed at %g", state.speed);
    if (state.snap < 0 || state.snap > 2)
        throw Ombrel::Exception("The session's state holds no snapping at %d", state.snap);
    state.nextOrder = in.Whole();
    state.frames = in.Whole();
    state.folder = in.Text();
    state.control = in.Text();
    state.trialPack = in.Text();
    state.trial = in.Version();
    state.crashNote = in.Text();
    long long count = in.Whole();
    for (long long i = 0; i < count; ++i) {
        PackState pack;
        pack.name = in.Text();
        pack.current = in.Version();
        pack.previous = in.Version();
        pack.nextVersion = static_cast<int>(in.Whole());
        long long crashed = in.Whole();
        for (long long j = 0; j < crashed; ++j) pack.crashedStamps.push_back(in.Text());
        state.packs.push_back(pack);
    }
    if (!in.AtEnd()) throw Ombrel::Exception("The session's state has more than it should");
    return state;
}

bool SessionState::BlameCrash(const std::string& how) {
    PackState* blamed = nullptr;
    PackVersion version;
    bool onTrial = !trialPack.empty() && trial.number != 0;
    if (onTrial) {
        blamed = Find(trialPack);
        version = trial;
    } else {
        for (PackState& pack : packs) {
            if (pack.current.number != 0 && pack.current.order > version.order) {
                blamed = &pack;
                version = pack.current;
            }
        }
    }
    if (blamed == nullptr || version.number == 0) return false;

    blamed->crashedStamps.push_back(version.stamp);
    if (blamed->current.number == version.number) {
        blamed->current = blamed->previous;
        blamed->previous = PackVersion();
    }
    trialPack.clear();
    trial = PackVersion();
    std::ostringstream note;
    note << blamed->name << " version " << version.number << " crashed the session (" << how
         << "); ";
    if (blamed->current.number != 0) {
        note << "going on with version " << blamed->current.number;
    } else {
        note << "going on without it";
    }
    char at[32];
    std::snprintf(at, sizeof at, " at %.2f s", time);
    note << at << ", until the file changes";
    crashNote = note.str();
    return true;
}

}  // namespace Ombrel::Live

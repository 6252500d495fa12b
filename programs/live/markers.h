#pragma once

#include <string>
#include <vector>

namespace Ombrel::Live {

// The author's named moments of the demo, kept in order of time. Names are
// 1 to 64 letters, digits, '-', '_' and '.', each used once; times are kept
// to the millisecond, as the markers' file writes them. Every change that is
// refused throws Ombrel::Exception naming the marker, and changes nothing.
struct Marker {
    std::string name;
    double time = 0.0;
};

class Markers {
public:
    static const std::size_t Most = 10000;

    // Whether `name` is one a marker may have.
    static bool ValidName(const std::string& name);

    void Add(const std::string& name, double seconds);
    void Rename(const std::string& name, const std::string& newName);
    void Move(const std::string& name, double seconds);
    void Delete(const std::string& name);
    // The marker's time.
    double TimeOf(const std::string& name) const;
    // A name not in use: `prefix` and the lowest number from 1 that is free.
    std::string FreeName(const std::string& prefix) const;

    const std::vector<Marker>& All() const { return list; }
    void Clear() { list.clear(); }

private:
    std::vector<Marker>::const_iterator Find(const std::string& name) const;
    void CheckName(const std::string& name) const;
    void Place(Marker marker);

    std::vector<Marker> list;
};

// `seconds` to the millisecond.
double ToMilliseconds(double seconds);

}  // namespace Ombrel::Live

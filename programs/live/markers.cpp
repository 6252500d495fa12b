#include "programs/live/markers.h"

#include <algorithm>
#include <cmath>

#include "foundation/exception.h"

namespace Ombrel::Live {

namespace {

const std::size_t LongestName = 64;

bool NameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.';
}

}  // namespace

double ToMilliseconds(double seconds) {
    return std::round(seconds * 1000.0) / 1000.0;
}

bool Markers::ValidName(const std::string& name) {
    return !name.empty() && name.size() <= LongestName &&
           std::all_of(name.begin(), name.end(), NameCharacter);
}

std::vector<Marker>::const_iterator Markers::Find(const std::string& name) const {
    return std::find_if(list.begin(), list.end(),
                        [&](const Marker& marker) { return marker.name == name; });
}

void Markers::CheckName(const std::string& name) const {
    if (!ValidName(name)) {
        throw Ombrel::Exception(
            "marker \"%.80s\": a name is 1 to 64 letters, digits, '-', '_' or '.'", name.c_str());
    }
    if (Find(name) != list.end())
        throw Ombrel::Exception("marker \"%s\" already exists", name.c_str());
}

// Keeps the list in order of time; markers at the same time stay in the order
// they came.
void Markers::Place(Marker marker) {
    marker.time = ToMilliseconds(marker.time);
    auto after =
        std::upper_bound(list.begin(), list.end(), marker.time,
                         [](double time, const Marker& placed) { return time < placed.time; });
    list.insert(after, marker);
}

void Markers::Add(const std::string& name, double seconds) {
    CheckName(name);
    if (list.size() >= Most)
        throw Ombrel::Exception("marker \"%s\": there are already %d markers", name.c_str(),
                                static_cast<int>(Most));
    Place(Marker{name, seconds});
}

void Markers::Rename(const std::string& name, const std::string& newName) {
    auto found = Find(name);
    if (found == list.end()) throw Ombrel::Exception("no marker \"%.80s\"", name.c_str());
    if (newName == name) return;
    CheckName(newName);
    list[found - list.begin()].name = newName;
}

void Markers::Move(const std::string& name, double seconds) {
    auto found = Find(name);
    if (found == list.end()) throw Ombrel::Exception("no marker \"%.80s\"", name.c_str());
    Marker moved = *found;
    moved.time = seconds;
    list.erase(found);
    Place(moved);
}

void Markers::Delete(const std::string& name) {
    auto found = Find(name);
    if (found == list.end()) throw Ombrel::Exception("no marker \"%.80s\"", name.c_str());
    list.erase(found);
}

double Markers::TimeOf(const std::string& name) const {
    auto found = Find(name);
    if (found == list.end()) throw Ombrel::Exception("no marker \"%.80s\"", name.c_str());
    return found->time;
}

std::string Markers::FreeName(const std::string& prefix) const {
    for (std::size_t number = 1;; ++number) {
        std::string name = prefix + std::to_string(number);
        if (Find(name) == list.end()) return name;
    }
}

}  // namespace Ombrel::Live

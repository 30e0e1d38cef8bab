// SPDX-License-Identifier: GPL-3.0-or-later
#include "bracket/MemoryBound.h"

#include <sys/resource.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

namespace ravelon {

namespace {

// Amount times Scale, NoLimit past the range of a size.
std::size_t Scaled(unsigned long long Amount, unsigned long long Scale) {
    if (Amount > static_cast<unsigned long long>(SIZE_MAX) / Scale) return NoLimit;
    return static_cast<std::size_t>(Amount * Scale);
}

// The amount of the line starting with Key of a text of "Key: amount kB"
// lines, in bytes; 0 when it has none.
std::size_t KilobytesLine(std::istream& Text, const std::string& Key) {
    std::string line;
    while (std::getline(Text, line)) {
        std::istringstream words(line);
        std::string key, unit;
        unsigned long long amount = 0;
        if (!(words >> key >> amount) || key != Key) continue;
        words >> unit;
        return Scaled(amount, unit == "kB" ? 1024 : 1);
    }
    return 0;
}

// The room of the cgroup of files Limit and Usage in Folder; NoLimit when
// they cannot be read.
std::size_t RoomOfFolder(const std::string& Folder, const char* Limit, const char* Usage) {
    std::ifstream limit(Folder + "/" + Limit), usage(Folder + "/" + Usage);
    if (!limit || !usage) return NoLimit;
    return CgroupRoomOf(limit, usage);
}

// The least room of the cgroup at Path (starting with '/') under Root and of
// those above it.
std::size_t RoomUpFrom(const std::string& Root, std::string Path, const char* Limit, const char* Usage) {
    std::size_t room = NoLimit;
    while (!Path.empty() && Path[0] == '/') {
        room = std::min(room, RoomOfFolder(Root + Path, Limit, Usage));
        if (Path == "/") break;
        const std::size_t slash = Path.find_last_of('/');
        Path = slash == 0 ? "/" : Path.substr(0, slash);
    }
    return room;
}

}  // namespace

std::size_t MemAvailableOf(std::istream& Meminfo) { return KilobytesLine(Meminfo, "MemAvailable:"); }

std::size_t MemAvailableNow() {
    std::ifstream meminfo("/proc/meminfo");
    return meminfo ? MemAvailableOf(meminfo) : 0;
}

TCgroupPaths CgroupPathsOf(std::istream& ProcCgroup) {
    TCgroupPaths paths;
    std::string line;
    while (std::getline(ProcCgroup, line)) {
        // hierarchy:controllers:path, the path itself may hold ':'.
        const std::size_t first = line.find(':');
        const std::size_t second = first == std::string::npos ? first : line.find(':', first + 1);
        if (second == std::string::npos) continue;
        const std::string hierarchy = line.substr(0, first), path = line.substr(second + 1);
        const std::string controllers = "," + line.substr(first + 1, second - first - 1) + ",";
        if (hierarchy == "0" && controllers == ",,") paths.V2 = path;
        else if (controllers.find(",memory,") != std::string::npos) paths.V1Memory = path;
    }
    return paths;
}

std::size_t CgroupRoomOf(std::istream& Limit, std::istream& Usage) {
    unsigned long long limit = 0, usage = 0;
    if (!(Limit >> limit) || !(Usage >> usage)) return NoLimit;
    if (usage >= limit) return 0;
    return Scaled(limit - usage, 1);
}

std::size_t CgroupRoomUnder(const std::string& Root, const TCgroupPaths& Paths) {
    // Beside the v1 hierarchies (a hybrid system), the v2 one is mounted at
    // Root/unified.
    return std::min({RoomUpFrom(Root, Paths.V2, "memory.max", "memory.current"),
                     RoomUpFrom(Root + "/unified", Paths.V2, "memory.max", "memory.current"),
                     RoomUpFrom(Root + "/memory", Paths.V1Memory, "memory.limit_in_bytes", "memory.usage_in_bytes")});
}

std::size_t AddressRoomOf(std::uint64_t Limit, std::istream& Status) {
    if (Limit >= NoLimit) return NoLimit;
    const std::size_t mapped = KilobytesLine(Status, "VmSize:");
    return Limit > mapped ? static_cast<std::size_t>(Limit - mapped) : 0;
}

std::size_t FreeMemoryOf(std::size_t Available, std::size_t CgroupRoom, std::size_t AddressRoom) {
    std::size_t least = Available == 0 ? NoLimit : Available;
    least = std::min({least, CgroupRoom, AddressRoom});
    if (least == NoLimit) return 0;
    return std::max<std::size_t>(least, 1);
}

std::size_t FreeMemoryNow() {
    std::ifstream cgroup("/proc/self/cgroup");
    const std::size_t cgroupRoom = cgroup ? CgroupRoomUnder("/sys/fs/cgroup", CgroupPathsOf(cgroup)) : NoLimit;
    std::size_t addressRoom = NoLimit;
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        std::ifstream status("/proc/self/status");
        addressRoom = AddressRoomOf(static_cast<std::uint64_t>(limit.rlim_cur), status);
    }
    return FreeMemoryOf(MemAvailableNow(), cgroupRoom, addressRoom);
}

std::size_t ContractionBytesFor(std::size_t Available) {
    if (Available == 0) return FallbackContractionBytes;
    const double rest = static_cast<double>(Available > SystemMarginBytes ? Available - SystemMarginBytes : 0);
    return std::max(LeastContractionBytes, static_cast<std::size_t>(FreeMemoryShare * rest));
}

std::size_t MachineContractionBytes() { return ContractionBytesFor(FreeMemoryNow()); }

}  // namespace ravelon

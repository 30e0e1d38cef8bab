// SPDX-License-Identifier: GPL-3.0-or-later
// The memory a contraction may take: a share of what the machine has free
// when the computation starts.
//
// Data model: the free memory is the least of three figures, each where it
// can be read: MemAvailable of /proc/meminfo (what the kernel can give
// without swapping, the page cache it can drop included); the room left in
// the memory cgroups of the process and of every cgroup above them (for
// cgroup v2 memory.max less memory.current, "max" being no limit; for v1
// memory.limit_in_bytes less memory.usage_in_bytes), found from
// /proc/self/cgroup under /sys/fs/cgroup; and the room left in the address
// space the process may map (RLIMIT_AS less VmSize of /proc/self/status).
// Past any of them the system kills the process or refuses it memory. Of the
// free memory, a margin is left for the desktop window and the rest of the
// system, and a share of the rest is the bound; where none of the figures
// can be read, the bound is a fixed one an ordinary desktop can give.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>

namespace ravelon {

// The bound where the free memory is not known: 1.5 GiB.
constexpr std::size_t FallbackContractionBytes = std::size_t{3} << 29;
// The memory left for the rest of the system, and the share of what is left
// after it that a computation may take.
constexpr std::size_t SystemMarginBytes = std::size_t{1} << 30;
constexpr double FreeMemoryShare = 0.75;
// The smallest bound, however little is free.
constexpr std::size_t LeastContractionBytes = std::size_t{1} << 28;
// A room without a limit, or whose limit cannot be read.
constexpr std::size_t NoLimit = SIZE_MAX;

// MemAvailable of a text in the form of /proc/meminfo, in bytes; 0 when it
// has none.
std::size_t MemAvailableOf(std::istream& Meminfo);
// MemAvailable of this machine now; 0 when it cannot be read.
std::size_t MemAvailableNow();

// The cgroups of a text in the form of /proc/self/cgroup: the path of the
// cgroup v2 ("0::/path"), and the path of the v1 hierarchy of the memory
// controller ("N:...memory...:/path"); empty for one it does not name.
struct TCgroupPaths {
    std::string V2;
    std::string V1Memory;
};
TCgroupPaths CgroupPathsOf(std::istream& ProcCgroup);
// The room left under a limit read from Limit ("max", or bytes) with Usage
// bytes in use; NoLimit for "max" or a limit that cannot be read, 0 when the
// usage has reached the limit.
std::size_t CgroupRoomOf(std::istream& Limit, std::istream& Usage);
// The least room left in the memory cgroups of Paths and in every cgroup
// above them, their files under Root (as /sys/fs/cgroup; the v2 ones there
// or under Root/unified, the v1 ones under Root/memory); NoLimit when none
// has a limit.
std::size_t CgroupRoomUnder(const std::string& Root, const TCgroupPaths& Paths);
// The room the address space limit Limit (NoLimit for none) leaves beside
// VmSize of a text in the form of /proc/self/status (taken as 0 when it has
// none).
std::size_t AddressRoomOf(std::uint64_t Limit, std::istream& Status);

// The free memory for the figures read (0 for MemAvailable, NoLimit for a
// room, when not known): their least, at least 1; 0 when none is known.
std::size_t FreeMemoryOf(std::size_t Available, std::size_t CgroupRoom, std::size_t AddressRoom);
// The free memory of this process now; 0 when it cannot be read.
std::size_t FreeMemoryNow();

// The bound for Available free bytes (0: not known).
std::size_t ContractionBytesFor(std::size_t Available);
// The bound for this process now.
std::size_t MachineContractionBytes();

}  // namespace ravelon

#pragma once

#include <QString>

#include <cstdint>

// What the about box tells of the machine: the system's name and version, and its memory.
class SystemInfo {
public:
    // For example "Debian GNU/Linux 12 (bookworm) (Linux 6.1.0-18-amd64)".
    static QString osText();
    // Total physical memory in bytes (MemTotal of /proc/meminfo); 0 when it cannot be read.
    static uint64_t totalMemoryBytes();
    // Bytes as whole KB with thousands separators and " KB": 536870912 -> "524,288 KB".
    static QString memoryText(uint64_t bytes);
};

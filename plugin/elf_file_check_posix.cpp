#include <elf.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

#include "plugin/elf_file_check.h"

namespace {

// Reads `size` bytes at `offset`; false when the file is shorter.
bool ReadAt(FILE* file, long long offset, void* destination, size_t size) {
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0 &&
           fread(destination, 1, size, file) == size;
}

template <typename Header, typename ProgramHeader>
bool SegmentsFit(FILE* file, long long fileSize, char* reason, int reasonSize) {
    Header header;
    if (!ReadAt(file, 0, &header, sizeof header)) {
        snprintf(reason, reasonSize, "file too short for its ELF header");
        return false;
    }
    if (header.e_phentsize != sizeof(ProgramHeader)) return true;  // the loader judges it
    for (int i = 0; i < header.e_phnum; ++i) {
        ProgramHeader segment;
        long long at =
            static_cast<long long>(header.e_phoff) + static_cast<long long>(i) * sizeof segment;
        if (!ReadAt(file, at, &segment, sizeof segment)) {
            snprintf(reason, reasonSize, "file too short for its program headers");
            return false;
        }
        if (segment.p_type != PT_LOAD) continue;
        unsigned long long end =
            static_cast<unsigned long long>(segment.p_offset) + segment.p_filesz;
        if (end > static_cast<unsigned long long>(fileSize)) {
            snprintf(reason, reasonSize, "file too short for its segments (%llu of %llu bytes)",
                     static_cast<unsigned long long>(fileSize), end);
            return false;
        }
    }
    return true;
}

}  // namespace

bool ElfFileIsWhole(const char* path, char* reason, int reasonSize) {
    struct stat status;
    if (stat(path, &status) != 0 || !S_ISREG(status.st_mode)) return true;
    FILE* file = fopen(path, "rb");
    if (!file) return true;
    unsigned char ident[EI_NIDENT];
    bool whole = true;
    if (ReadAt(file, 0, ident, sizeof ident) && memcmp(ident, ELFMAG, SELFMAG) == 0) {
        long long size = static_cast<long long>(status.st_size);
        if (ident[EI_CLASS] == ELFCLASS64) {
            whole = SegmentsFit<Elf64_Ehdr, Elf64_Phdr>(file, size, reason, reasonSize);
        } else if (ident[EI_CLASS] == ELFCLASS32) {
            whole = SegmentsFit<Elf32_Ehdr, Elf32_Phdr>(file, size, reason, reasonSize);
        }
    }
    fclose(file);
    return whole;
}

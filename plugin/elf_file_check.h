#pragma once

// Whether the ELF file at `path` holds every byte its loadable segments claim.
// The loader maps segments straight from the file, so a pack cut short would
// crash the program with a bus error when the loader touches the missing
// pages, instead of failing to load. False (with the reason filled in) for
// such a file; true for a whole file, and for anything that is not ELF, which
// the loader itself refuses safely.
bool ElfFileIsWhole(const char* path, char* reason, int reasonSize);

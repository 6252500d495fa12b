#pragma once

// `--version` for the programs beside the host: when any argument is
// --version, prints "<program> <version>" (the version the build worked out
// from the project's version and its commit) on standard output and returns
// true, and the program ends with status 0.
bool PrintVersionWhenAsked(int argc, char** argv, const char* program);

// The version alone, as the packages name it.
const char* OmbrelVersion();

#pragma once
// Every string table of the program, in the order the start-up hands them
// to the string service.

#include "foundation/UIStringTable.h"

#include <span>
#include <vector>

std::vector<std::span<const StringResource>> ProgramStringTables();

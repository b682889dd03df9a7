// The import table of a Windows executable (32- or 64-bit): which DLLs it
// loads and which functions it takes from each. The bench counts them in the
// file; the clipboard test finds a function's slot in its own loaded image.
#ifndef PIKURIO_TESTS_SUPPORT_PE_IMPORTS_H
#define PIKURIO_TESTS_SUPPORT_PE_IMPORTS_H

#include <windows.h>

#include <stdint.h>

#include <string>
#include <vector>

struct ImportedFunction {
    std::string dll;
    std::string name;  // "#n" for an import by ordinal
    uint32_t slotRva;  // its entry in the import address table
};

struct ImportTable {
    std::vector<std::string> dlls;
    std::vector<ImportedFunction> functions;
};

// The imports of the executable file at path; false when it cannot be read or
// is not a well-formed image.
bool ReadFileImports(const std::string& path, ImportTable* table);
// The imports of a module loaded in this process.
bool ReadModuleImports(HMODULE module, ImportTable* table);

#endif

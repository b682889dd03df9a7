#include "tests/support/pe_imports.h"

#include <stddef.h>
#include <stdio.h>
#include <string.h>

namespace {

// An image's bytes, as laid out in its file or as mapped by the loader; every
// read is checked against its size, so a malformed image reads as false.
class ImageReader {
public:
    ImageReader(const unsigned char* bytes, size_t size, bool mapped)
        : bytes_(bytes), size_(size), mapped_(mapped) {}

    template <typename T>
    const T* At(size_t offset) const {
        return offset <= size_ && sizeof(T) <= size_ - offset
                   ? reinterpret_cast<const T*>(bytes_ + offset)
                   : nullptr;
    }

    // A NUL-terminated name at an offset, or false when it runs off the image.
    bool Name(size_t offset, std::string* name) const {
        if (offset >= size_) return false;
        const char* start = reinterpret_cast<const char*>(bytes_ + offset);
        const void* end = memchr(start, '\0', size_ - offset);
        if (!end) return false;
        name->assign(start, static_cast<const char*>(end));
        return true;
    }

    // Where a relative virtual address lies in these bytes; 0 when nowhere.
    size_t Offset(uint32_t rva) const {
        if (mapped_) return rva;
        for (int i = 0; i < sectionCount_; ++i) {
            const IMAGE_SECTION_HEADER& s = sections_[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.SizeOfRawData)
                return rva - s.VirtualAddress + s.PointerToRawData;
        }
        return 0;
    }

    bool ReadHeaders(bool* is64, uint32_t* importRva) {
        const IMAGE_DOS_HEADER* dos = At<IMAGE_DOS_HEADER>(0);
        if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE) return false;
        size_t ntOffset = (size_t)dos->e_lfanew;
        const IMAGE_NT_HEADERS32* nt32 = At<IMAGE_NT_HEADERS32>(ntOffset);
        if (!nt32 || nt32->Signature != IMAGE_NT_SIGNATURE) return false;
        *is64 = nt32->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC;
        if (*is64) {
            const IMAGE_NT_HEADERS64* nt64 = At<IMAGE_NT_HEADERS64>(ntOffset);
            if (!nt64) return false;
            *importRva =
                nt64->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
        } else if (nt32->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
            *importRva =
                nt32->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
        } else {
            return false;
        }
        // The file header and the section table sit at the same places in both layouts.
        sectionCount_ = nt32->FileHeader.NumberOfSections;
        size_t sectionsOffset = ntOffset + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) +
                                nt32->FileHeader.SizeOfOptionalHeader;
        sections_ = At<IMAGE_SECTION_HEADER>(sectionsOffset);
        return sections_ &&
               At<IMAGE_SECTION_HEADER>(sectionsOffset + (sectionCount_ - 1) * sizeof *sections_);
    }

private:
    const unsigned char* bytes_;
    size_t size_;
    bool mapped_;
    const IMAGE_SECTION_HEADER* sections_ = nullptr;
    int sectionCount_ = 0;
};

// One DLL's functions; a thunk is a pointer-sized word: an ordinal with the
// top bit set, else the address of a hint and a name.
template <typename Thunk>
bool ReadFunctions(const ImageReader& image, const IMAGE_IMPORT_DESCRIPTOR& descriptor,
                   const std::string& dll, ImportTable* table) {
    const Thunk ordinalFlag = (Thunk)1 << (sizeof(Thunk) * 8 - 1);
    uint32_t namesRva =
        descriptor.OriginalFirstThunk ? descriptor.OriginalFirstThunk : descriptor.FirstThunk;
    for (uint32_t i = 0;; ++i) {
        size_t offset = image.Offset(namesRva + i * (uint32_t)sizeof(Thunk));
        const Thunk* thunk = offset ? image.At<Thunk>(offset) : nullptr;
        if (!thunk) return false;
        if (*thunk == 0) return true;
        ImportedFunction function = {dll, "", descriptor.FirstThunk + i * (uint32_t)sizeof(Thunk)};
        if (*thunk & ordinalFlag) {
            function.name = "#" + std::to_string((unsigned)(*thunk & 0xFFFF));
        } else {
            size_t byName = image.Offset((uint32_t)*thunk);
            if (!byName ||
                !image.Name(byName + offsetof(IMAGE_IMPORT_BY_NAME, Name), &function.name))
                return false;
        }
        table->functions.push_back(function);
    }
}

bool ReadImports(ImageReader image, ImportTable* table) {
    *table = ImportTable();
    bool is64 = false;
    uint32_t importRva = 0;
    if (!image.ReadHeaders(&is64, &importRva)) return false;
    if (!importRva) return true;
    size_t offset = image.Offset(importRva);
    for (;; offset += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const IMAGE_IMPORT_DESCRIPTOR* descriptor =
            offset ? image.At<IMAGE_IMPORT_DESCRIPTOR>(offset) : nullptr;
        if (!descriptor) return false;
        if (descriptor->Name == 0) return true;
        std::string dll;
        if (!image.Name(image.Offset(descriptor->Name), &dll)) return false;
        table->dlls.push_back(dll);
        bool read = is64 ? ReadFunctions<uint64_t>(image, *descriptor, dll, table)
                         : ReadFunctions<uint32_t>(image, *descriptor, dll, table);
        if (!read) return false;
    }
}

}  // namespace

bool ReadFileImports(const std::string& path, ImportTable* table) {
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) return false;
    std::vector<unsigned char> bytes;
    unsigned char chunk[65536];
    size_t read;
    while ((read = fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + read);
    fclose(file);
    return ReadImports(ImageReader(bytes.data(), bytes.size(), false), table);
}

bool ReadModuleImports(HMODULE module, ImportTable* table) {
    const unsigned char* base = reinterpret_cast<const unsigned char*>(module);
    const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const IMAGE_NT_HEADERS32* nt =
        reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
    // SizeOfImage lies at the same offset in both optional headers.
    return ReadImports(ImageReader(base, nt->OptionalHeader.SizeOfImage, true), table);
}

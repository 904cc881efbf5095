#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/mman.h>

#include <cstring>
#include <random>

#include "skin/memory_module.h"
#include "skin/pe_image.h"
#include "tests/skin/pe_builder.h"

namespace sanxing {
namespace {

using pe_test::AddExports;
using pe_test::AddImports;
using pe_test::AddRelocations;
using pe_test::Bytes;
using pe_test::PeBuilder;
using pe_test::SectionData;

constexpr std::size_t kPage = 0x1000;
constexpr std::uint16_t kHighLow = 3 << 12;
constexpr std::uint16_t kDir64 = 10 << 12;

// An address range that is free now: mapped anywhere, then released.
std::uint64_t FreeAddress(std::size_t size = 0x10000) {
    void* at = mmap(nullptr, size, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    munmap(at, size);
    return reinterpret_cast<std::uint64_t>(at);
}

bool RangeFree(std::uint64_t address, std::size_t size) {
    void* at = mmap(reinterpret_cast<void*>(address), size, PROT_NONE,
                    MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
    if (at == MAP_FAILED) return false;
    munmap(at, size);
    return at == reinterpret_cast<void*>(address);
}

// What the recording entry point writes: its calls, their reasons, the last module.
struct EntryLog {
    std::int32_t calls = 0;
    std::int32_t reasons[4] = {};
    std::uint64_t module = 0;
};
static_assert(offsetof(EntryLog, module) == 24);

// x86-64, Windows x64 convention (rcx module, edx reason):
//   mov rax, log; mov [rax+24], rcx; mov ecx, [rax]; mov [rax+rcx*4+4], edx;
//   inc dword [rax]; mov eax, result; ret
Bytes RecordingEntry(EntryLog* log, std::uint32_t result) {
    Bytes code = {0x48, 0xB8, 0,    0,    0,    0,    0,    0,    0,    0, 0x48, 0x89, 0x48, 0x18,
                  0x8B, 0x08, 0x89, 0x54, 0x88, 0x04, 0xFF, 0x00, 0xB8, 0, 0,    0,    0,    0xC3};
    pe_test::Put(code, 2, reinterpret_cast<std::uint64_t>(log), 8);
    pe_test::Put(code, 23, result, 4);
    return code;
}

const Bytes kReturnOne = {0xB8, 0x01, 0x00, 0x00, 0x00, 0xC3};  // mov eax, 1; ret

std::span<const std::uint8_t> Span(const Bytes& bytes) { return bytes; }

// Where an RVA of the first section lies in a file built by PeBuilder.
std::size_t FileOffset(std::uint32_t rva) { return 0x200 + rva - 0x1000; }

class NoImports final : public ImportResolver {
public:
    void* openLibrary(const std::string&) override { return nullptr; }
    void* findFunction(void*, const std::string&) override { return nullptr; }
    void closeLibrary(void*) override {}
};

std::uint64_t Read64(std::uintptr_t address) {
    std::uint64_t value;
    std::memcpy(&value, reinterpret_cast<const void*>(address), 8);
    return value;
}

std::uint32_t Read32(std::uintptr_t address) {
    std::uint32_t value;
    std::memcpy(&value, reinterpret_cast<const void*>(address), 4);
    return value;
}

// ---- Headers ---------------------------------------------------------------------

TEST(PeHeaders, ReadsPe32PlusFieldsAndSizesTheOptionalHeaderByItsOwnSize) {
    PeBuilder builder;
    builder.imageBase = 0x7FF712340000;
    builder.entryPoint = 0x1010;
    builder.extraOptionalBytes = 24;  // the section table follows the larger header
    builder.directories[0] = {0x2000, 0x40};
    builder.directories[1] = {0x2100, 0x28};
    builder.directories[5] = {0x2200, 0x10};
    builder.sections.push_back({0x1000, 0x1800, Bytes(16, 0xAA), true});
    const auto headers = pe::ParseHeaders(Span(builder.build()));
    ASSERT_TRUE(headers);
    EXPECT_EQ(headers->magic, pe::kMagicPe32Plus);
    EXPECT_EQ(headers->imageBase, 0x7FF712340000u);
    EXPECT_EQ(headers->entryPoint, 0x1010u);
    EXPECT_EQ(headers->exports.rva, 0x2000u);
    EXPECT_EQ(headers->imports.size, 0x28u);
    EXPECT_EQ(headers->relocations.rva, 0x2200u);
    EXPECT_EQ(headers->headersSize, 64u + 24 + 240 + 24 + 40);
    ASSERT_EQ(headers->sections.size(), 1u);
    EXPECT_EQ(headers->sections[0].virtualSize, 0x1800u);
    EXPECT_EQ(headers->sections[0].rawSize, 16u);
    EXPECT_TRUE(headers->isDll());
}

TEST(PeHeaders, ReadsPe32Fields) {
    PeBuilder builder;
    builder.machine = pe::kMachineI386;
    builder.magic = pe::kMagicPe32;
    builder.imageBase = 0x10000000;
    builder.entryPoint = 0x1234;
    builder.directories[0] = {0x3000, 0x50};
    builder.directories[5] = {0x4000, 0x20};
    const auto headers = pe::ParseHeaders(Span(builder.build()));
    ASSERT_TRUE(headers);
    EXPECT_EQ(headers->machine, pe::kMachineI386);
    EXPECT_EQ(headers->imageBase, 0x10000000u);
    EXPECT_EQ(headers->entryPoint, 0x1234u);
    EXPECT_EQ(headers->exports.rva, 0x3000u);
    EXPECT_EQ(headers->relocations.size, 0x20u);
    EXPECT_EQ(headers->headersSize, 64u + 24 + 224);
}

TEST(PeHeaders, DirectoriesBeyondTheDeclaredCountAreEmpty) {
    PeBuilder builder;
    builder.directories[5] = {0x2000, 0x10};
    Bytes image = builder.build();
    pe_test::Put(image, 64 + 24 + 108, 5, 4);  // NumberOfRvaAndSizes: 0 to 4 only
    const auto headers = pe::ParseHeaders(Span(image));
    ASSERT_TRUE(headers);
    EXPECT_TRUE(headers->relocations.empty());
}

TEST(PeHeaders, ImageSizeIsRaisedToTheEndOfTheLastSection) {
    PeBuilder builder;
    builder.sizeOfImage = 0x1000;
    builder.sections.push_back({0x1000, 0x10, {}, true});
    builder.sections.push_back({0x3000, 0x1801, {}, true});
    const Bytes image = builder.build();
    EXPECT_EQ(pe::MappedSize(*pe::ParseHeaders(Span(image)), image.size()), 0x5000u);
}

TEST(PeHeaders, UnsoundLayoutsAreRefused) {
    auto mappedSize = [](const PeBuilder& builder) {
        const Bytes image = builder.build();
        return pe::MappedSize(*pe::ParseHeaders(Span(image)), image.size());
    };
    PeBuilder builder;
    builder.sectionAlignment = 0x1800;
    EXPECT_FALSE(mappedSize(builder)) << "alignment not a power of two";
    builder.sectionAlignment = 0;
    EXPECT_FALSE(mappedSize(builder)) << "alignment 0";
    builder = PeBuilder();
    builder.sizeOfImage = pe::kMaxImageSize + 1;
    EXPECT_FALSE(mappedSize(builder)) << "over the cap";
    builder = PeBuilder();
    builder.sizeOfImage = 0x100;
    EXPECT_FALSE(mappedSize(builder)) << "headers larger than the image";
    builder = PeBuilder();
    builder.sections.push_back({0x1000, 0x10, Bytes(0x1200, 1), true});
    EXPECT_FALSE(mappedSize(builder)) << "raw data past the image end";
}

// ---- Refused images ---------------------------------------------------------------

class Refused : public ::testing::Test {
protected:
    // A valid image with a section, exports and relocations, nothing that runs.
    static Bytes ValidImage() {
        PeBuilder builder;
        SectionData data(builder.nextVa());
        const std::uint32_t slot = data.addValue(builder.imageBase + 0x1000, 8);
        builder.directories[0] = AddExports(data, 1, {slot}, {{"f", 0}});
        builder.directories[5] = AddRelocations(data, data.va(), {static_cast<std::uint16_t>(kDir64 | 0)});
        builder.addSection(data);
        return builder.build();
    }

    MemoryModule module;
};

TEST_F(Refused, ValidImageLoadsForReference) {
    EXPECT_TRUE(module.load(Span(ValidImage())));
    EXPECT_NE(module.findExport("f"), nullptr);
}

TEST_F(Refused, BrokenHeaders) {
    auto refused = [this](Bytes image) { return !module.load(Span(image)) && module.baseAddress() == 0; };
    const Bytes valid = ValidImage();
    EXPECT_TRUE(refused({}));
    EXPECT_TRUE(refused(Bytes(valid.begin(), valid.begin() + 63)));
    Bytes image = valid;
    image[0] = 'X';
    EXPECT_TRUE(refused(image)) << "no MZ";
    image = valid;
    pe_test::Put(image, 60, 0xFFFFFFF0, 4);
    EXPECT_TRUE(refused(image)) << "PE header offset past the end";
    image = valid;
    image[64 + 2] = 'X';
    EXPECT_TRUE(refused(image)) << "no PE signature";
    image = valid;
    pe_test::Put(image, 64 + 22, 0x2000, 2);
    EXPECT_TRUE(refused(image)) << "not marked executable";
    image = valid;
    pe_test::Put(image, 64 + 24, 0x10C, 2);
    EXPECT_TRUE(refused(image)) << "unknown optional header";
    image = valid;
    pe_test::Put(image, 64 + 20, 100, 2);
    EXPECT_TRUE(refused(image)) << "optional header too short for its directories";
    image = valid;
    pe_test::Put(image, 64 + 6, 0xFFFF, 2);
    EXPECT_TRUE(refused(image)) << "section table past the end";
}

TEST_F(Refused, EveryTruncation) {
    const Bytes valid = ValidImage();
    for (std::size_t length = 0; length < valid.size(); ++length) {
        EXPECT_FALSE(module.load(std::span(valid.data(), length))) << length;
    }
}

TEST_F(Refused, ImagesOfAnotherMachine) {
    PeBuilder builder;
    builder.machine = pe::kMachineI386;
    builder.magic = pe::kMagicPe32;
    builder.imageBase = 0x10000000;
    builder.sections.push_back({0x1000, 6, kReturnOne, true});
    builder.entryPoint = 0x1000;
    EXPECT_FALSE(module.load(Span(builder.build())));
    builder.magic = pe::kMagicPe32Plus;  // i386 with a 64-bit header: still not ours
    EXPECT_FALSE(module.load(Span(builder.build())));
    builder.machine = pe::kMachineAmd64;
    builder.magic = pe::kMagicPe32;  // x86-64 code needs the 64-bit header
    EXPECT_FALSE(module.load(Span(builder.build())));
}

TEST_F(Refused, EntryPointOutsideTheImage) {
    PeBuilder builder;
    builder.entryPoint = 0x8000;
    builder.sections.push_back({0x1000, 6, kReturnOne, true});
    EXPECT_FALSE(module.load(Span(builder.build())));
}

TEST_F(Refused, GarbageNeverLoads) {
    std::mt19937 random(9);
    for (int round = 0; round < 300; ++round) {
        Bytes image(64 + random() % 1024);
        for (auto& byte : image) byte = static_cast<std::uint8_t>(random());
        image[0] = 'M';
        image[1] = 'Z';
        pe_test::Put(image, 60, random() % image.size(), 4);
        EXPECT_FALSE(module.load(Span(image)));
    }
}

TEST_F(Refused, CorruptedImagesNeverFault) {
    // Mapping only: the corrupted bytes never run nor open libraries.
    NoImports none;
    std::mt19937 random(3);
    const Bytes valid = ValidImage();
    int loaded = 0;
    for (int round = 0; round < 1000; ++round) {
        Bytes image = valid;
        for (int flips = 1 + random() % 4; flips > 0; --flips) image[random() % image.size()] = random();
        if (module.load(Span(image), {.callEntryPoint = false, .imports = &none})) {
            ++loaded;
            module.findExport("f");
            module.findExport("1");
        } else {
            // A refused image leaves nothing loaded.
            ASSERT_EQ(module.baseAddress(), 0u);
            ASSERT_EQ(module.findExport("f"), nullptr);
        }
    }
    // Both ways were taken: some flips hit bytes that matter, some did not.
    EXPECT_GT(loaded, 0);
    EXPECT_LT(loaded, 1000);
}

// ---- Sections ------------------------------------------------------------------------

TEST(Sections, HeadersOnlyImage) {
    PeBuilder builder;
    const Bytes image = builder.build();
    MemoryModule module;
    ASSERT_TRUE(module.load(Span(image)));
    ASSERT_NE(module.baseAddress(), 0u);
    EXPECT_EQ(std::memcmp(reinterpret_cast<void*>(module.baseAddress()), image.data(), image.size()), 0);
    EXPECT_EQ(module.findExport("anything"), nullptr);
    EXPECT_EQ(module.findExport("1"), nullptr);
}

TEST(Sections, RawDataIsCopiedAndTheRestIsZero) {
    PeBuilder builder;
    builder.sections.push_back({0x1000, 0x20, Bytes{1, 2, 3, 4}, true});
    builder.sections.push_back({0x2000, 0x100, {}, true});              // no raw data
    builder.sections.push_back({0x3000, 0x10, Bytes{9, 9, 9}, false});  // file offset 0
    MemoryModule module;
    ASSERT_TRUE(module.load(Span(builder.build())));
    const auto* base = reinterpret_cast<const std::uint8_t*>(module.baseAddress());
    EXPECT_EQ(Bytes(base + 0x1000, base + 0x1006), (Bytes{1, 2, 3, 4, 0, 0}));
    EXPECT_EQ(base[0x2000], 0);
    EXPECT_EQ(base[0x20FF], 0);
    EXPECT_EQ(Bytes(base + 0x3000, base + 0x3003), (Bytes{0, 0, 0}));
}

TEST(Sections, RawDataOutsideTheFileIsRefused) {
    PeBuilder builder;
    builder.sections.push_back({0x1000, 0x20, Bytes(0x20, 7), true});
    Bytes image = builder.build();
    image.resize(image.size() - 1);
    MemoryModule module;
    EXPECT_FALSE(module.load(Span(image)));
}

// ---- Relocations ----------------------------------------------------------------------

class Relocations : public ::testing::Test {
protected:
    // A page holding a 64-bit and a 32-bit address of the image, both relocated.
    void build(std::uint64_t preferred, std::vector<std::uint16_t> extra = {}) {
        builder.imageBase = preferred;
        SectionData data(builder.nextVa());
        wide = data.addValue(preferred + 0x1234, 8);
        narrow = data.addValue(static_cast<std::uint32_t>(preferred + 0x5678), 4);
        std::vector<std::uint16_t> entries = {static_cast<std::uint16_t>(kDir64 | (wide & 0xFFF)),
                                              static_cast<std::uint16_t>(kHighLow | (narrow & 0xFFF)),
                                              0 /* absolute: padding */};
        entries.insert(entries.end(), extra.begin(), extra.end());
        builder.directories[5] = AddRelocations(data, data.va(), entries);
        builder.addSection(data);
    }

    PeBuilder builder;
    std::uint32_t wide = 0;
    std::uint32_t narrow = 0;
    MemoryModule module;
};

TEST_F(Relocations, AtTheFreePreferredBaseNothingMoves) {
    const std::uint64_t preferred = FreeAddress();
    build(preferred);
    ASSERT_TRUE(module.load(Span(builder.build())));
    ASSERT_EQ(module.baseAddress(), preferred);
    EXPECT_EQ(Read64(preferred + wide), preferred + 0x1234);
    EXPECT_EQ(Read32(preferred + narrow), static_cast<std::uint32_t>(preferred + 0x5678));
}

TEST_F(Relocations, AtATakenPreferredBaseAddressesMoveWithTheImage) {
    void* taken = mmap(nullptr, 0x10000, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    const auto preferred = reinterpret_cast<std::uint64_t>(taken);
    build(preferred);
    ASSERT_TRUE(module.load(Span(builder.build())));
    const std::uint64_t base = module.baseAddress();
    EXPECT_NE(base, preferred);
    EXPECT_EQ(Read64(base + wide), base + 0x1234);
    EXPECT_EQ(Read32(base + narrow), static_cast<std::uint32_t>(base + 0x5678));
    module.unload();
    munmap(taken, 0x10000);
}

TEST_F(Relocations, AnAllZeroBlockEndsTheTable) {
    const std::uint64_t preferred = FreeAddress();
    build(preferred);
    builder.directories[5].size += 8 + 8;  // a zero block, then one that would be refused
    Bytes& data = builder.sections[0].data;
    data.resize(data.size() + 8);
    pe_test::Put(data, data.size(), 0x7FFFF000, 4);
    pe_test::Put(data, data.size(), 4, 4);
    builder.sections[0].virtualSize = static_cast<std::uint32_t>(data.size());
    EXPECT_TRUE(module.load(Span(builder.build())));
}

TEST_F(Relocations, UnknownKindIsRefused) {
    build(FreeAddress(), {static_cast<std::uint16_t>(1 << 12 | 0x10)});  // HIGH: not supported
    EXPECT_FALSE(module.load(Span(builder.build())));
}

TEST_F(Relocations, TargetOutsideTheImageIsRefused) {
    build(FreeAddress(), {static_cast<std::uint16_t>(kDir64 | 0xFFC)});  // the image ends at the page end
    EXPECT_FALSE(module.load(Span(builder.build())));
}

TEST_F(Relocations, BlockSizesThatDoNotAddUpAreRefused) {
    build(FreeAddress());
    Bytes image = builder.build();
    const std::size_t blockSize = FileOffset(builder.directories[5].rva) + 4;
    pe_test::Put(image, blockSize, 4, 4);  // shorter than the block header
    EXPECT_FALSE(module.load(Span(image)));
    pe_test::Put(image, blockSize, 0x100, 4);  // past the directory
    EXPECT_FALSE(module.load(Span(image)));
}

// ---- Exports ---------------------------------------------------------------------------

class Exports : public ::testing::Test {
protected:
    void SetUp() override {
        PeBuilder builder;
        SectionData data(builder.nextVa());
        first = data.add(kReturnOne);
        second = data.add(kReturnOne);
        const pe_test::Directory exports =
            AddExports(data, 5, {first, second, 0, 0},
                       {{"First", 0}, {"Second", 1}, {"Gap", 2}, {"Broken", 9}, {"Forwarded", 3}, {"05", 1}});
        data.set(exports.rva + 40 + 4 * 3, exports.rva + 4, 4);  // points into the directory
        builder.directories[0] = exports;
        builder.addSection(data);
        ASSERT_TRUE(module.load(Span(builder.build())));
        base = module.baseAddress();
    }

    void* at(std::uint32_t rva) const { return reinterpret_cast<void*>(base + rva); }

    MemoryModule module;
    std::uintptr_t base = 0;
    std::uint32_t first = 0;
    std::uint32_t second = 0;
};

TEST_F(Exports, ByName) {
    EXPECT_EQ(module.findExport("First"), at(first));
    EXPECT_EQ(module.findExport("Second"), at(second));
    EXPECT_EQ(module.findExport("first"), nullptr) << "names are case-sensitive";
    EXPECT_EQ(module.findExport("Missing"), nullptr);
    EXPECT_EQ(module.findExport(""), nullptr);
    EXPECT_EQ(module.findExport(std::string_view("First\0x", 7)), nullptr);
}

TEST_F(Exports, ByOrdinal) {
    EXPECT_EQ(module.findExport("5"), at(first));
    EXPECT_EQ(module.findExport("6"), at(second));
    EXPECT_EQ(module.findExport("4"), nullptr) << "below the ordinal base";
    EXPECT_EQ(module.findExport("9"), nullptr) << "past the functions";
    EXPECT_EQ(module.findExport("-1"), nullptr);
    EXPECT_EQ(module.findExport("4294967301"), nullptr) << "not a 32-bit number: a name";
}

TEST_F(Exports, OnlyExactDecimalTextIsAnOrdinal) {
    EXPECT_EQ(module.findExport("05"), at(second)) << "exported under the name \"05\"";
    EXPECT_EQ(module.findExport("+5"), nullptr);
    EXPECT_EQ(module.findExport(" 5"), nullptr);
}

TEST_F(Exports, GapsBadIndexesAndForwardersFindNothing) {
    EXPECT_EQ(module.findExport("Gap"), nullptr);
    EXPECT_EQ(module.findExport("7"), nullptr);
    EXPECT_EQ(module.findExport("Broken"), nullptr);
    EXPECT_EQ(module.findExport("Forwarded"), nullptr);
    EXPECT_EQ(module.findExport("8"), nullptr);
}

TEST_F(Exports, NothingAfterUnload) {
    EXPECT_TRUE(module.unload());
    EXPECT_EQ(module.baseAddress(), 0u);
    EXPECT_EQ(module.findExport("First"), nullptr);
    EXPECT_TRUE(module.unload());
}

// ---- Imports ----------------------------------------------------------------------------

class Imports : public ::testing::Test {
protected:
    // Loads an image importing functions from library at a free preferred base; slots
    // gets the address-table slots.
    bool load(const std::string& library, const std::vector<std::string>& functions) {
        PeBuilder builder;
        preferred = FreeAddress();
        builder.imageBase = preferred;
        SectionData data(builder.nextVa());
        builder.directories[1] = AddImports(data, library, functions, slots);
        builder.addSection(data);
        return module.load(Span(builder.build()));
    }

    MemoryModule module;
    std::uint64_t preferred = 0;
    std::vector<std::uint32_t> slots;
};

TEST_F(Imports, FunctionsOfASystemLibraryAreResolved) {
    ASSERT_TRUE(load("libc.so.6", {"strlen", "memcpy"}));
    void* libc = dlopen("libc.so.6", RTLD_NOW);
    EXPECT_EQ(Read64(module.baseAddress() + slots[0]), reinterpret_cast<std::uint64_t>(dlsym(libc, "strlen")));
    EXPECT_EQ(Read64(module.baseAddress() + slots[1]), reinterpret_cast<std::uint64_t>(dlsym(libc, "memcpy")));
    dlclose(libc);
}

TEST_F(Imports, WithoutALookupTableTheAddressTableIsRead) {
    PeBuilder builder;
    SectionData data(builder.nextVa());
    builder.directories[1] = AddImports(data, "libc.so.6", {"strlen"}, slots);
    data.set(builder.directories[1].rva, 0, 4);
    builder.addSection(data);
    ASSERT_TRUE(module.load(Span(builder.build())));
    // libc's own strlen, as the loader finds it: under AddressSanitizer the process-wide
    // name (RTLD_DEFAULT) is the sanitizer's wrapper instead.
    void* libc = dlopen("libc.so.6", RTLD_NOW);
    EXPECT_EQ(Read64(module.baseAddress() + slots[0]), reinterpret_cast<std::uint64_t>(dlsym(libc, "strlen")));
    dlclose(libc);
}

TEST_F(Imports, AMissingFunctionFailsTheLoadAndFreesTheBlock) {
    EXPECT_FALSE(load("libc.so.6", {"strlen", "no_such_function_here"}));
    EXPECT_EQ(module.baseAddress(), 0u);
    EXPECT_TRUE(RangeFree(preferred, kPage));
}

TEST_F(Imports, AMissingLibraryFailsTheLoad) {
    EXPECT_FALSE(load("KERNEL32.dll", {"GetTickCount"}));
    EXPECT_TRUE(RangeFree(preferred, kPage));
}

TEST_F(Imports, APathIsNotALibraryName) { EXPECT_FALSE(load("/lib/x86_64-linux-gnu/libc.so.6", {"strlen"})); }

TEST_F(Imports, ByOrdinalCannotBeResolved) {
    EXPECT_FALSE(load("libc.so.6", {"#12"}));
    EXPECT_TRUE(RangeFree(preferred, kPage));
}

// ---- Entry point --------------------------------------------------------------------------

class EntryPoint : public ::testing::Test {
protected:
    Bytes image(const Bytes& code, std::uint16_t characteristics = 0x2022) {
        PeBuilder builder;
        preferred = FreeAddress();
        builder.imageBase = preferred;
        builder.characteristics = characteristics;
        builder.sections.push_back({0x1000, static_cast<std::uint32_t>(code.size()), code, true});
        builder.entryPoint = 0x1000;
        return builder.build();
    }

    EntryLog log;
    MemoryModule module;
    std::uint64_t preferred = 0;
};

TEST_F(EntryPoint, ReturningOneLoads) {
    EXPECT_TRUE(module.load(Span(image(kReturnOne))));
    EXPECT_NE(module.baseAddress(), 0u);
}

TEST_F(EntryPoint, AttachOnLoadDetachOnUnload) {
    ASSERT_TRUE(module.load(Span(image(RecordingEntry(&log, 1)))));
    EXPECT_EQ(log.calls, 1);
    EXPECT_EQ(log.reasons[0], 1);
    EXPECT_EQ(log.module, module.baseAddress());
    EXPECT_TRUE(module.unload());
    EXPECT_EQ(log.calls, 2);
    EXPECT_EQ(log.reasons[1], 0);
    EXPECT_TRUE(module.unload()) << "a second unload has nothing to do";
    EXPECT_EQ(log.calls, 2);
}

TEST_F(EntryPoint, ReturningZeroDetachesFreesAndFails) {
    EXPECT_FALSE(module.load(Span(image(RecordingEntry(&log, 0)))));
    EXPECT_EQ(log.calls, 2);
    EXPECT_EQ(log.reasons[0], 1);
    EXPECT_EQ(log.reasons[1], 0);
    EXPECT_EQ(module.baseAddress(), 0u);
    EXPECT_TRUE(RangeFree(preferred, kPage));
}

TEST_F(EntryPoint, DestructionAndReloadDetach) {
    {
        MemoryModule scoped;
        ASSERT_TRUE(scoped.load(Span(image(RecordingEntry(&log, 1)))));
        ASSERT_TRUE(scoped.load(Span(image(kReturnOne))));
        EXPECT_EQ(log.calls, 2) << "the first image is unloaded before the second maps";
        ASSERT_TRUE(scoped.load(Span(image(RecordingEntry(&log, 1)))));
    }
    EXPECT_EQ(log.calls, 4);
    EXPECT_EQ(log.reasons[3], 0);
}

TEST_F(EntryPoint, NotCalledForAnExecutableOrWhenSkipped) {
    ASSERT_TRUE(module.load(Span(image(RecordingEntry(&log, 0), 0x0022))));  // not a DLL
    ASSERT_TRUE(module.load(Span(image(RecordingEntry(&log, 0))), {.callEntryPoint = false}));
    EXPECT_TRUE(module.unload());
    EXPECT_EQ(log.calls, 0);
}

}  // namespace
}  // namespace sanxing

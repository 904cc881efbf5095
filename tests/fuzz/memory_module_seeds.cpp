// Writes seed inputs for fuzz_memory_module into the folder given: small PE32+ images
// with sections, exports, imports and relocations, and a PE32 one, each preceded by the
// export name to look up.

#include <fstream>
#include <iostream>
#include <string>

#include "tests/skin/pe_builder.h"

using namespace sanxing::pe_test;

namespace {

Bytes Input(const std::string& name, const Bytes& image) {
    Bytes input{static_cast<std::uint8_t>(name.size())};
    input.insert(input.end(), name.begin(), name.end());
    input.insert(input.end(), image.begin(), image.end());
    return input;
}

Bytes FullImage() {
    PeBuilder builder;
    SectionData data(builder.nextVa());
    const std::uint32_t code = data.add({0xB8, 0x01, 0x00, 0x00, 0x00, 0xC3});
    data.align(8);
    const std::uint32_t wide = data.addValue(builder.imageBase + code, 8);
    const std::uint32_t narrow = data.addValue(builder.imageBase + code, 4);
    builder.directories[0] = AddExports(data, 1, {code, 0, wide}, {{"SkinH_AttachRes", 0}, {"f", 2}});
    std::vector<std::uint32_t> slots;
    builder.directories[1] = AddImports(data, "libc.so.6", {"strlen", "memcpy"}, slots);
    builder.directories[5] = AddRelocations(data, data.va(),
                                            {static_cast<std::uint16_t>(10 << 12 | (wide & 0xFFF)),
                                             static_cast<std::uint16_t>(3 << 12 | (narrow & 0xFFF)), 0});
    builder.addSection(data);
    builder.sections.push_back({builder.nextVa(), 0x2000, {}, true});
    builder.entryPoint = code;
    return builder.build();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: fuzz_memory_module_seeds FOLDER\n";
        return 2;
    }
    PeBuilder headersOnly;
    PeBuilder pe32;
    pe32.machine = 0x14C;
    pe32.magic = 0x10B;
    pe32.imageBase = 0x10000000;
    const Bytes seeds[] = {Input("", headersOnly.build()), Input("SkinH_AttachRes", FullImage()),
                           Input("1", FullImage()), Input("f", pe32.build())};
    int index = 0;
    for (const Bytes& seed : seeds) {
        std::ofstream out(std::string(argv[1]) + "/seed" + std::to_string(index++), std::ios::binary);
        out.write(reinterpret_cast<const char*>(seed.data()), static_cast<std::streamsize>(seed.size()));
        if (!out) return 1;
    }
    return 0;
}

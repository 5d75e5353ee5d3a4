# Turns the file INPUT into the C++ source OUTPUT defining DeviceConsoleImage() over its bytes.
# Run with: cmake -DINPUT=... -DOUTPUT=... -P embed_image.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Sixteen bytes to a line keeps the generated file readable by tools (CMake's regular
# expressions have no counted repetition, so the pattern spells the sixteen out).
string(REPEAT "0x..," 16 line)
string(REGEX REPLACE "(${line})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp" "// Generated from ${INPUT}; do not edit.
#include \"devcon/device_console_image.h\"

namespace netquill {
namespace {

constexpr std::uint8_t kImage[${size}] = {
${bytes}
};

}  // namespace

std::span<const std::uint8_t> DeviceConsoleImage() {
    return kImage;
}

}  // namespace netquill
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")

// Code page 936 <-> UTF-16 through glibc iconv. iconv stops at the first character it cannot
// convert; the loops below then substitute that character and resume after it, so a conversion
// always completes.
#include "core/codepage.h"

#include <iconv.h>

#include <bit>
#include <cerrno>
#include <cstddef>
#include <cstring>

namespace netquill {
namespace {

// char16_t units are converted in the byte order of this machine.
constexpr const char* kUtf16Name =
    std::endian::native == std::endian::big ? "UTF-16BE" : "UTF-16LE";
constexpr const char* kCp936Name = "CP936";

class Converter {
  public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (Valid()) {
            iconv_close(handle_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of [in, in + inBytes) as iconv accepts, appending to `out`. Returns the
    // number of input bytes consumed; fewer than inBytes means the next character was refused.
    std::size_t Convert(const char* in, std::size_t inBytes, std::string& out) {
        char* inPtr = const_cast<char*>(in);
        std::size_t inLeft = inBytes;
        char buffer[1024];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, sizeof buffer - outLeft);
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                break;  // EILSEQ or EINVAL: the caller substitutes the character
            }
        }
        // Reset the shift state so a refused character leaves no trace in the next call.
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        return inBytes - inLeft;
    }

  private:
    iconv_t handle_;
};

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUnits(std::string_view bytes, std::u16string& out) {
    const std::size_t start = out.size();
    out.resize(start + bytes.size() / sizeof(char16_t));
    std::memcpy(out.data() + start, bytes.data(), (out.size() - start) * sizeof(char16_t));
}

}  // namespace

std::string Utf16ToCp936(std::u16string_view text) {
    std::string result;
    Converter converter(kCp936Name, kUtf16Name);
    std::size_t index = 0;
    while (index < text.size()) {
        if (converter.Valid()) {
            const std::size_t consumed =
                converter.Convert(reinterpret_cast<const char*>(text.data() + index),
                                  (text.size() - index) * sizeof(char16_t), result);
            index += consumed / sizeof(char16_t);
            if (index >= text.size()) {
                break;
            }
        } else if (text[index] < 0x80) {
            // Without iconv only ASCII, which code page 936 shares, can be carried over.
            result.push_back(static_cast<char>(text[index]));
            ++index;
            continue;
        }
        // One character refused: a surrogate pair counts as one, an unpaired surrogate too.
        const bool pair = IsHighSurrogate(text[index]) && index + 1 < text.size() &&
                          IsLowSurrogate(text[index + 1]);
        index += pair ? 2 : 1;
        result.push_back('?');
    }
    return result;
}

std::u16string Cp936ToUtf16(std::string_view text) {
    std::u16string result;
    Converter converter(kUtf16Name, kCp936Name);
    std::size_t index = 0;
    while (index < text.size()) {
        if (converter.Valid()) {
            std::string converted;
            index += converter.Convert(text.data() + index, text.size() - index, converted);
            AppendUnits(converted, result);
            if (index >= text.size()) {
                break;
            }
        } else if (static_cast<unsigned char>(text[index]) < 0x80) {
            result.push_back(static_cast<char16_t>(text[index]));
            ++index;
            continue;
        }
        // A bad or truncated sequence: one replacement per byte, then resume after it.
        result.push_back(u'\uFFFD');
        ++index;
    }
    return result;
}

}  // namespace netquill

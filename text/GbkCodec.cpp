#include "text/GbkCodec.h"

#include "text/Utf8.h"
#include "text/Utf8ToGbkTable.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace gbk {
namespace {

// One converter per direction and thread; iconv_open is too slow to call per keystroke.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; returns false at the first sequence it cannot convert and
    // leaves `consumed` at that sequence.
    bool Convert(std::string_view in, std::string& out, std::size_t& consumed)
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char buffer[4096];
        while (srcLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, dst - buffer);
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
                consumed = in.size() - srcLeft;
                return false;
            }
        }
        consumed = in.size();
        return true;
    }

private:
    iconv_t cd_;
};

// The bytes of the UTF-8 sequence that starts at text[0], as its first byte announces them; 1 when
// a continuation byte is missing, so that a stray byte is passed over alone.
std::size_t Utf8SequenceLength(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    for (std::size_t k = 1; k < length; ++k)
        if (k >= text.size() || !utf8::IsContinuation(static_cast<unsigned char>(text[k])))
            return 1;
    return length;
}

Converter& ToGbk()
{
    thread_local Converter converter("GBK", "UTF-8");
    return converter;
}

} // namespace

std::optional<std::string> FromUtf8(std::string_view utf8)
{
    std::string out;
    std::size_t consumed = 0;
    if (!ToGbk().Convert(utf8, out, consumed))
        return std::nullopt;
    return out;
}

GbkStart FromUtf8Start(std::string_view utf8)
{
    GbkStart start;
    start.whole = Utf8ToGbkTable::Get().Convert(utf8, start.bytes);
    return start;
}

std::string FromUtf8Lossy(std::string_view utf8)
{
    std::string out;
    while (!utf8.empty()) {
        std::size_t consumed = 0;
        if (ToGbk().Convert(utf8, out, consumed))
            break;
        out += '?';
        utf8.remove_prefix(consumed);
        utf8.remove_prefix(Utf8SequenceLength(utf8));
    }
    return out;
}

std::string ToUtf8(std::string_view gbk)
{
    thread_local Converter converter("UTF-8", "GBK");
    std::string out;
    while (!gbk.empty()) {
        std::size_t consumed = 0;
        if (converter.Convert(gbk, out, consumed))
            break;
        out += "\xEF\xBF\xBD"; // U+FFFD for the byte that is not GBK
        gbk.remove_prefix(consumed + 1);
    }
    return out;
}

} // namespace gbk

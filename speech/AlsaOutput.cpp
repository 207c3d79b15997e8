#include "speech/AlsaOutput.h"

#include "platform/SharedLibrary.h"

#include <alsa/asoundlib.h>
#include <utility>
#include <vector>

namespace {

// The device's buffer: how long a cut-off word may still be heard at most, and how far writing may
// run ahead of what is heard.
constexpr unsigned kBufferMicroseconds = 100000;

// The library reports every failed open on standard error (a machine without a sound card, a test
// run); the caller reports a missing device itself, once.
void Quiet(const char*, int, const char*, int, const char*, ...) {}

// The sound library's functions the output calls, loaded with the first word.
struct Alsa {
    decltype(&snd_lib_error_set_handler) lib_error_set_handler = nullptr;
    decltype(&snd_pcm_open) pcm_open = nullptr;
    decltype(&snd_pcm_set_params) pcm_set_params = nullptr;
    decltype(&snd_pcm_get_params) pcm_get_params = nullptr;
    decltype(&snd_pcm_sw_params_sizeof) pcm_sw_params_sizeof = nullptr;
    decltype(&snd_pcm_sw_params_current) pcm_sw_params_current = nullptr;
    decltype(&snd_pcm_sw_params_set_start_threshold) pcm_sw_params_set_start_threshold = nullptr;
    decltype(&snd_pcm_sw_params) pcm_sw_params = nullptr;
    decltype(&snd_pcm_drop) pcm_drop = nullptr;
    decltype(&snd_pcm_prepare) pcm_prepare = nullptr;
    decltype(&snd_pcm_writei) pcm_writei = nullptr;
    decltype(&snd_pcm_recover) pcm_recover = nullptr;
    decltype(&snd_pcm_close) pcm_close = nullptr;
};

// Null when the library or one of its functions is missing: no word is heard then.
const Alsa* TheAlsa()
{
    return LoadedOnce<Alsa>("libasound.so.2", [](const SharedLibrary& found, Alsa& alsa) {
        if (!found.Find(alsa.lib_error_set_handler, "snd_lib_error_set_handler") ||
            !found.Find(alsa.pcm_open, "snd_pcm_open") ||
            !found.Find(alsa.pcm_set_params, "snd_pcm_set_params") ||
            !found.Find(alsa.pcm_get_params, "snd_pcm_get_params") ||
            !found.Find(alsa.pcm_sw_params_sizeof, "snd_pcm_sw_params_sizeof") ||
            !found.Find(alsa.pcm_sw_params_current, "snd_pcm_sw_params_current") ||
            !found.Find(alsa.pcm_sw_params_set_start_threshold, "snd_pcm_sw_params_set_start_threshold") ||
            !found.Find(alsa.pcm_sw_params, "snd_pcm_sw_params") ||
            !found.Find(alsa.pcm_drop, "snd_pcm_drop") || !found.Find(alsa.pcm_prepare, "snd_pcm_prepare") ||
            !found.Find(alsa.pcm_writei, "snd_pcm_writei") ||
            !found.Find(alsa.pcm_recover, "snd_pcm_recover") || !found.Find(alsa.pcm_close, "snd_pcm_close"))
            return false;
        alsa.lib_error_set_handler(Quiet);
        return true;
    });
}

} // namespace

AlsaOutput::AlsaOutput(std::string device) : device_(std::move(device)) {}

AlsaOutput::~AlsaOutput()
{
    Release();
}

bool AlsaOutput::Open(int rate)
{
    const Alsa* alsa = TheAlsa();
    if (!alsa || alsa->pcm_open(&pcm_, device_.c_str(), SND_PCM_STREAM_PLAYBACK, 0) < 0) {
        pcm_ = nullptr;
        return false;
    }
    if (alsa->pcm_set_params(pcm_, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1,
                             static_cast<unsigned>(rate), 1, kBufferMicroseconds) < 0) {
        Release();
        return false;
    }
    // By default playback waits for a full buffer, which a short word may never fill.
    snd_pcm_uframes_t buffer = 0;
    snd_pcm_uframes_t period = 0;
    std::vector<char> space(alsa->pcm_sw_params_sizeof());
    auto* software = reinterpret_cast<snd_pcm_sw_params_t*>(space.data());
    if (alsa->pcm_get_params(pcm_, &buffer, &period) < 0 || alsa->pcm_sw_params_current(pcm_, software) < 0 ||
        alsa->pcm_sw_params_set_start_threshold(pcm_, software, period) < 0 ||
        alsa->pcm_sw_params(pcm_, software) < 0) {
        Release();
        return false;
    }
    rate_ = rate;
    return true;
}

bool AlsaOutput::Begin(int rate)
{
    if (pcm_ && rate != rate_)
        Release();
    if (!pcm_)
        return Open(rate);
    TheAlsa()->pcm_drop(pcm_);
    return TheAlsa()->pcm_prepare(pcm_) >= 0;
}

bool AlsaOutput::Write(const std::int16_t* samples, std::size_t count)
{
    while (pcm_ && count > 0) {
        const snd_pcm_sframes_t written = TheAlsa()->pcm_writei(pcm_, samples, count);
        if (written < 0) {
            // An underrun (the synthesizer fell behind) or a suspended device is taken up again.
            if (TheAlsa()->pcm_recover(pcm_, static_cast<int>(written), 1) < 0)
                return false;
            continue;
        }
        samples += written;
        count -= static_cast<std::size_t>(written);
    }
    return pcm_ != nullptr;
}

void AlsaOutput::Release()
{
    if (pcm_)
        TheAlsa()->pcm_close(pcm_);
    pcm_ = nullptr;
}

#include "speech/AlsaOutput.h"

#include <alsa/asoundlib.h>
#include <utility>

namespace {

// The device's buffer: how long a cut-off word may still be heard at most, and how far writing may
// run ahead of what is heard.
constexpr unsigned kBufferMicroseconds = 100000;

// The library reports every failed open on standard error (a machine without a sound card, a test
// run); the caller reports a missing device itself, once.
void Quiet(const char*, int, const char*, int, const char*, ...) {}

} // namespace

AlsaOutput::AlsaOutput(std::string device) : device_(std::move(device))
{
    snd_lib_error_set_handler(Quiet);
}

AlsaOutput::~AlsaOutput()
{
    Release();
}

bool AlsaOutput::Open(int rate)
{
    if (snd_pcm_open(&pcm_, device_.c_str(), SND_PCM_STREAM_PLAYBACK, 0) < 0) {
        pcm_ = nullptr;
        return false;
    }
    if (snd_pcm_set_params(pcm_, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1,
                           static_cast<unsigned>(rate), 1, kBufferMicroseconds) < 0) {
        Release();
        return false;
    }
    // By default playback waits for a full buffer, which a short word may never fill.
    snd_pcm_uframes_t buffer = 0;
    snd_pcm_uframes_t period = 0;
    snd_pcm_sw_params_t* software = nullptr;
    snd_pcm_sw_params_alloca(&software);
    if (snd_pcm_get_params(pcm_, &buffer, &period) < 0 || snd_pcm_sw_params_current(pcm_, software) < 0 ||
        snd_pcm_sw_params_set_start_threshold(pcm_, software, period) < 0 ||
        snd_pcm_sw_params(pcm_, software) < 0) {
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
    snd_pcm_drop(pcm_);
    return snd_pcm_prepare(pcm_) >= 0;
}

bool AlsaOutput::Write(const std::int16_t* samples, std::size_t count)
{
    while (pcm_ && count > 0) {
        const snd_pcm_sframes_t written = snd_pcm_writei(pcm_, samples, count);
        if (written < 0) {
            // An underrun (the synthesizer fell behind) or a suspended device is taken up again.
            if (snd_pcm_recover(pcm_, static_cast<int>(written), 1) < 0)
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
        snd_pcm_close(pcm_);
    pcm_ = nullptr;
}

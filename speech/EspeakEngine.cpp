#include "speech/EspeakEngine.h"

#include <espeak-ng/espeak_ng.h>
#include <mutex>

namespace espeak {
namespace {

// Pieces of this many milliseconds: the first sound comes after one piece is made, and a newer word
// cuts in at the next piece.
constexpr int kPieceMilliseconds = 30;

struct Engine {
    std::mutex lock;
    bool loaded = false;
    bool usable = false;
    int rate = 0;
    std::string voice;
    // The word being said, for the library's callback.
    const Receiver* receiver = nullptr;
    bool stopped = false;
};

Engine& TheEngine()
{
    static Engine engine;
    return engine;
}

int ReceivePiece(short* samples, int count, espeak_EVENT*)
{
    Engine& engine = TheEngine();
    if (!samples || count <= 0 || engine.stopped)
        return engine.stopped ? 1 : 0;
    if (!(*engine.receiver)(samples, static_cast<std::size_t>(count), engine.rate))
        engine.stopped = true;
    return engine.stopped ? 1 : 0;
}

// Loads the data files once; the library's own loader would end the process when they are missing.
void Load(Engine& engine)
{
    engine.loaded = true;
    espeak_ng_InitializePath(nullptr);
    espeak_ng_ERROR_CONTEXT context = nullptr;
    const espeak_ng_STATUS status = espeak_ng_Initialize(&context);
    espeak_ng_ClearErrorContext(&context);
    if (status != ENS_OK ||
        espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, kPieceMilliseconds, nullptr) != ENS_OK)
        return;
    espeak_SetSynthCallback(ReceivePiece);
    engine.rate = espeak_ng_GetSampleRate();
    engine.usable = engine.rate > 0;
}

} // namespace

Outcome Synthesize(const std::string& text, const std::string& voice, const Receiver& receive)
{
    Engine& engine = TheEngine();
    const std::lock_guard<std::mutex> hold(engine.lock);
    if (!engine.loaded)
        Load(engine);
    if (!engine.usable)
        return Outcome::NoData;
    if (engine.voice != voice) {
        if (espeak_ng_SetVoiceByName(voice.c_str()) != ENS_OK) {
            engine.voice.clear(); // what the library kept is not known: the next word sets its voice anew
            return Outcome::NoVoice;
        }
        engine.voice = voice;
    }
    engine.receiver = &receive;
    engine.stopped = false;
    const espeak_ng_STATUS status = espeak_ng_Synthesize(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
                                                         espeakCHARS_UTF8, nullptr, nullptr);
    engine.receiver = nullptr;
    if (engine.stopped)
        return Outcome::Stopped;
    return status == ENS_OK ? Outcome::Said : Outcome::Failed;
}

} // namespace espeak

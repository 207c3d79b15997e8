#include "speech/EspeakEngine.h"

#include "platform/SharedLibrary.h"

#include <espeak-ng/espeak_ng.h>
#include <mutex>

namespace espeak {
namespace {

// Pieces of this many milliseconds: the first sound comes after one piece is made, and a newer word
// cuts in at the next piece.
constexpr int kPieceMilliseconds = 30;

// The library's functions the engine calls. The library and the twenty or so it needs (sound
// servers, audio codecs) are loaded with the first word rather than with the program: each start
// would map and link them all, and most starts say nothing.
struct Library {
    decltype(&espeak_ng_InitializePath) InitializePath = nullptr;
    decltype(&espeak_ng_Initialize) Initialize = nullptr;
    decltype(&espeak_ng_ClearErrorContext) ClearErrorContext = nullptr;
    decltype(&espeak_ng_InitializeOutput) InitializeOutput = nullptr;
    decltype(&espeak_SetSynthCallback) SetSynthCallback = nullptr;
    decltype(&espeak_ng_GetSampleRate) GetSampleRate = nullptr;
    decltype(&espeak_ng_SetVoiceByName) SetVoiceByName = nullptr;
    decltype(&espeak_ng_Synthesize) Synthesize = nullptr;
};

// Null when the library or one of its functions is missing.
const Library* TheLibrary()
{
    return LoadedOnce<Library>("libespeak-ng.so.1", [](const SharedLibrary& found, Library& library) {
        return found.Find(library.InitializePath, "espeak_ng_InitializePath") &&
               found.Find(library.Initialize, "espeak_ng_Initialize") &&
               found.Find(library.ClearErrorContext, "espeak_ng_ClearErrorContext") &&
               found.Find(library.InitializeOutput, "espeak_ng_InitializeOutput") &&
               found.Find(library.SetSynthCallback, "espeak_SetSynthCallback") &&
               found.Find(library.GetSampleRate, "espeak_ng_GetSampleRate") &&
               found.Find(library.SetVoiceByName, "espeak_ng_SetVoiceByName") &&
               found.Find(library.Synthesize, "espeak_ng_Synthesize");
    });
}

struct Engine {
    std::mutex lock;
    const Library* library = nullptr;
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
    engine.library = TheLibrary();
    const Library* library = engine.library;
    if (!library)
        return;
    library->InitializePath(nullptr);
    espeak_ng_ERROR_CONTEXT context = nullptr;
    const espeak_ng_STATUS status = library->Initialize(&context);
    library->ClearErrorContext(&context);
    if (status != ENS_OK ||
        library->InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, kPieceMilliseconds, nullptr) != ENS_OK)
        return;
    library->SetSynthCallback(ReceivePiece);
    engine.rate = library->GetSampleRate();
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
        if (engine.library->SetVoiceByName(voice.c_str()) != ENS_OK) {
            engine.voice.clear(); // what the library kept is not known: the next word sets its voice anew
            return Outcome::NoVoice;
        }
        engine.voice = voice;
    }
    engine.receiver = &receive;
    engine.stopped = false;
    const espeak_ng_STATUS status = engine.library->Synthesize(
        text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
    engine.receiver = nullptr;
    if (engine.stopped)
        return Outcome::Stopped;
    return status == ENS_OK ? Outcome::Said : Outcome::Failed;
}

} // namespace espeak

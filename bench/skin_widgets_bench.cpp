// Rendering a skinned window's frame: at every resize, picture change and activation, so it must
// stay far below a frame's time even for a full-screen window.

#include "ui/skin/SkinPicture.h"
#include "ui/skin/SkinRenderer.h"
#include "ui/skin/SkinResources.h"
#include "ui/skin/ZYBitmap.h"

#include <benchmark/benchmark.h>

namespace {

TSkinPicture Skin(const char* name)
{
    return TSkinPicture::FromFile(ResourcePath(QString::fromLatin1(name)));
}

// The main window's bitmap skin at the window's size: arguments width, height.
void BM_RenderMainSkin(benchmark::State& state)
{
    const TSkinPicture picture = Skin("FormMainSkin");
    TZYBitmap skin;
    for (auto _ : state) {
        RenderSkin(picture, int(state.range(0)), int(state.range(1)), skin);
        benchmark::DoNotOptimize(skin.ScanLine(0));
    }
}
BENCHMARK(BM_RenderMainSkin)->Args({1920, 1080})->Args({325, 204})->Unit(benchmark::kMillisecond);

// The message box's JPEG skin is decoded at every rendering.
void BM_RenderDialogSkin(benchmark::State& state)
{
    const TSkinPicture picture = Skin("ZYInfoDlgSkin");
    TZYBitmap skin;
    for (auto _ : state) {
        RenderSkin(picture, 288, 120, skin);
        benchmark::DoNotOptimize(skin.ScanLine(0));
    }
}
BENCHMARK(BM_RenderDialogSkin)->Unit(benchmark::kMillisecond);

// Turning a full-screen frame grey when the application is deactivated.
void BM_GrayScaleFullScreen(benchmark::State& state)
{
    TZYBitmap skin;
    RenderSkin(Skin("FormMainSkin"), 1920, 1080, skin);
    for (auto _ : state) {
        skin.GrayScale();
        benchmark::DoNotOptimize(skin.ScanLine(0));
    }
}
BENCHMARK(BM_GrayScaleFullScreen)->Unit(benchmark::kMillisecond);

} // namespace

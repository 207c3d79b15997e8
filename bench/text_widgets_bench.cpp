// Painting effect text: the window's outlined title (nine copies of the text), and a rotated,
// extruded, shadowed caption of two lines (twelve copies of each line).

#include "bench/Latency.h"
#include "ui/text/fcText.h"
#include "ui/text/fcTitleLabel.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

void BM_OutlinedTitlePaint(benchmark::State& state)
{
    QWidget form;
    form.resize(325, 180);
    auto* title = new TfcTitleLabel(&form);
    QFont font = title->font();
    font.setPixelSize(15);
    title->setFont(font);
    title->setGeometry(102, 6, 122, 20);
    title->SetCaption(QStringLiteral("RIdavave"));
    title->Loaded();
    QImage image(title->size(), QImage::Format_ARGB32_Premultiplied);
    Latency latency;
    for (auto _ : state)
        latency.Time(state, [&] { title->render(&image); });
    latency.Report(state);
}

void BM_RotatedExtrudedShadowedCaption(benchmark::State& state)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(24);
    font.setBold(true);
    TfcCaptionText caption{TfcText::Owner{
        {}, {}, [] { return true; }, [&] { return font; }, [] { return QColor(230, 120, 0); }}};
    caption.SetText(QStringLiteral("Rotated\r\nCaption"));
    caption.SetRotation(30);
    caption.ExtrudeEffects().SetEnabled(true);
    caption.ExtrudeEffects().SetNearColor(RgbColor(120, 60, 0));
    caption.Shadow().SetEnabled(true);
    QImage image(400, 300, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    Latency latency;
    for (auto _ : state) {
        latency.Time(state, [&] {
            QPainter painter(&image);
            caption.SetAreaRect(image.rect());
            caption.Draw(painter);
        });
    }
    latency.Report(state);
}

} // namespace

BENCHMARK(BM_OutlinedTitlePaint)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RotatedExtrudedShadowedCaption)->UseManualTime()->Unit(benchmark::kMicrosecond);

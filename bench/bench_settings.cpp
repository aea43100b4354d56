// Reading a damaged settings file of up to 2 MiB (the program reads up to 1 MiB): the
// text reader alone and the whole load into the settings values, for the shapes that
// once made reading slower than linear. range(0) is the size in KiB; the time per KiB
// should stay flat as the size grows.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "service/isettingstext.h"
#include "service/isettingsvalues.h"

namespace {

QByteArray damagedFile(int shape, int bytes)
{
    QByteArray text;
    switch (shape) {
    case 0:
        // One unclosed section per line.
        return QByteArray("[\n").repeated(bytes / 2);
    case 1:
        // A long section name and many keys under it.
        text = "[" + QByteArray(bytes / 2, 'a') + "]\n";
        while (text.size() + 3 <= bytes)
            text += "k=\n";
        return text;
    case 2:
        // Many short sections, each with a key.
        for (int i = 0; text.size() < bytes; ++i)
            text += "[s" + QByteArray::number(i % 5000) + "]\nk" + QByteArray::number(i) + "=v\n";
        return text.left(bytes);
    default:
        // One value that is a list of empty items.
        return "[a]\nk=" + QByteArray(",").repeated(bytes - 6);
    }
}

const char* const kShapes[] = {"unclosed sections", "long section", "many sections", "commas"};

void BM_ParseSettingsText(benchmark::State& state)
{
    const QByteArray text = damagedFile(int(state.range(1)), int(state.range(0)) * 1024);
    state.SetLabel(kShapes[state.range(1)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(ISettingsText::parse(text));
    state.SetBytesProcessed(state.iterations() * text.size());
}

void BM_LoadSettings(benchmark::State& state)
{
    const QByteArray text = damagedFile(int(state.range(1)), int(state.range(0)) * 1024);
    state.SetLabel(kShapes[state.range(1)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(ISettingsValues::load(text));
    state.SetBytesProcessed(state.iterations() * text.size());
}

void sizes(benchmark::internal::Benchmark* b)
{
    for (int shape = 0; shape < 4; ++shape) {
        for (int kib : {256, 1024, 2048})
            b->Args({kib, shape});
    }
    b->Unit(benchmark::kMillisecond);
}

}

BENCHMARK(BM_ParseSettingsText)->Apply(sizes);
BENCHMARK(BM_LoadSettings)->Apply(sizes);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

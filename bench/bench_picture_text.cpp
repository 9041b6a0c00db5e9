// Picture text of a 1600 x 1200 24-bit BMP (5.76 MB of bytes, 11.5 MB of text), beside a plain
// copy of the same bytes. Bytes processed are the picture's bytes in every case.
#include "BenchScale.h"

#include "store/Picture.h"

#include <benchmark/benchmark.h>

#include <QtEndian>

#include <cstring>

namespace {

Picture makePicture()
{
    const int width = FullOrSmoke(1600, 32), height = FullOrSmoke(1200, 24), stride = width * 3;
    QByteArray bytes(54 + stride * height, '\0');
    auto *p = reinterpret_cast<uchar *>(bytes.data());
    p[0] = 'B';
    p[1] = 'M';
    qToLittleEndian<quint32>(quint32(bytes.size()), p + 2);
    qToLittleEndian<quint32>(54, p + 10);
    qToLittleEndian<quint32>(40, p + 14);
    qToLittleEndian<qint32>(width, p + 18);
    qToLittleEndian<qint32>(height, p + 22);
    qToLittleEndian<quint16>(1, p + 26);
    qToLittleEndian<quint16>(24, p + 28);
    quint32 seed = 12345; // pixels that vary like a photograph's
    for (qsizetype i = 54; i < bytes.size(); ++i) {
        seed = seed * 1664525u + 1013904223u;
        p[i] = uchar(seed >> 24);
    }
    Picture picture;
    picture.loadBmpBytes(bytes);
    return picture;
}

const Picture &picture()
{
    static const Picture value = makePicture();
    return value;
}

void BM_MemcpyReference(benchmark::State &state)
{
    // A fresh buffer each time, as the conversions make one.
    const QByteArray &bytes = picture().bmpBytes();
    for (auto _ : state) {
        QByteArray copy(bytes.size(), Qt::Uninitialized);
        std::memcpy(copy.data(), bytes.constData(), size_t(bytes.size()));
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_PictureToText(benchmark::State &state)
{
    for (auto _ : state) {
        QByteArray text = PictureToText(picture());
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * picture().bmpBytes().size());
}

void BM_TextToPicture(benchmark::State &state)
{
    const QByteArray text = PictureToText(picture());
    for (auto _ : state) {
        Picture back;
        TextToPicture(text, back);
        benchmark::DoNotOptimize(back.bmpBytes().constData());
    }
    state.SetBytesProcessed(state.iterations() * picture().bmpBytes().size());
}

} // namespace

BENCHMARK(BM_MemcpyReference)->Unit(benchmark::kMillisecond)->MinTime(MinSeconds(0.5));
BENCHMARK(BM_PictureToText)->Unit(benchmark::kMillisecond)->MinTime(MinSeconds(0.5));
BENCHMARK(BM_TextToPicture)->Unit(benchmark::kMillisecond)->MinTime(MinSeconds(0.5));
BENCHMARK_MAIN();

// A 3840x2160 32-bit BMP read from memory (converted to 24 bits) into new
// memory and, as from the clipboard, into the last picture's memory; written
// back, and drawn into 193x193; written as a clip and its page drawn, loaded
// or where its pixels lie; each next to a plain memcpy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "dib/canvas.h"
#include "dib/dib.h"
#include "dib/file_map.h"
#include "platform/clipboard.h"
#include "platform/global_memory.h"

namespace {

using namespace lumeret;

constexpr std::int32_t kWidth = 3840;
constexpr std::int32_t kHeight = 2160;

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
}

const std::vector<std::uint8_t>& File32() {
    static const std::vector<std::uint8_t> file = [] {
        const std::uint32_t pixels = kWidth * kHeight * 4;
        std::vector<std::uint8_t> out = {'B', 'M'};
        Put32(out, 54 + pixels);
        Put32(out, 0);
        Put32(out, 54);
        for (std::uint32_t v : {40u, static_cast<std::uint32_t>(kWidth), static_cast<std::uint32_t>(kHeight)}) {
            Put32(out, v);
        }
        out.insert(out.end(), {1, 0, 32, 0});
        for (int i = 0; i < 6; ++i) {
            Put32(out, 0);
        }
        out.reserve(out.size() + pixels);
        for (std::uint32_t i = 0; i < kWidth * kHeight; ++i) {
            Put32(out, i * 2654435761u);
        }
        return out;
    }();
    return file;
}

void MemcpyOf(benchmark::State& state, std::size_t bytes) {
    std::vector<std::uint8_t> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void BM_LoadFromStream32To24(benchmark::State& state) {
    const auto& file = File32();
    for (auto _ : state) {
        Dib dib;
        ReadOnlyMemoryStream in(file.data(), file.size());
        dib.LoadFromStream(in);
        benchmark::DoNotOptimize(dib.Pixels()->Image.Store.Bits());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_LoadFromStream32To24)->Unit(benchmark::kMillisecond);

// New memory for the 24-bit pixels, written once: what the system's making
// of memory page by page costs a load into a new store, on this machine.
void BM_NewStoreOfThePixelsWritten(benchmark::State& state) {
    const std::int32_t size = (kWidth * 3 + 3) / 4 * 4 * kHeight;
    for (auto _ : state) {
        PixelStore store(size);
        std::memset(store.Bits(), 1, static_cast<std::size_t>(size));
        benchmark::DoNotOptimize(store.Bits());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_NewStoreOfThePixelsWritten)->Unit(benchmark::kMillisecond);

// What each clipboard change of a picture the size of the last one costs:
// the packed DIB converted into the store the last picture leaves.
void BM_ReloadFromClipboard32To24(benchmark::State& state) {
    const auto& file = File32();
    UniqueGlobal block(GlobalBlockAlloc(kGmemMoveable, file.size() - 14));
    {
        GlobalLockGuard lock(block.get());
        std::memcpy(lock.Bytes(), file.data() + 14, file.size() - 14);
    }
    Dib dib;
    for (auto _ : state) {
        dib.LoadFromClipboardFormat(kCfDib, block.get(), nullptr);
        benchmark::DoNotOptimize(dib.Pixels()->Image.Store.Bits());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * (file.size() - 14)));
}
BENCHMARK(BM_ReloadFromClipboard32To24)->Unit(benchmark::kMillisecond);

void BM_MemcpyOfTheFile(benchmark::State& state) { MemcpyOf(state, File32().size()); }
BENCHMARK(BM_MemcpyOfTheFile)->Unit(benchmark::kMillisecond);

Dib& Loaded() {
    static Dib dib;
    static const bool loaded = [] {
        ReadOnlyMemoryStream in(File32().data(), File32().size());
        dib.LoadFromStream(in);
        return true;
    }();
    (void)loaded;
    return dib;
}

void BM_SaveToStream24(benchmark::State& state) {
    Dib& dib = Loaded();
    std::size_t size = 0;
    for (auto _ : state) {
        MemoryStream out;
        dib.SaveToStream(out);
        size = out.Bytes().size();
        benchmark::DoNotOptimize(out.Bytes().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_SaveToStream24)->Unit(benchmark::kMillisecond);

void BM_MemcpyOfTheSavedFile(benchmark::State& state) {
    MemcpyOf(state, 54 + static_cast<std::size_t>(Loaded().Pixels()->Image.Store.Size()));
}
BENCHMARK(BM_MemcpyOfTheSavedFile)->Unit(benchmark::kMillisecond);

void BM_DrawInto193x193(benchmark::State& state) {
    Dib& dib = Loaded();
    MemoryCanvas canvas(193, 193);
    for (auto _ : state) {
        dib.Draw(canvas, {0, 0, 193, 193});
        benchmark::DoNotOptimize(canvas.Pixel(96, 96));
    }
}
BENCHMARK(BM_DrawInto193x193)->Unit(benchmark::kMicrosecond);

// The 24-bit picture as the program writes a clip, and its page: the
// picture scaled into 193 x 108.
const std::vector<std::uint8_t>& Clip24() {
    static const std::vector<std::uint8_t> file = [] {
        MemoryStream out;
        Loaded().SaveToStream(out);
        return out.Bytes();
    }();
    return file;
}
constexpr Rect kPage{0, 0, 193, 108};

void BM_PageOfA24BitClipLoaded(benchmark::State& state) {
    MemoryCanvas canvas(kPage.Right, kPage.Bottom);
    for (auto _ : state) {
        Dib dib;
        ReadOnlyMemoryStream in(Clip24().data(), Clip24().size());
        dib.LoadFromStream(in);
        dib.Draw(canvas, kPage);
        benchmark::DoNotOptimize(canvas.Pixel(96, 54));
    }
}
BENCHMARK(BM_PageOfA24BitClipLoaded)->Unit(benchmark::kMillisecond);

void BM_PageOfA24BitClipInPlace(benchmark::State& state) {
    MemoryCanvas canvas(kPage.Right, kPage.Bottom);
    const std::string_view file(reinterpret_cast<const char*>(Clip24().data()), Clip24().size());
    for (auto _ : state) {
        DibImage meta;
        auto pixels = PixelsInPlace(file, meta);
        canvas.StretchDib(kPage, *pixels, nullptr);
        benchmark::DoNotOptimize(canvas.Pixel(96, 54));
    }
}
BENCHMARK(BM_PageOfA24BitClipInPlace)->Unit(benchmark::kMillisecond);

void BM_MemcpyOfThePixels(benchmark::State& state) {
    MemcpyOf(state, static_cast<std::size_t>(Loaded().Pixels()->Image.Store.Size()));
}
BENCHMARK(BM_MemcpyOfThePixels)->Unit(benchmark::kMillisecond);

}  // namespace

#pragma once

#include <QImage>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

/// How the bands of filtered rows are deflated. The rows are deflated by zlib in bands in
/// parallel, each band primed with the bytes before it and ended on a byte boundary by a sync
/// flush, so the bands join into one stream.
enum class PngDeflater {
    /// Each band takes the strategy that a quick look at its filtered bytes suggests: matching
    /// where long repeats are found (text, sprites, flat panels), run-length otherwise.
    Choose,
    /// zlib's run-length strategy for every band: matches only at a distance of one byte.
    /// After the row filters a photograph has few longer matches worth their search, and flat
    /// areas filter to runs of zeros, so on photographs this is both the fastest and the
    /// smallest; on skin graphics it loses about a third.
    RunLength,
    /// zlib's default strategy (level 6) for every band: finds repeated text, sprites and rows,
    /// but spends several times as long as run-length on a photograph, for a larger stream.
    Matching,
};

struct PngEncoderOptions {
    PngDeflater deflater = PngDeflater::Choose;
    /// Threads for filtering and deflating; 0 means WorkerCount().
    int threads = 0;
    /// Filtered bytes a band holds at least; smaller bands restart their statistics for
    /// little gain. Tests lower it to reach band edges on small pictures.
    std::size_t minBandBytes = 256 * 1024;
};

/// Receives the encoded file in pieces, in order. May throw; encoding then stops with its
/// exception.
using PngSink = std::function<void(std::string_view bytes)>;

/// An opaque image (RGB32) as an 8-bit RGB PNG, handed to `sink` piece by piece as the bands
/// of rows are deflated, so that the whole file is never held. Each row takes the filter whose
/// bytes sum smallest as signed values (the usual adaptive heuristic). Throws RuntimeException
/// when memory runs out or the deflater fails, and what `sink` throws.
void EncodePng(const QImage& image, const PngSink& sink, const PngEncoderOptions& options = {});

/// The same PNG as one string. Throws as above.
std::string EncodePng(const QImage& image, const PngEncoderOptions& options = {});

}  // namespace platform

#pragma once

#include <cstddef>

namespace platform {

/// Asks the kernel to back the whole 2 MB pages inside [data, data + size) with huge pages, for
/// a buffer of whole-picture size that is about to be written for the first time: one page
/// fault in place of 512, which on a virtual machine is a good part of a job's time. Does
/// nothing for small buffers or where the kernel declines. Never throws.
void AdviseHugePages(void* data, std::size_t size) noexcept;

}  // namespace platform

// Start-up of the static program, which runs for a few milliseconds: two things the C start
// files and the kernel would otherwise do slowly.  Only the static program is built with this
// file (see the link options of `tidewerk`).
//
// Its own pages mapped in one call each, before anything else runs.  A good part of a run went
// to page faults: one for every 64 kB of code first reached, one for every page of data first
// written, each a trap into the kernel that costs 10 to 20 microseconds in a virtual machine.
// Asking the kernel to map the program's segments at once (MADV_POPULATE_READ for code and
// constants, MADV_POPULATE_WRITE for data, Linux 5.14 and later) does the same work in one
// pass; on an older kernel the calls fail and nothing changes.
//
// The heap's first pages mapped the same way, for a run.  The C library's allocator grows the heap
// as the run asks and each new page faults in when first touched; the classic run's texts and
// work arrays take about 300 kB, as many page faults again as the rest of the program.  Before
// a run (not for --help, --version, --template or --check, which allocate next to nothing) the
// heap is grown by a block of kRunHeap and the allocator's own margin, about 330 kB in all, and
// mapped in one call.  Allocations of up to half a megabyte then come from the heap rather than
// from a mapping of their own (glibc sends those above 128 kB to fresh mappings, whose pages
// fault in again), and the heap is not given back before it is larger than a megabyte.
//
// No unwind tables registered.  The start files of a static program register its .eh_frame with
// the unwinder, which then sorts every frame description at the first exception: about 1.5 ms
// for an input error.  The link wraps the registration and its undoing with the two functions
// below, which do nothing, and the unwinder finds each frame through the sorted table that
// --eh-frame-hdr writes, as in a dynamic program.
#include <link.h>
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

#ifndef MADV_POPULATE_READ
constexpr int MADV_POPULATE_READ = 22;
#endif
#ifndef MADV_POPULATE_WRITE
constexpr int MADV_POPULATE_WRITE = 23;
#endif

void populate(std::uintptr_t start, std::uintptr_t end, int advice) {
  // A failure (an old kernel, memory short) leaves the pages to be faulted in as before.
  if (start < end) (void)madvise(reinterpret_cast<void*>(start), end - start, advice);
}

int populate_segments(dl_phdr_info* info, std::size_t, void*) {
  constexpr std::uintptr_t kPage = 4096;
  const auto page_start = [](std::uintptr_t address) { return address & ~(kPage - 1); };
  // The start of the writable segment that the C library has made read-only again after
  // start-up (RELRO): it is mapped for reading, the rest for writing.
  std::uintptr_t read_only_end = 0;
  for (ElfW(Half) k = 0; k < info->dlpi_phnum; ++k) {
    const ElfW(Phdr)& segment = info->dlpi_phdr[k];
    if (segment.p_type == PT_GNU_RELRO)
      read_only_end = page_start(info->dlpi_addr + segment.p_vaddr + segment.p_memsz);
  }
  for (ElfW(Half) k = 0; k < info->dlpi_phnum; ++k) {
    const ElfW(Phdr)& segment = info->dlpi_phdr[k];
    if (segment.p_type != PT_LOAD) continue;
    const std::uintptr_t start = page_start(info->dlpi_addr + segment.p_vaddr);
    const std::uintptr_t end = info->dlpi_addr + segment.p_vaddr + segment.p_memsz;
    if ((segment.p_flags & PF_W) == 0) {
      populate(start, end, MADV_POPULATE_READ);
    } else {
      const std::uintptr_t writable = std::clamp(read_only_end, start, end);
      populate(start, writable, MADV_POPULATE_READ);
      populate(writable, end, MADV_POPULATE_WRITE);
    }
  }
  return 1;  // the program itself is the first object, and in a static program the only one
}

// The block the heap is grown by before a run.
constexpr std::size_t kRunHeap = 192 * 1024;

// True for the requests that only print: help, version, a template, a check.
bool only_prints(int argc, char** argv) {
  for (int k = 1; k < argc; ++k) {
    for (const char* option : {"-h", "--help", "--version", "--template", "--check"}) {
      if (std::strcmp(argv[k], option) == 0) return true;
    }
  }
  return false;
}

void populate_heap() {
  mallopt(M_MMAP_THRESHOLD, 512 * 1024);
  mallopt(M_TRIM_THRESHOLD, 1024 * 1024);
  // The block given back at once: the heap keeps its size.  (Through a volatile pointer, or the
  // compiler drops the pair.)
  void* volatile block = std::malloc(kRunHeap);
  std::free(block);
  constexpr std::uintptr_t kPage = 4096;
  const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
  const auto size = static_cast<std::uintptr_t>(mallinfo2().arena);  // the heap, from its start
  if (size <= end) populate((end - size) & ~(kPage - 1), end, MADV_POPULATE_WRITE);
}

// Before the other constructors (the standard streams and locales among them).  The C library
// hands a static program's constructors the program's arguments, as a dynamic one's.
[[gnu::constructor(101)]] void populate_program_pages(int argc, char** argv, char**) {
  dl_iterate_phdr(populate_segments, nullptr);
  if (!only_prints(argc, argv)) populate_heap();
}

}  // namespace

extern "C" {
void __wrap___register_frame_info(const void*, void*) {}
void* __wrap___deregister_frame_info(const void*) {
  return nullptr;
}
}

// Fuzz target: the record-notation renderer with random layouts and values.  The input is a
// layout text, a NUL, then values: each value is a kind byte followed by its bytes.
// A layout may be refused with LayoutError; number fields never show "nan" or "inf".
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "report/record_notation.h"
#include "report/run_end.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tidewerk;
  const char* text = reinterpret_cast<const char*>(data);
  const void* nul = std::memchr(text, 0, size);
  const std::size_t layout_size =
      nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : size;
  const std::string layout(text, layout_size);
  Values values;
  for (std::size_t i = layout_size + 1; i < size && values.size() < 64;) {
    const std::uint8_t kind = data[i++];
    if (kind % 3 == 0 && i + 4 <= size) {
      float v;
      std::memcpy(&v, data + i, 4);
      values.emplace_back(v);
      i += 4;
    } else if (kind % 3 == 1 && i + 4 <= size) {
      std::int32_t v;
      std::memcpy(&v, data + i, 4);
      values.emplace_back(static_cast<int>(v));
      i += 4;
    } else {
      const std::size_t n = i < size ? data[i++] % 16 : 0;
      values.emplace_back(std::string(text + i, std::min(n, size - i)));
      i += std::min(n, size - i);
    }
  }
  try {
    for (const std::string& record : render_records(layout, values)) {
      if (record.size() > (1u << 21)) std::abort();
    }
  } catch (const LayoutError&) {
  }
  // A number field shows digits, sign, point or asterisks, never "nan" or "inf".
  for (const Value& v : values) {
    if (v.kind() != Value::Kind::Real) continue;
    for (int d : {0, 3, 15}) {
      for (char c : render_fixed(v.real(), 20, d)) {
        if (!std::strchr(" -.0123456789*", c)) std::abort();
      }
    }
  }
  return 0;
}

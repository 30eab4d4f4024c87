// Feeds arbitrary bytes to the icon-file reader. The sanitizers catch any read outside the
// input; the checks below catch an image that is not a part of the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "services/icon_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> file(data, size);
  for (int preferredWidth : {16, 32, 256}) {
    std::optional<tamrivo::IconImage> image = tamrivo::ChooseIconImage(file, preferredWidth);
    if (!image) continue;
    const uint8_t* begin = image->data.data();
    if (begin < data || image->data.size() > size ||
        begin - data > static_cast<ptrdiff_t>(size - image->data.size())) {
      std::abort();
    }
    // Touch every byte, so that a view reaching past the input is read.
    volatile uint8_t sum = 0;
    for (uint8_t b : image->data) sum = sum + b;
  }
  return 0;
}

// Trimming of spaces and control characters.
#include "Text.h"

namespace velloway {

Text Trim(TextView text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && text[first] <= u' ') ++first;
  while (last > first && text[last - 1] <= u' ') --last;
  return Text(text.substr(first, last - first));
}

}  // namespace velloway

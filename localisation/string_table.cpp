#include "localisation/string_table.h"

#include <algorithm>
#include <utility>

namespace rz {

void StringTable::Resize(int count) {
  texts_.resize(static_cast<size_t>(std::max(count, 0)));
}

void StringTable::Set(int number, std::string text) {
  if (number >= 0 && number < size()) {
    texts_[static_cast<size_t>(number)] = std::move(text);
  }
}

}  // namespace rz

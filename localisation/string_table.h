// The numbered texts of the user interface: entry N is "string N".
#ifndef RIRUZIRUZO_LOCALISATION_STRING_TABLE_H_
#define RIRUZIRUZO_LOCALISATION_STRING_TABLE_H_

#include <string>
#include <vector>

namespace rz {

// A table of UTF-8 texts numbered from 0. It starts with two empty entries;
// the base language file sizes it once.
class StringTable {
 public:
  StringTable() : texts_(2) {}

  // The text of entry `number`; the empty text outside the table.
  const std::string& Get(int number) const {
    return number >= 0 && number < size() ? texts_[number] : empty_;
  }
  int size() const { return static_cast<int>(texts_.size()); }

  // Keeps the existing entries; new entries are empty. A negative count
  // counts as 0.
  void Resize(int count);
  // Numbers outside the table are ignored.
  void Set(int number, std::string text);

 private:
  std::vector<std::string> texts_;
  std::string empty_;
};

}  // namespace rz

#endif  // RIRUZIRUZO_LOCALISATION_STRING_TABLE_H_

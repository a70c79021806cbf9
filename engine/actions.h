// The action catalogue (96 actions) and the stick presets (3): the fixed,
// ordered vocabulary that every assignment and every profile indexes.
#ifndef RIRUZIRUZO_ENGINE_ACTIONS_H_
#define RIRUZIRUZO_ENGINE_ACTIONS_H_

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace rz {

enum class ActionKind : int32_t {
  kNone = 0,
  kMouseMoveX = 1,
  kMouseMoveY = 2,
  kMouseButton = 3,
  kMouseWheel = 4,
  kKey = 5,
};

struct Action {
  ActionKind kind = ActionKind::kNone;
  float last_strength = 0.0f;  // rounded strength last performed (3, 4, 5)
  int32_t value = 0;
  int32_t value2 = 0;
  std::string name;
};

struct StickPreset {
  int32_t up = 0;
  int32_t right = 0;
  int32_t down = 0;
  int32_t left = 0;
  std::string name;
};

// One row of the built-in catalogue: the string number of its name and the
// stored values.
struct ActionRow {
  int string_number;
  ActionKind kind;
  int32_t value;
  int32_t value2;
};

struct PresetRow {
  int string_number;
  int32_t up, right, down, left;
};

inline constexpr int kActionCount = 96;
inline constexpr int kPresetCount = 3;
extern const ActionRow kActionRows[kActionCount];
extern const PresetRow kPresetRows[kPresetCount];

class Catalogue {
 public:
  // Appends an action; for kKey only the low 16 bits of value2 are kept.
  void AddAction(std::string name, ActionKind kind, int32_t value,
                 int32_t value2);
  void AddStickPreset(std::string name, int32_t up, int32_t right, int32_t down,
                      int32_t left);

  int action_count() const { return static_cast<int>(actions_.size()); }
  int preset_count() const { return static_cast<int>(presets_.size()); }
  Action& action(int index) { return actions_[index]; }
  const Action& action(int index) const { return actions_[index]; }
  const StickPreset& preset(int index) const { return presets_[index]; }
  const std::vector<Action>& actions() const { return actions_; }
  const std::vector<StickPreset>& presets() const { return presets_; }

 private:
  std::vector<Action> actions_;
  std::vector<StickPreset> presets_;
};

// Fills an empty catalogue with the 96 actions and then the 3 presets, in
// table order, naming each by `name_of(string number)`.
void BuildCatalogue(Catalogue& catalogue,
                    const std::function<std::string(int)>& name_of);

// The entry a choice box shows for a stored index: the index itself when it
// names an entry of a list of `count`, else -1 (no selection).
int ChoiceSelection(int32_t index, int count);

}  // namespace rz

#endif  // RIRUZIRUZO_ENGINE_ACTIONS_H_

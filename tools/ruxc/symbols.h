#pragma once
// The names a story declares, each with its kind and number.

#include "tools/ruxc/diagnostics.h"

#include <map>
#include <string>

namespace ruxc {

enum class SymbolKind {
    Object,
    Room,
    Action,
    Routine,
    TextRoutine,
    ByteVariable,
    LongVariable,
    LongConstant,
    ObjectVariable,
    RoomVariable,
    MessageVariable,
    ByteArray,
    ObjectFlag,
    RoomFlag,
    Property,
    State,
    Direction,
    Preposition,
    Word,
    Text,
    Local,
};

struct Symbol {
    SymbolKind kind;
    int number = 0;
    SourcePlace place;
};

// What a kind is called in error messages.
const char* kindName(SymbolKind kind);

class SymbolTable {
  public:
    // False (and nothing stored) if the name is taken.
    bool add(const std::string& name, Symbol symbol) { return names_.emplace(name, symbol).second; }
    const Symbol* find(const std::string& name) const {
        const auto it = names_.find(name);
        return it == names_.end() ? nullptr : &it->second;
    }
    void setNumber(const std::string& name, int number) { names_.at(name).number = number; }

  private:
    std::map<std::string, Symbol> names_;
};

} // namespace ruxc

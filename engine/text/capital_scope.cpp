#include "engine/text/capital_scope.h"

#include "engine/engine.h"

namespace rux {

CapitalScope::CapitalScope(Engine& engine) : engine_(engine), outer_(engine.text.capitalPending) {
    engine_.text.capitalPending = true;
}

CapitalScope::~CapitalScope() {
    engine_.text.capitalPending = engine_.text.capitalPending && outer_;
}

bool showsAsCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte > ' ' && byte != 0xA0 && byte != 0xAD; // no-break space, soft hyphen
}

} // namespace rux

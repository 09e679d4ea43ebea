#include "console/TerminalPolicy.h"

namespace {

bool isSetAndNotEmpty(const std::optional<std::string>& value) {
    return value.has_value() && !value->empty();
}

}  // namespace

TerminalPolicy decideTerminal(const TerminalFacts& facts) {
    TerminalPolicy policy;
    const bool knownTerminal = isSetAndNotEmpty(facts.term) && *facts.term != "dumb";
    policy.escapes = facts.outputIsTerminal && facts.takesEscapes.value_or(knownTerminal);
    policy.colours = policy.escapes && !isSetAndNotEmpty(facts.noColor);
    policy.lineEditing = policy.escapes && facts.inputIsTerminal;
    policy.keyWait = facts.inputIsTerminal && facts.outputIsTerminal;
    policy.autosave = policy.keyWait;
    policy.wrap = facts.outputIsTerminal;
    policy.inputEchoed = policy.wrap && facts.inputIsTerminal;
    return policy;
}

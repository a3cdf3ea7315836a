#pragma once

#include "model/move_tree.h"
#include "opening/opening_phase.h"

#include <optional>

// Writes the phase into the record as kept properties: XR (rule id) and XO (opening code, when
// the first three stones are one of the 26) in the root; on the main line's k-th move (the line
// of first children, which the record text writes first), XS[1]
// or XS[0] for a swap decision taken with k stones on the board, XN[n] for the declared
// number and XF[..][..] for the offered fifth moves (on the fourth move). Replaces what the
// record held; a rule without a phase leaves the record without them.
void writePhaseProperties(const PhaseRecord& phase, MOveTree& record);

// The phase a record holds: the rule from XR, the first moves of the main line as its stones
// and the decisions from the moves' properties. Nothing when the record has no phase rule, or
// when the phase does not replay (a record edited by hand: its moves stay a free game).
std::optional<OpeningPhase> readPhaseProperties(const MOveTree& record);

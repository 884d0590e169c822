// A step in German, in two stages as a player asks for help: first the technique and where to
// look, then what the pattern says, what it removes and what that leads to.
#pragma once

#include <string>

#include "techniques/candidate_board.h"
#include "techniques/technique.h"

namespace zw::techniques {

std::string StepHintText(const Step& step);
// `before` is the board the step was found on; the text names the digit the removals leave
// one place or one cell, or says that they only remove candidates.
std::string StepAnswerText(const CandidateBoard& before, const Step& step);
// A step's line in an explanation onto `out`: its rating as "[1.2] ", the hint, a blank and
// the answer, which does not repeat the technique's name that the hint begins with, and a
// line end.
void AppendStepLine(std::string& out, const CandidateBoard& before, const Step& step);

}  // namespace zw::techniques

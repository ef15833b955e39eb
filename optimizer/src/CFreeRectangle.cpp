#include "CFreeRectangle.h"

namespace optimization {

void CFreeRectangle::ResetEvaluation()
{
    stripEvaluated = false;
    group.Clear();
}

} // namespace optimization

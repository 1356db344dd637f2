// The process-wide model state and its release at exit.
#include "model/ModelState.h"

namespace mouldview::model {

void TModelState::Release() {
    for (TArrayGroup* group :
         {&PeriodRH, &PeriodTemp, &RHResponse, &TempResponse, &PeriodDose, &MouldIndex}) {
        group->Release();
    }
    ClimateFileName.clear();
    StartOfCalculation.reset();
}

TModelState& Model() {
    static TModelState state;
    return state;
}

} // namespace mouldview::model

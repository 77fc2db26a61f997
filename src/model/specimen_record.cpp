#include "model/specimen_record.h"

namespace tesmor::model {

float StrikeOfDipDirection(float dec)
{
    float strike = dec - 90.0f;
    if (strike < 0.0f)
        strike += 360.0f;
    return strike;
}

void PlaneFromFile(float stored, std::int16_t P4, float& dec, float& strike)
{
    if (P4 == 90) {
        strike = stored;
        dec = stored + 90.0f;
        if (dec >= 360.0f)
            dec -= 360.0f;
        return;
    }
    // Any other convention stores the dip direction, as 0 does.
    dec = stored;
    strike = StrikeOfDipDirection(stored);
}

float PlaneToFile(float dec, float strike, std::int16_t P4)
{
    return P4 == 90 ? strike : dec;
}

} // namespace tesmor::model

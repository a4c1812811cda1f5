#include "core/freq/Frequencies.h"

namespace orvane {

void Frequencies::FillFrequencyLists() {}
void Frequencies::ValidateFrequencyEntry(int) {}
void Frequencies::StepFrequency(int, int) {}
void Frequencies::SetDefaultFrequencies() {}
void Frequencies::FreqDefaultSW_Click() {}
void Frequencies::FreqLoadSaveSW_Click(int) {}

}  // namespace orvane

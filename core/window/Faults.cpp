#include "core/window/Faults.h"

#include "core/window/StatusTexts.h"

namespace orvane {

FaultRow faultRow(const Profile& profile, Fault fault) {
    switch (fault) {
        case Fault::NoReply:
            return {OutcomeKind::NoResponse, &Form1::T_Message, status::kNotResponse};
        case Fault::NoIdentity:
            return {OutcomeKind::NoResponse, &Form1::C_Message, status::kNoIdentity};
        case Fault::WrongModuleType:
            return {OutcomeKind::WrongModuleType, &Form1::C_Message, status::kTargetError};
        case Fault::CommonParameters:
            return {OutcomeKind::CommonParameterError, &Form1::T_Message, status::kCommonParameterError};
        case Fault::Discrepancy:
            return {OutcomeKind::Discrepancy, &Form1::T_Message, status::kDiscrepancy};
        case Fault::TestData:
            return {OutcomeKind::TestDataError, &Form1::T_Message, status::kTestDataError};
        case Fault::FlashWrite:
            return {OutcomeKind::FlashWriteError, &Form1::T_Message, status::kFlashWriteError};
        case Fault::WriteErrLine:
            return {OutcomeKind::FlashWriteError, &Form1::T_Message, profile.writeErrText};
        case Fault::FlashClear:
            return {OutcomeKind::FlashClearError,
                    profile.flashClearOnInfoLabel ? &Form1::C_Message : &Form1::T_Message,
                    profile.flashClearErrorText};
    }
    return {OutcomeKind::NoResponse, &Form1::T_Message, status::kNotResponse};
}

void recordFault(Form1& form, const Profile& profile, Fault fault, int channel) {
    const FaultRow row = faultRow(profile, fault);
    (form.*row.label).setCaption(row.text);
    form.outcome.fail(row.kind, channel);
}

void recordUnanswered(Form1& form, const Profile& profile, Fault fault, const std::string& command,
                      int channel) {
    const FaultRow row = faultRow(profile, fault);
    (form.*row.label).setCaption(row.text);
    form.outcome.unanswered(command, channel, form.SeqStep);
}

}  // namespace orvane
